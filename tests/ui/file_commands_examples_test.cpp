#include "FileTestSupport.h"

#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/GroupTab.h"
#include "show/RecorderWindow.h"
#include "show/SequencerPanel.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>

using namespace pluviane;
using namespace pluviane::test;

TEST(Examples, OpenWithTheirGroupsAndBowls)
{
    const struct {
        const char* file;
        int nozzles;
        int groups;
        int corners;
    } examples[] = {{"classic_round.wat", 50, 4, 21}, {"square.wat", 38, 3, 4},
                    {"spiral.wat", 50, 2, 21}};
    for (const auto& example : examples) {
        SCOPED_TRACE(example.file);
        const QString path = examplePath(example.file);
        ASSERT_EQ(QFileInfo(path).size(), 64000);
        ASSERT_EQ(readBytes(path).mid(1, 14), QByteArray("V 1.5 Pluviane"));

        Program p;
        auto fake = std::make_unique<FakePrompter>();
        FakePrompter* prompter = fake.get();
        EditorWindow& editor = p.windows->editor();
        editor.fileCommands().setPrompter(std::move(fake));
        prompter->openNames.push_back(path);
        editor.fileCommands().SpeedButtonOpenFontanClick();

        EXPECT_TRUE(prompter->messages.empty());
        EXPECT_EQ(nozzleCount(*p.state), example.nozzles);
        for (int g = 1; g <= 16; ++g)
            EXPECT_EQ(editor.groupTab().groupButton(g)->isEnabled(), g <= example.groups) << g;
        EXPECT_EQ(control<QScrollBar>(&editor, "ScrollBarUgolCup")->value(), example.corners);
        EXPECT_EQ(editor.windowTitle(), QString::fromLatin1(example.file));

        // Its show plays: the water rises ring by ring while the scenes turn.
        SequencerPanel& seq = editor.automatTab().sequencer();
        const int length = seq.formLengthBar()->value();
        seq.playFormButton()->click();
        seq.playColourButton()->click();
        auto tick = [&seq](int count) {
            for (int i = 0; i < count; ++i) {
                seq.TimerSmenaFormTimer();
                seq.TimerSmenaColorTimer();
            }
        };
        tick(length - 1);
        EXPECT_GT(p.state->GroupLevel[1], 200);
        EXPECT_EQ(p.state->GroupLevel[example.groups], 0);
        tick((example.groups - 1) * length);
        EXPECT_EQ(seq.currentForm(), example.groups);
        for (int g = 1; g <= example.groups; ++g)
            EXPECT_GT(p.state->GroupLevel[g], 200) << g;
        EXPECT_GT(p.windows->recorder().sceneNumberBar()->value(), 1);
    }
}
