#include "TestSupport.h"

#include "editor/EditorWindow.h"
#include "editor/JetTab.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

using namespace pluviane;
using namespace pluviane::test;

namespace {

struct JetProgram : Program {
    JetTab& tab = windows->editor().jetTab();
    FountainState& s = *state;

    QScrollBar* bar(const char* name) { return control<QScrollBar>(&tab, name); }
    QString label(const char* name) { return control<QLabel>(&tab, name)->text(); }
    void press(const char* name) { control<QPushButton>(&tab, name)->click(); }
};

} // namespace

TEST(JetTab, StartsWithItsOwnValuesAndWritesNozzle16)
{
    JetProgram p;
    EXPECT_EQ(p.label("LabelNomberStr"), "Выбор номера струи 0FF ");
    EXPECT_EQ(p.label("LabelGlue"), "Принадлежность к группе - OFF");
    EXPECT_EQ(p.label("LabelStrHi"), "Высота струи 1 ");
    const struct {
        const char* name;
        int minimum, maximum, start;
    } bars[] = {{"ScrollBarStruja", 16, 225, 16},  {"ScrollBarGlue", 0, 16, 0},
                {"ScrollBarDiamPnt", 1, 10, 3},    {"ScrollBarStrHigh", 1, 100, 1},
                {"ScrollBarStrWidt", 0, 100, 10},  {"ScrollBarRotStrua", 0, 180, 0},
                {"ScrollBarPosStrX", 0, 200, 100}, {"ScrollBarPosStrY", 0, 200, 100},
                {"ScrollBarPosStrZ", 0, 30, 0},    {"ScrollBarNapol", 0, 255, 10}};
    for (const auto& b : bars) {
        QScrollBar* bar = p.bar(b.name);
        EXPECT_EQ(bar->minimum(), b.minimum) << b.name;
        EXPECT_EQ(bar->maximum(), b.maximum) << b.name;
        EXPECT_EQ(bar->value(), b.start) << b.name;
    }
    EXPECT_TRUE(p.bar("ScrollBarNapol")->isHidden());
    EXPECT_TRUE(control<QLabel>(&p.tab, "Labelnapol")->isHidden());

    // The bars show their start values, not nozzle 16's; a move writes nozzle 16.
    const auto before = p.s.JetShape;
    p.bar("ScrollBarStrHigh")->setValue(40);
    EXPECT_EQ(p.s.JetShape[16][1], 40);
    EXPECT_EQ(p.label("LabelStrHi"), " Высота струи 40");
    EXPECT_EQ(p.s.JetShape[16][2], before[16][2]);

    // Nozzles outside 16..225 cannot be chosen.
    p.bar("ScrollBarStruja")->setValue(3);
    EXPECT_EQ(p.tab.selectedNozzle(), 16);
    p.bar("ScrollBarStruja")->setValue(240);
    EXPECT_EQ(p.tab.selectedNozzle(), 225);
    EXPECT_EQ(p.label("LabelNomberStr"), "Выбор номера струи 225");
}

