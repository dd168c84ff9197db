#include "TestSupport.h"

#include "editor/EditorWindow.h"
#include "editor/GroupTab.h"
#include "editor/ManualTab.h"
#include "model/GroupBuilder.h"
#include "widgets/RadioGroup.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace pluviane;
using namespace pluviane::test;

namespace {

struct GroupBuilderTab : ::testing::Test {
    Program program;
    FountainState& state = *program.state;
    EditorWindow& editor = program.windows->editor();
    GroupTab& tab = editor.groupTab();

    QScrollBar* bar(const char* name) { return control<QScrollBar>(&editor, name); }
    QPushButton* button(const char* name) { return control<QPushButton>(&editor, name); }
    QString text(const char* name) { return control<QLabel>(&editor, name)->text(); }
    void shape(int index) { control<RadioGroup>(&editor, "RadioGroupTips")->setItemIndex(index); }

    int boundTo(int group) const
    {
        int n = 0;
        for (Byte g : state.JetGroup)
            n += g == group;
        return n;
    }
};

} // namespace

TEST_F(GroupBuilderTab, ControlsStartAsTheProgramDoes)
{
    struct Expected {
        const char* name;
        int minimum, maximum, value, page;
    };
    const Expected bars[] = {
        {"ScrollBarBegSt", 16, 255, 16, 1},    {"ScrollBarKolvoStr", 2, 100, 3, 1},
        {"ScrollBarNform", 1, 16, 1, 1},       {"ScrollBarRazmObj", 1, 200, 100, 10},
        {"ScrollBarSquach", 10, 100, 100, 10}, {"ScrollBarSmeshX", 0, 200, 100, 10},
        {"ScrollBarSmeshZ", 0, 200, 100, 10},  {"ScrollBarrotObj", 0, 180, 0, 15},
        {"ScrollBarRotStruaa", 0, 180, 0, 15}, {"ScrollBarStrHigha", 1, 200, 100, 10},
        {"ScrollBarStrWidta", 0, 100, 10, 1},  {"ScrollBarDiamPnta", 1, 30, 3, 1},
        {"ScrollBarDopFunk", 1, 100, 100, 10},
    };
    for (const Expected& s : bars) {
        QScrollBar* b = bar(s.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->minimum(), s.minimum) << s.name;
        EXPECT_EQ(b->maximum(), s.maximum) << s.name;
        EXPECT_EQ(b->value(), s.value) << s.name;
        EXPECT_EQ(b->pageStep(), s.page) << s.name;
    }
    EXPECT_EQ(tab.startBar(), bar("ScrollBarBegSt"));
    EXPECT_EQ(tab.groupNumberBar(), bar("ScrollBarNform"));
    auto* tips = control<RadioGroup>(&editor, "RadioGroupTips");
    EXPECT_EQ(tips->title(), QStringLiteral("Форма коллектора "));
    EXPECT_EQ(tips->itemIndex(), ShapeCircle);
    EXPECT_EQ(tips->count(), 5);
    EXPECT_EQ(text("LabelbegStr"), QStringLiteral("от струи 16 до 19"));
    EXPECT_EQ(text("LabelEndstr"), QStringLiteral("КолВоСтруй 3"));
    EXPECT_EQ(text("LabelSquach"), QStringLiteral("Объект Размер100  пропорция 100 "));
    EXPECT_EQ(text("LabeldopF"), QStringLiteral("доп. Функция"));
    EXPECT_EQ(bar("ScrollBarrotObj")->toolTip(),
              QStringLiteral("Поворот всех струй в группе вокруг центра чаши"));
    for (int g = 1; g <= 16; ++g) {
        QPushButton* b = tab.groupButton(g);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->objectName(), QStringLiteral("SpeedButtonGroup%1").arg(g, 2, 10, QChar('0')));
        EXPECT_EQ(b->text(), QString::number(g));
        EXPECT_FALSE(b->isEnabled());
    }
    EXPECT_EQ(button("SpeedButtonOkplus")->text(), QStringLiteral("Записать+новая группа"));
    // Nothing is built before a control moves.
    EXPECT_EQ(boundTo(1), 0);
}

