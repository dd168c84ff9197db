#include "TestSupport.h"

#include "editor/EditHistory.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/GroupTab.h"
#include "show/RecorderWindow.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <QUndoStack>

using namespace pluviane;
using namespace pluviane::test;

TEST(EditHistory, UndoAndRedoWalkABowlChangeABuiltGroupAndARecordedForm)
{
    Program p;
    EditorWindow& editor = p.windows->editor();
    RecorderWindow& rec = p.windows->recorder();
    EditHistory& history = editor.fileCommands().history();
    auto* cup = control<QScrollBar>(&editor, "ScrollBarCupWidthX");
    const int cupAtStart = cup->value();
    const int nozzlesAtStart = nozzleCount(*p.state);

    // A drag passes many positions and ends once: one step.
    for (int width = 160; width <= 200; width += 10)
        cup->setValue(width);
    history.commitStep();
    editor.groupTab().SpeedButtonOkplusClick();
    history.commitStep();
    const int built = nozzleCount(*p.state);
    ASSERT_GT(built, nozzlesAtStart);
    rec.pressureBar(3)->setValue(40);
    rec.recordFormButton()->click();
    history.commitStep();
    ASSERT_EQ(p.state->FormPressure[1][3], 40);
    EXPECT_EQ(history.stack().count(), 3);

    history.undo();
    EXPECT_NE(p.state->FormPressure[1][3], 40);
    EXPECT_EQ(nozzleCount(*p.state), built);
    history.undo();
    EXPECT_EQ(nozzleCount(*p.state), nozzlesAtStart);
    EXPECT_EQ(cup->value(), 200);
    history.undo();
    EXPECT_EQ(cup->value(), cupAtStart);
    history.undo(); // nothing before the start
    EXPECT_EQ(cup->value(), cupAtStart);

    for (int i = 0; i < 3; ++i)
        history.redo();
    EXPECT_EQ(cup->value(), 200);
    EXPECT_EQ(nozzleCount(*p.state), built);
    EXPECT_EQ(p.state->FormPressure[1][3], 40);
    // An edit left open when undo comes is the step undone.
    cup->setValue(120);
    history.undo();
    EXPECT_EQ(cup->value(), 200);

    // A cue placed on the show track is a step like any other.
    p.state->Track.cues.push_back({1500, 2, 0});
    history.commitStep();
    history.undo();
    EXPECT_TRUE(p.state->Track.cues.empty());
    history.redo();
    ASSERT_EQ(p.state->Track.cues.size(), 1u);
    EXPECT_EQ(p.state->Track.cues[0].timeMs, 1500);
}

TEST(EditHistory, KeepsAtLeastAHundredSteps)
{
    Program p;
    EditHistory& history = p.windows->editor().fileCommands().history();
    auto* zoom = control<QScrollBar>(&p.windows->editor(), "ScrollBarZoom");
    for (int value = 1; value <= 120; ++value) {
        zoom->setValue(value);
        history.commitStep();
    }
    for (int i = 0; i < 100; ++i)
        history.undo();
    EXPECT_EQ(zoom->value(), 20);
}