TEST(JetTab, SelectingLoadsTheNozzleAndWritesBackOnlyClampedChanges)
{
    JetProgram p;
    p.s.JetFill[50] = 0;
    p.s.JetFoam[50] = 20;      // the group builder allows up to 30
    p.s.JetShape[50] = {0, 150, 30, 45};
    p.s.JetGroup[50] = 7;
    p.s.JetPos[50] = {0, 12, 180, 4};

    p.bar("ScrollBarStruja")->setValue(50);
    EXPECT_EQ(p.label("LabelNomberStr"), "Выбор номера струи 50");
    EXPECT_EQ(p.s.JetFoam[50], 10);
    EXPECT_EQ(p.s.JetShape[50][1], 100);
    EXPECT_EQ(p.s.JetShape[50][2], 30);
    EXPECT_EQ(p.s.JetShape[50][3], 45);
    EXPECT_EQ(p.label("LabelRotStr"), "Поворот струи 90");
    EXPECT_EQ(p.label("LabelGlue"), "Привязка к Группе: 7");
    EXPECT_EQ(p.label("LabelDiaPix"), "Пенность струи 10");
    EXPECT_EQ(p.label("LabelposX"), "Позиция струи Z= 12");
    EXPECT_EQ(p.label("LabelPosY"), "Позиция струи X= 180");
    EXPECT_EQ(p.label("LabelPosZ"), "Позиция струи Y= 4");
    EXPECT_EQ(p.label("Labelnapol"), " Струя в виде Линии ");
    EXPECT_EQ(p.bar("ScrollBarNapol")->value(), 0);

    // The bars already stand at 10 and 100: the next nozzle keeps its 20 and 150.
    p.s.JetFoam[51] = 20;
    p.s.JetShape[51] = {0, 150, 30, 45};
    p.s.JetFill[51] = 0;
    p.s.JetGroup[51] = 7;
    p.s.JetPos[51] = {0, 12, 180, 4};
    p.bar("ScrollBarStruja")->setValue(51);
    EXPECT_EQ(p.s.JetFoam[51], 20);
    EXPECT_EQ(p.s.JetShape[51][1], 150);

    // A nozzle whose values equal the bars is not written at all.
    p.s.JetFoam[52] = 10;
    p.s.JetShape[52] = {9, 100, 30, 45};
    p.s.JetFill[52] = 0;
    p.s.JetGroup[52] = 7;
    p.s.JetPos[52] = {9, 12, 180, 4};
    const FountainState prepared = p.s;
    p.bar("ScrollBarStruja")->setValue(52);
    EXPECT_EQ(p.s.JetShape, prepared.JetShape);
    EXPECT_EQ(p.s.JetPos, prepared.JetPos);
    EXPECT_EQ(p.s.JetFoam, prepared.JetFoam);
    EXPECT_EQ(p.s.JetGroup, prepared.JetGroup);
    EXPECT_EQ(p.s.JetFill, prepared.JetFill);
}

TEST(JetTab, QuickSetsGoThroughTheBars)
{
    JetProgram p;
    p.s.JetGroup[30] = 5;
    p.s.JetPos[30] = {0, 20, 40, 10};
    p.s.JetShape[30] = {0, 60, 50, 10};
    p.bar("ScrollBarStruja")->setValue(30);

    p.press("SpeedButtonRGlue");
    EXPECT_EQ(p.s.JetGroup[30], 0);
    EXPECT_EQ(p.label("LabelGlue"), "Привязка к Группе: OFF");
    p.press("SpeedButtonStrWidt0");
    EXPECT_EQ(p.s.JetShape[30][2], 0);
    EXPECT_EQ(p.label("LabelStrWid"), "Наклон струи 0");

    const std::pair<const char*, int> spins[] = {
        {"SpeedButtonRot90", 45}, {"SpeedButtonRot180", 90}, {"SpeedButtonRot270", 135},
        {"SpeedButtonRot0", 0}};
    for (auto [button, value] : spins) {
        p.press(button);
        EXPECT_EQ(p.s.JetShape[30][3], value) << button;
    }
    EXPECT_EQ(p.label("LabelRotStr"), "Поворот струи 0");

    p.press("SpeedButtonPosX0");
    p.press("SpeedButtonPosY0");
    p.press("SpeedButtonPosZ0");
    EXPECT_EQ(p.s.JetPos[30], (std::array<Byte, 4>{0, 0, 0, 0}));
    p.bar("ScrollBarPosStrZ")->setValue(25);
    p.press("SpeedButtonResPos");
    EXPECT_EQ(p.s.JetPos[30], (std::array<Byte, 4>{0, 100, 100, 0}));
    EXPECT_EQ(p.label("LabelposX"), "Позиция струи Z= 100");

    // The group binding takes effect in the model only; "Глобально все данные " does nothing.
    p.bar("ScrollBarGlue")->setValue(16);
    EXPECT_EQ(p.s.JetGroup[30], 16);
    auto* global = control<QCheckBox>(&p.tab, "CheckBox1");
    EXPECT_EQ(global->text(), "Глобально все данные ");
    const FountainState before = p.s;
    global->click();
    EXPECT_TRUE(global->isChecked());
    EXPECT_EQ(p.s.JetGroup, before.JetGroup);
    EXPECT_EQ(p.s.JetPos, before.JetPos);
}