TEST_F(GroupBuilderTab, ControlsRebuildLiveAndUpdateTheirLabels)
{
    state.JetPos[200][3] = 9;
    shape(ShapeLine);
    EXPECT_EQ(state.JetPos[16][1], 66);
    EXPECT_EQ(state.JetPos[17][1], 99);
    EXPECT_EQ(state.JetPos[18][1], 133);
    EXPECT_EQ(state.JetPos[200][3], 0);
    EXPECT_EQ(boundTo(1), 3);

    bar("ScrollBarSmeshZ")->setValue(130);
    EXPECT_EQ(text("LabelSmeshX"), QStringLiteral("Смещение объекта X=0 Z=30"));
    EXPECT_EQ(state.JetPos[16][2], 130);
    EXPECT_EQ(state.GroupShiftZ[1], 130);
    bar("ScrollBarrotObj")->setValue(-5);
    bar("ScrollBarRotStruaa")->setValue(45);
    EXPECT_EQ(text("LabelRotObj"), QStringLiteral("Поворот: группы 0 всех струй 90"));
    EXPECT_EQ(state.JetShape[17][3], 45);
    bar("ScrollBarStrHigha")->setValue(7);
    EXPECT_EQ(text("LabelStrHia"), QStringLiteral(" Высота струи 7"));
    bar("ScrollBarStrWidta")->setValue(50); // never above the height
    EXPECT_EQ(bar("ScrollBarStrWidta")->value(), 7);
    EXPECT_EQ(state.JetShape[18][2], 7);
    EXPECT_EQ(text("LabelStrWida"), QStringLiteral("Наклон струи 10 "));
    bar("ScrollBarDiamPnta")->setValue(20);
    EXPECT_EQ(text("LabelDiaPixa"), QStringLiteral("Пенность 20"));
    EXPECT_EQ(state.JetFoam[16], 20);
    bar("ScrollBarDopFunk")->setValue(50);
    EXPECT_EQ(text("LabeldopF"), QStringLiteral("Доп.Функц = 50"));
    bar("ScrollBarSquach")->setValue(40);
    EXPECT_EQ(text("LabelSquach"), QStringLiteral("Объект Размер 100 пропорция 40"));

    // Re-choosing the same shape from code runs nothing; a user's click on another does.
    state.JetPos[200][3] = 9;
    shape(ShapeLine);
    EXPECT_EQ(state.JetPos[200][3], 9);
    auto* tips = control<RadioGroup>(&editor, "RadioGroupTips");
    for (QRadioButton* item : tips->findChildren<QRadioButton*>())
        if (item->text() == QStringLiteral("Спираль"))
            item->click();
    EXPECT_EQ(tab.params().shape, ShapeSpiral);
    EXPECT_EQ(state.JetPos[200][3], 0);
    shape(ShapeLine);

    // The count releases the group's nozzles first.
    bar("ScrollBarKolvoStr")->setValue(2);
    EXPECT_EQ(text("LabelEndstr"), QStringLiteral("Кол.Струй 2"));
    EXPECT_EQ(text("LabelbegStr"), QStringLiteral("От струи 16 до 18"));
    EXPECT_EQ(boundTo(1), 2);
    EXPECT_EQ(state.JetGroup[18], 0);

    bar("ScrollBarNform")->setValue(4);
    EXPECT_EQ(text("LabelNform"), QStringLiteral("Привязать группу к номеру 4"));
    EXPECT_EQ(boundTo(4), 0); // no rebuild
}

TEST_F(GroupBuilderTab, ShapesFitTheirCounts)
{
    bar("ScrollBarKolvoStr")->setValue(10);
    shape(ShapeSquare);
    EXPECT_EQ(bar("ScrollBarKolvoStr")->value(), 8);
    EXPECT_EQ(boundTo(1), 8); // the count handler released the other two
    EXPECT_EQ(state.JetPos[16][1], 50);
    EXPECT_EQ(state.JetPos[18][2], 150);

    bar("ScrollBarKolvoStr")->setValue(3);
    EXPECT_EQ(bar("ScrollBarKolvoStr")->value(), 4);

    shape(ShapeTriangle);
    bar("ScrollBarKolvoStr")->setValue(8);
    EXPECT_EQ(bar("ScrollBarKolvoStr")->value(), 6);
    EXPECT_EQ(boundTo(1), 6);
    bar("ScrollBarKolvoStr")->setValue(2);
    EXPECT_EQ(bar("ScrollBarKolvoStr")->value(), 3);

    // At the nozzle limit a square cannot get four: the build ends with what fits.
    bar("ScrollBarKolvoStr")->setValue(2);
    bar("ScrollBarBegSt")->setValue(255);
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 247);
    shape(ShapeSquare);
    EXPECT_EQ(bar("ScrollBarBegSt")->value() + bar("ScrollBarKolvoStr")->value(), 249);
    for (int k = 250; k < kNozzleCount; ++k)
        EXPECT_EQ(state.JetGroup[k], 0) << k;
}

