#include "TestSupport.h"

#include "editor/EditorWindow.h"
#include "editor/ManualTab.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

using namespace pluviane;
using namespace pluviane::test;

namespace {

using Entry = std::array<Byte, 4>;

struct ManualPanel : ::testing::Test {
    Program program;
    FountainState& state = *program.state;
    EditorWindow& editor = program.windows->editor();
    ManualTab& manual = editor.manualTab();

    QScrollBar* bar(const char* name) { return control<QScrollBar>(&editor, name); }
    void click(const char* name) { control<QPushButton>(&editor, name)->click(); }
    QString text(const char* name) { return control<QLabel>(&editor, name)->text(); }
};

} // namespace

TEST_F(ManualPanel, ControlsStartAsTheProgramDoes)
{
    EXPECT_EQ(text("LabelManStab"),
              QStringLiteral("Установка цвета и высоты груп форсунок вручную "));
    EXPECT_EQ(text("LabelurCol"), QStringLiteral("Высота струи            Цвет струи"));
    EXPECT_EQ(text("LabeColored"), QStringLiteral("Цветность 255"));
    EXPECT_EQ(text("LabelBrightAll"), QStringLiteral("Яркость 255"));
    const char* levelNames[] = {"ScrollBarGroup01", "ScrollBarGroup2",  "ScrollBarGroup3",
                                "ScrollBarGroup4",  "ScrollBarGroup5",  "ScrollBarGroup6",
                                "ScrollBarGroup7",  "ScrollBarGroup8",  "ScrollBarGroup9",
                                "ScrollBarGroup10", "ScrollBarGroup11", "ScrollBarGroup12"};
    for (int g = 1; g <= 12; ++g) {
        QScrollBar* level = bar(levelNames[g - 1]);
        QScrollBar* colour = control<QScrollBar>(
            &editor, QStringLiteral("ScrollBarColor%1").arg(g).toLatin1().constData());
        ASSERT_TRUE(level && colour);
        EXPECT_EQ(level, manual.levelFader(g));
        EXPECT_EQ(colour, manual.colourFader(g));
        for (QScrollBar* b : {level, colour}) {
            EXPECT_EQ(b->minimum(), 0);
            EXPECT_EQ(b->maximum(), 255);
            EXPECT_EQ(b->value(), 255);
        }
    }
    EXPECT_EQ(manual.levelFader(0), nullptr);
    EXPECT_EQ(manual.colourFader(13), nullptr);
    EXPECT_EQ(bar("ScrollBaralltre")->minimum(), 1);
    EXPECT_EQ(bar("ScrollBaralltre")->value(), 100);
    EXPECT_EQ(manual.saturationBar(), bar("ScrollBarColored"));
    EXPECT_EQ(manual.brightnessBar(), bar("ScrollBarBrightAll"));
    EXPECT_EQ(control<QPushButton>(&editor, "SpeedButtonAllMin")->text(),
              QStringLiteral("Все в МIN"));
    // Building the tab touches no table.
    EXPECT_EQ(state.GroupColour[1], (Entry{250, 250, 250, 200}));
}

TEST_F(ManualPanel, FadersWriteTheirGroupsOnly)
{
    bar("ScrollBarGroup2")->setValue(10);
    EXPECT_EQ(state.GroupLevel[2], 10);
    EXPECT_EQ(state.GroupLevel[1], 255);
    bar("ScrollBarColor3")->setValue(96);
    EXPECT_EQ(state.GroupColour[3], (Entry{254, 0, 0, 255}));
    EXPECT_EQ(state.GroupColour[2], (Entry{250, 250, 250, 200}));

    // Saturation and brightness recompute groups 1..12 and nothing beyond.
    state.GroupColour[13] = {1, 2, 3, 4};
    state.GroupColour[0] = {5, 6, 7, 8};
    bar("ScrollBarBrightAll")->setValue(0);
    EXPECT_EQ(text("LabelBrightAll"), QStringLiteral("Яркость 0"));
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(state.GroupColour[g], (Entry{0, 0, 0, 255})) << g;
    EXPECT_EQ(state.GroupColour[13], (Entry{1, 2, 3, 4}));
    EXPECT_EQ(state.GroupColour[0], (Entry{5, 6, 7, 8}));

    bar("ScrollBarColor1")->setValue(0);
    bar("ScrollBarBrightAll")->setValue(128);
    bar("ScrollBarColored")->setValue(128);
    EXPECT_EQ(text("LabeColored"), QStringLiteral("Цветность 128"));
    EXPECT_EQ(state.GroupColour[1], (Entry{127, 63, 127, 255}));

    click("SpeedButton10");
    EXPECT_EQ(bar("ScrollBarColored")->value(), 0);
    const Entry asZero = state.GroupColour[1];
    bar("ScrollBarColored")->setValue(1);
    EXPECT_EQ(state.GroupColour[1], asZero);
    click("SpeedButton11");
    EXPECT_EQ(bar("ScrollBarColored")->value(), 255);

    // Called directly, ColorChange takes any group the recorder passes.
    manual.ColorChange(15, 192);
    EXPECT_EQ(state.GroupColour[15][3], 255);
}

TEST_F(ManualPanel, LevelButtonsMoveOnlyFadersThatChange)
{
    state.GroupLevel[4] = 7; // behind the fader's back
    manual.SpeedButtonAlMaxClick();
    EXPECT_EQ(state.GroupLevel[4], 7);

    click("SpeedButtonAllMin");
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(state.GroupLevel[g], 0) << g;
    EXPECT_EQ(state.GroupLevel[13], 255);

    bar("ScrollBaralltre")->setValue(0); // its minimum is 1
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(state.GroupLevel[g], 1) << g;
    bar("ScrollBaralltre")->setValue(200);
    EXPECT_EQ(manual.levelFader(12)->value(), 200);

    click("SpeedButtonAlMax");
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(state.GroupLevel[g], 255) << g;
}

TEST_F(ManualPanel, ColourButtons)
{
    click("SpeedButtonRaznColor");
    const int positions[12] = {0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 220};
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(manual.colourFader(g)->value(), positions[g - 1]) << g;
    // Dimming keeps the twelve hues: each channel scales, none swaps.
    std::array<Entry, 13> bright{};
    for (int g = 1; g <= 12; ++g)
        bright[g] = state.GroupColour[g];
    bar("ScrollBarBrightAll")->setValue(128);
    for (int g = 1; g <= 12; ++g)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(state.GroupColour[g][c], bright[g][c] / 2.0, 1.5) << g << ' ' << c;

    manual.SpeedButtonAllWhiteClick();
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(manual.colourFader(g)->value(), 255) << g;
    for (int e = 0; e < kGroupEntries; ++e)
        EXPECT_EQ(state.GroupColour[e], (Entry{250, 250, 250, 250})) << e;
}
