#include "FileTestSupport.h"

#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "engine/FountainSession.h"
#include "engine/SettingValueStore.h"
#include "engine/ShowDriver.h"
#include "engine/ShowSettingControls.h"
#include "widgets/ColourGrid.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// What the tools draw from: the scene settings and the view and backdrop values.
void expectSameScene(const FountainState& windows, const SceneSettings& inWindows, const FountainState& store,
                     const SceneSettings& inStore)
{
    EXPECT_TRUE(inWindows == inStore);
    EXPECT_EQ(inWindows.zoom, inStore.zoom);
    EXPECT_EQ(inWindows.cupWidth, inStore.cupWidth);
    EXPECT_EQ(inWindows.fieldSpin, inStore.fieldSpin);
    EXPECT_EQ(windows.BackdropHalfW, store.BackdropHalfW);
    EXPECT_EQ(windows.BackdropHalfH, store.BackdropHalfH);
    for (auto value : {&FountainState::ViewAngleY, &FountainState::ViewAngleZ, &FountainState::ViewAngleX,
                       &FountainState::ViewPanX, &FountainState::ViewPanY})
        EXPECT_EQ(windows.*value, store.*value);
    EXPECT_EQ(windows.GroupLevel, store.GroupLevel);
    EXPECT_EQ(windows.GroupColour, store.GroupColour);
    EXPECT_EQ(windows.Track.cues.size(), store.Track.cues.size());
    EXPECT_EQ(windows.Track.musicName, store.Track.musicName);
}

} // namespace

TEST(FountainSessionParity, TheValueStoreStartsAndOpensFilesAsTheWindowsDo)
{
    Program fresh;
    EditorWindow& editor = fresh.windows->editor();
    for (const BowlControl& c : bowlControls()) {
        const QString name = QString::fromLatin1(c.name.data(), qsizetype(c.name.size()));
        SCOPED_TRACE(name.toStdString());
        if (c.kind == BowlControl::Bar) {
            auto* bar = control<QScrollBar>(&editor, name.toLatin1().constData());
            EXPECT_EQ(bar->minimum(), c.minimum);
            EXPECT_EQ(bar->maximum(), c.maximum);
            EXPECT_EQ(bar->value(), c.initial);
        } else if (c.kind == BowlControl::Check) {
            EXPECT_EQ(control<QCheckBox>(&editor, name.toLatin1().constData())->isChecked(), c.initial != 0);
        } else {
            EXPECT_EQ(control<ColourGrid>(&editor, name.toLatin1().constData())->selectedIndex(), c.initial);
        }
    }

    // The examples, and one whose settings lie beyond the bars' ranges, turn
    // the spin (which levels the view) and size the backdrop two ways.
    QTemporaryDir dir;
    QByteArray odd = readBytes(examplePath("spiral.wat"));
    const std::pair<int, int> bytes[] = {{140, 30}, {141, 70}, {152, 5}, {155, 20}, {204, 40}, {205, 20},
                                         {206, 10}, {207, 255}, {213, 200}, {132, 1}, {133, 1}, {137, 1}};
    for (const auto& [at, value] : bytes)
        odd[at] = char(value);
    const QString oddPath = dir.filePath(QStringLiteral("odd.wat"));
    writeBytes(oddPath, odd);
    for (const QString& path : {examplePath("classic_round.wat"), examplePath("square.wat"),
                                examplePath("song_round.wat"), oddPath}) {
        SCOPED_TRACE(path.toStdString());
        Program p;
        ASSERT_TRUE(p.windows->editor().fileCommands().openFountainNamedOutside(path));

        auto state = std::make_unique<FountainState>();
        ShowDriver show(*state);
        ShowSettingControls showSettings(show.controls());
        SettingValueStore store(*state, &showSettings);
        FountainSession session(*state, store);
        ASSERT_TRUE(session.open(path, true).ok());
        expectSameScene(*p.state, p.windows->editor().sceneSettings(), *state, store.sceneSettings());
    }
}