TEST_F(GroupBuilderTab, StartBarAloneDoesNotRebuild)
{
    shape(ShapeLine);
    bar("ScrollBarBegSt")->setValue(30);
    EXPECT_EQ(text("LabelbegStr"), QStringLiteral("От струи 30 до 32"));
    EXPECT_EQ(state.JetGroup[30], 0);
    EXPECT_EQ(state.JetGroup[16], 1);
    bar("ScrollBarRazmObj")->setValue(80); // holds old and new nozzles
    EXPECT_EQ(boundTo(1), 6);
    tab.SpeedButtonDelGroupClick(); // keeps exactly the current range
    EXPECT_EQ(boundTo(1), 3);
    EXPECT_EQ(state.JetGroup[30], 1);
    EXPECT_FALSE(tab.groupButton(1)->isEnabled());
}

TEST_F(GroupBuilderTab, CommitChainBuildsARoundFountain)
{
    ManualTab& manual = editor.manualTab();
    bar("ScrollBarKolvoStr")->setValue(8);
    button("SpeedButtonOkplus")->click();
    EXPECT_EQ(state.GroupRecipe[1][1], 16);
    EXPECT_EQ(state.GroupRecipe[1][2], 8);
    EXPECT_EQ(state.GroupRecipe[1][14], ShapeCircle);
    EXPECT_TRUE(tab.groupButton(1)->isEnabled());
    EXPECT_EQ(bar("ScrollBarNform")->value(), 2);
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 24);

    bar("ScrollBarKolvoStr")->setValue(12); // builds group 2 on 24..35
    bar("ScrollBarRazmObj")->setValue(160);
    button("SpeedButtonOkplus")->click();
    EXPECT_EQ(boundTo(1), 8);
    EXPECT_EQ(boundTo(2), 12);
    EXPECT_TRUE(tab.groupButton(2)->isEnabled());
    EXPECT_FALSE(tab.groupButton(3)->isEnabled());

    // Recall group 1: its settings come back, it stands at full height, the others at 50.
    button("SpeedButtonGroup01")->click();
    EXPECT_EQ(bar("ScrollBarNform")->value(), 1);
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 16);
    EXPECT_EQ(bar("ScrollBarKolvoStr")->value(), 8);
    EXPECT_EQ(bar("ScrollBarRazmObj")->value(), 100);
    EXPECT_EQ(boundTo(1), 8);
    EXPECT_EQ(boundTo(2), 12);
    EXPECT_EQ(state.GroupLevel[1], 255);
    EXPECT_EQ(state.GroupLevel[2], 50);
    EXPECT_EQ(state.GroupColour[2], (std::array<Byte, 4>{200, 200, 200, 200}));
    // Its level and colour then come from the manual panel.
    manual.levelFader(1)->setValue(120);
    manual.colourFader(1)->setValue(96);
    EXPECT_EQ(state.GroupLevel[1], 120);
    EXPECT_EQ(state.GroupColour[1], (std::array<Byte, 4>{254, 0, 0, 255}));

    button("SpeedButtonnormHi")->click();
    EXPECT_EQ(state.GroupColour[1], (std::array<Byte, 4>{250, 250, 250, 250}));
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(state.GroupLevel[g], 255) << g;

    bar("ScrollBarSmeshX")->setValue(30);
    button("SpeedButtonNormalGroup")->click();
    EXPECT_EQ(bar("ScrollBarSmeshX")->value(), 100);
    EXPECT_EQ(state.GroupShiftX[1], 100);
}

TEST_F(GroupBuilderTab, RoomCheckAtTheNozzleLimit)
{
    bar("ScrollBarKolvoStr")->setValue(10);
    bar("ScrollBarBegSt")->setValue(240);
    button("SpeedButtonOkplus")->click();
    // Start 250 is pulled back to 240: the next group lies on the same nozzles.
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 240);
    EXPECT_EQ(bar("ScrollBarNform")->value(), 2);
    EXPECT_EQ(editor.findChild<QMessageBox*>("MessageRoom"), nullptr);

    // Above 250 (a state no handler leaves, forced here) the command stops with the message.
    bar("ScrollBarBegSt")->blockSignals(true);
    bar("ScrollBarBegSt")->setValue(245);
    bar("ScrollBarBegSt")->blockSignals(false);
    bar("ScrollBarNform")->setValue(16);
    button("SpeedButtonOkplus")->click();
    auto* box = editor.findChild<QMessageBox*>("MessageRoom");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Ошибка"));
    EXPECT_EQ(box->text(), QStringLiteral("Команда не выполнена!\nСтруй больше 250 "));
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 245);
    EXPECT_EQ(bar("ScrollBarNform")->value(), 16); // stays at the top of its range
    box->close();
}

