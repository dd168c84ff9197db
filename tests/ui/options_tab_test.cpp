#include "TestSupport.h"

#include "editor/EditorWindow.h"
#include "editor/GroupTab.h"
#include "editor/OptionsTab.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace pluviane;
using namespace pluviane::test;

namespace {

struct AutoVariation : ::testing::Test {
    Program program;
    FountainState& state = *program.state;
    EditorWindow& editor = program.windows->editor();
    OptionsTab& options = editor.optionsTab();

    QScrollBar* bar(const char* name) { return control<QScrollBar>(&editor, name); }
    QString text(const char* name) { return control<QLabel>(&editor, name)->text(); }
    void commitNext() { control<QPushButton>(&editor, "SpeedButtonOkplus")->click(); }
};

} // namespace

TEST_F(AutoVariation, BarsAndLabels)
{
    struct Expected {
        const char* bar;
        const char* label;
        QString start;
        int range;
        QString at; // label text at position -45
    };
    const Expected expected[] = {
        {"ScrollBarDobRazm", "LabelAvtrazme", QStringLiteral("Изменить размер на  0"), 50,
         QStringLiteral("Изменить размер на -45")},
        {"ScrollBarRtAvt", "LabelRotg", QStringLiteral("Повернуть на  0"), 90,
         QStringLiteral("Повернуть на  -90")},
        {"ScrollBarKolStr", "LabelKolstr", QStringLiteral("на Колво струй 0 "), 50,
         QStringLiteral("на Количество струй -45")},
        {"ScrollBarIzmhi", "Labelizmvis", QStringLiteral("Изменение высоты на 0"), 50,
         QStringLiteral("Изменение высоты на -45")},
        {"ScrollBarIzmX", "Labeizmx", QStringLiteral("Смещение по Х на 0"), 50,
         QStringLiteral("Смещение по Х на -45")},
        {"ScrollBarIvzmZ", "Labelizmz", QStringLiteral("Смещение по Z на 0"), 50,
         QStringLiteral("Смещение по Z на -45")},
    };
    for (const Expected& s : expected) {
        QScrollBar* b = bar(s.bar);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->minimum(), -s.range) << s.bar;
        EXPECT_EQ(b->maximum(), s.range) << s.bar;
        EXPECT_EQ(b->value(), 0) << s.bar;
        EXPECT_EQ(b->pageStep(), 10) << s.bar;
        EXPECT_FALSE(b->toolTip().isEmpty()) << s.bar;
        EXPECT_EQ(text(s.label), s.start) << s.bar;
        b->setValue(-45);
        EXPECT_EQ(text(s.label), s.at) << s.bar;
    }
    EXPECT_EQ(options.sizeIncrement(), bar("ScrollBarDobRazm"));
    EXPECT_EQ(options.shiftZIncrement(), bar("ScrollBarIvzmZ"));
}

TEST_F(AutoVariation, HiddenControlsExistButAreNotShown)
{
    editor.show();
    auto* toCentre = control<QCheckBox>(&editor, "CheckBoxToCentr");
    auto* cupZero = control<QCheckBox>(&editor, "CheckBoxCupZero");
    auto* noName = control<QCheckBox>(&editor, "CheckBoxNoName");
    auto* name = control<QLineEdit>(&editor, "EditNameFile");
    auto* nameLabel = control<QLabel>(&editor, "LabelNamF");
    ASSERT_TRUE(toCentre && cupZero && noName && name && nameLabel);
    for (QWidget* w : std::initializer_list<QWidget*>{toCentre, cupZero, noName, name, nameLabel})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_EQ(toCentre->text(), QStringLiteral("К центру"));
    EXPECT_FALSE(toCentre->isChecked());
    EXPECT_EQ(cupZero->text(), QStringLiteral("Чашу в -0- "));
    EXPECT_FALSE(cupZero->isChecked());
    EXPECT_TRUE(noName->isChecked());
    EXPECT_EQ(name->text(), QStringLiteral("fontan"));
    EXPECT_EQ(name->maxLength(), 8);
    EXPECT_EQ(options.toCentreCheck(), toCentre);
    editor.hide();
}

TEST_F(AutoVariation, NoOptionsMeansNoRebuild)
{
    commitNext();
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 19);
    EXPECT_EQ(bar("ScrollBarNform")->value(), 2);
    for (Byte g : state.JetGroup)
        EXPECT_NE(g, 2);
}

TEST_F(AutoVariation, IncrementsClampAtTheTargetsRange)
{
    bar("ScrollBarRazmObj")->setValue(195);
    bar("ScrollBarrotObj")->setValue(170);
    bar("ScrollBarKolvoStr")->setValue(5);
    bar("ScrollBarStrHigha")->setValue(190);
    bar("ScrollBarDobRazm")->setValue(10);
    bar("ScrollBarRtAvt")->setValue(20);
    bar("ScrollBarKolStr")->setValue(-10);
    bar("ScrollBarIzmhi")->setValue(-50);
    commitNext();
    EXPECT_EQ(bar("ScrollBarRazmObj")->value(), 200);
    EXPECT_EQ(bar("ScrollBarrotObj")->value(), 180);
    EXPECT_EQ(bar("ScrollBarKolvoStr")->value(), 2);
    EXPECT_EQ(bar("ScrollBarStrHigha")->value(), 140);
    // The next group was built live under its new number.
    EXPECT_EQ(bar("ScrollBarBegSt")->value(), 21);
    EXPECT_EQ(state.JetGroup[21], 2);
    EXPECT_EQ(state.JetGroup[22], 2);
    EXPECT_EQ(state.JetGroup[23], 0);
    EXPECT_EQ(state.JetShape[21][1], 140);
    EXPECT_EQ(state.JetOrbit[21], 180);
    EXPECT_EQ(state.JetGroup[16], 1);
}

TEST_F(AutoVariation, ToCentreComesBeforeTheShifts)
{
    bar("ScrollBarSmeshX")->setValue(40);
    bar("ScrollBarSmeshZ")->setValue(190);
    options.toCentreCheck()->setChecked(true);
    bar("ScrollBarIzmX")->setValue(20);
    bar("ScrollBarIvzmZ")->setValue(-30);
    commitNext();
    EXPECT_EQ(bar("ScrollBarSmeshX")->value(), 120);
    EXPECT_EQ(bar("ScrollBarSmeshZ")->value(), 70);
    EXPECT_EQ(state.GroupShiftX[2], 120);
    EXPECT_EQ(state.GroupShiftZ[2], 70);
    EXPECT_EQ(state.GroupShiftX[1], 40);
}