TEST_F(GroupBuilderTab, HighGroupButtonsShareRowFifteen)
{
    bar("ScrollBarNform")->setValue(16);
    bar("ScrollBarBegSt")->setValue(100);
    tab.SpeedButtonOkAvtoClick();
    EXPECT_EQ(state.GroupRecipe[15][1], 100);
    EXPECT_TRUE(tab.groupButton(16)->isEnabled());

    bar("ScrollBarNform")->setValue(1);
    bar("ScrollBarBegSt")->setValue(20);
    tab.groupButton(16)->click();
    EXPECT_EQ(bar("ScrollBarNform")->value(), 15);
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 100);
    for (int g = 1; g <= 12; ++g)
        EXPECT_EQ(state.GroupLevel[g], 50) << g;
    EXPECT_EQ(boundTo(15), 3);

    // After a load the buttons follow the table.
    state.JetGroup.fill(0);
    state.JetGroup[40] = 7;
    editor.UpdateOnlyButtonGroup();
    for (int g = 1; g <= 16; ++g)
        EXPECT_EQ(tab.groupButton(g)->isEnabled(), g == 7) << g;
}

TEST_F(GroupBuilderTab, GroupWithoutRecipeIsSelectedNotRebuilt)
{
    // Group 1 committed on 16..18; group 5 bound by hand elsewhere, never committed.
    tab.SpeedButtonOkAvtoClick();
    state.JetGroup[100] = 5;
    state.JetPos[100][1] = 140;
    bar("ScrollBarBegSt")->setValue(60);
    editor.UpdateOnlyButtonGroup();
    ASSERT_TRUE(tab.groupButton(5)->isEnabled());
    tab.groupButton(5)->click();
    EXPECT_EQ(bar("ScrollBarNform")->value(), 5);
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 60);
    EXPECT_EQ(state.GroupLevel[5], 255);
    EXPECT_EQ(state.GroupLevel[1], 50);
    EXPECT_EQ(boundTo(1), 3);
    EXPECT_EQ(state.JetGroup[100], 5);
    EXPECT_EQ(state.JetPos[100][1], 140);
}

TEST_F(GroupBuilderTab, GroupWithoutRecipeNeverTakesAnotherGroupsNozzles)
{
    tab.SpeedButtonOkAvtoClick(); // group 1 on 16..18, with a recipe
    // Group 6 bound by hand as one run, group 5 scattered; neither has a recipe.
    for (int n = 120; n < 125; ++n)
        state.JetGroup[n] = 6;
    state.JetGroup[100] = 5;
    state.JetGroup[102] = 5;
    state.JetPos[100][1] = 140;
    editor.UpdateOnlyButtonGroup();

    tab.groupButton(6)->click(); // the bars take over the run, nothing is rebuilt yet
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 120);
    EXPECT_EQ(bar("ScrollBarKolvoStr")->value(), 5);
    EXPECT_EQ(text("LabelEndstr"), "Кол.Струй 5");
    bar("ScrollBarRazmObj")->setValue(60);
    EXPECT_EQ(boundTo(6), 5);
    EXPECT_EQ(boundTo(1), 3);

    tab.groupButton(5)->click();
    bar("ScrollBarRazmObj")->setValue(80);
    tab.SpeedButtonOkAvtoClick();
    EXPECT_FALSE(hasRecipe(state, 5));
    EXPECT_EQ(boundTo(6), 5);
    EXPECT_EQ(boundTo(5), 2);
    EXPECT_EQ(state.JetPos[100][1], 140);

    // Once the user sets a count, group 5 is built where the bars say.
    bar("ScrollBarBegSt")->setValue(200);
    bar("ScrollBarKolvoStr")->setValue(4);
    EXPECT_EQ(boundTo(5), 4);
    EXPECT_EQ(state.JetGroup[200], 5);
    EXPECT_EQ(boundTo(6), 5);
    EXPECT_EQ(boundTo(1), 3);
}
