#include "TestSupport.h"

#include "app/MainWindow.h"
#include "editor/BowlTab.h"
#include "editor/EditorWindow.h"
#include "model/ProfileFile.h"
#include "show/ExportPanel.h"
#include "video/FountainRender.h"
#include "widgets/ColourGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace pluviane;
using namespace pluviane::test;

namespace {

struct BowlTabTest : ::testing::Test {
    Program p;
    EditorWindow& editor = p.windows->editor();
    FountainState& s = *p.state;

    QScrollBar* bar(const char* name) { return control<QScrollBar>(&editor, name); }
    QLabel* label(const char* name) { return control<QLabel>(&editor, name); }
    QCheckBox* check(const char* name) { return control<QCheckBox>(&editor, name); }
    void click(const char* name) { control<QPushButton>(&editor, name)->click(); }
};

} // namespace

TEST_F(BowlTabTest, StartValuesAreWhatTheRenderTickSees)
{
    const SceneSettings settings = editor.sceneSettings();
    const SceneSettings defaults;
    EXPECT_EQ(settings.brightness, defaults.brightness);
    EXPECT_EQ(settings.fieldSpin, 50);
    EXPECT_EQ(settings.zoom, 85);
    EXPECT_FALSE(settings.backdrop);
    EXPECT_FALSE(settings.night);
    EXPECT_TRUE(settings.cup);
    EXPECT_EQ(settings.cupCorners, 21);
    EXPECT_EQ(settings.cupTurn, 45);
    EXPECT_EQ(settings.cupWidth, 150);
    EXPECT_EQ(settings.cupDepth, 25);
    EXPECT_EQ(settings.cupWall, 18);
    EXPECT_EQ(settings.colourBottom, 8);
    EXPECT_EQ(settings.colourTop, 6);
    EXPECT_EQ(settings.colourOuter, 4);
    EXPECT_EQ(settings.colourInner, 7);
    EXPECT_FALSE(settings.gridXY || settings.gridYZ || settings.gridXZ);
    EXPECT_FALSE(settings.axisX || settings.axisY || settings.axisZ);
    EXPECT_EQ(bar("ScrollBarCupWidthX")->minimum(), 21);
    EXPECT_EQ(bar("ScrollBarCupWidthX")->maximum(), 255);
    EXPECT_EQ(bar("ScrollBarZoom")->maximum(), 150);
    EXPECT_EQ(bar("ScrollBarBra")->minimum(), 10);
    EXPECT_EQ(label("LabelZoom")->text(), QStringLiteral("Масштаб 32"));
    EXPECT_EQ(bar("ScrollBarZoom")->accessibleName(), QStringLiteral("ScrollBarZoom"));
    EXPECT_EQ(check("CheckBoxGnd")->accessibleDescription(), QStringLiteral("CheckBoxGnd"));
}

TEST_F(BowlTabTest, ControlsChangeWhatTheTickReads)
{
    check("CheckBoxGnd")->setChecked(true);
    check("CheckBoxXZ")->setChecked(true);
    bar("ScrollBarUgolCup")->setValue(40);
    control<ColourGrid>(&editor, "ColorGridUp")->setSelectedIndex(12);
    const SceneSettings settings = editor.sceneSettings();
    EXPECT_TRUE(settings.backdrop);
    EXPECT_TRUE(settings.gridXZ);
    EXPECT_EQ(settings.cupCorners, 33) << "bars clamp to their range";
    EXPECT_EQ(settings.colourTop, 12);
    EXPECT_EQ(label("LabelUgolCol")->text(), QStringLiteral(" Количество углов = 33"));
}

TEST_F(BowlTabTest, LinkedBackdropSize)
{
    bar("ScrollBarX")->setValue(80);
    EXPECT_EQ(bar("ScrollBary")->value(), 80);
    EXPECT_EQ(s.BackdropHalfW, 80);
    EXPECT_EQ(s.BackdropHalfH, 80);
    EXPECT_EQ(label("Labelx")->text(), QStringLiteral("x 80"));
    EXPECT_EQ(label("Labely")->text(), QStringLiteral("y 80"));

    check("CheckBoxTgPodloga")->setChecked(false);
    bar("ScrollBary")->setValue(20);
    EXPECT_EQ(bar("ScrollBarX")->value(), 80);
    EXPECT_EQ(s.BackdropHalfW, 80);
    EXPECT_EQ(s.BackdropHalfH, 20);
}

TEST_F(BowlTabTest, ZoomSpinAndViewResets)
{
    bar("ScrollBarZoom")->setValue(0);
    EXPECT_EQ(label("LabelZoom")->text(), QStringLiteral("Масштаб -50 "));
    click("SpeedButtonZoom");
    EXPECT_EQ(bar("ScrollBarZoom")->value(), 50);
    EXPECT_EQ(label("LabelZoom")->text(), QStringLiteral("Масштаб 0 "));

    s.ViewAngleZ = 12;
    s.ViewAngleX = 7;
    bar("ScrollBarRotField")->setValue(100);
    EXPECT_EQ(s.ViewAngleZ, 0);
    EXPECT_EQ(s.ViewAngleX, 0);
    EXPECT_EQ(label("LabelRotFieeld")->text(), QStringLiteral("Скорость вращения поля 50"));
    click("SpeedButtonResField");
    EXPECT_EQ(bar("ScrollBarRotField")->value(), 50);
    EXPECT_EQ(label("LabelRotFieeld")->text(), QStringLiteral("Скорость вращения поля 0"));

    s.ViewAngleY = 33;
    s.ViewPanX = 4;
    s.ViewPanY = 5;
    s.DragPan = true;
    click("SpeedButtonUstField");
    EXPECT_EQ(s.ViewPanX, 0);
    EXPECT_EQ(s.ViewPanY, -12.0);
    EXPECT_FALSE(s.DragPan);
    EXPECT_EQ(s.ViewAngleY, 33) << "G leaves the angles";
    s.ViewAngleZ = 9;
    s.ViewPanX = 3;
    click("SpeedButtonResRotoat");
    EXPECT_EQ(s.ViewAngleY, 90);
    EXPECT_EQ(s.ViewAngleZ, 0);
    EXPECT_EQ(s.ViewPanX, 3) << "R leaves the offsets";
}

TEST_F(BowlTabTest, IsometricButtonStopsTheSpinAndHidesBowlAndBackdrop)
{
    bar("ScrollBarRotField")->setValue(90);
    check("CheckBoxGnd")->setChecked(true);
    control<QPushButton>(&p.windows->main(), "SpeedButtonIso")->click();
    EXPECT_EQ(bar("ScrollBarRotField")->value(), 50);
    EXPECT_FALSE(check("CheckBoxCup")->isChecked());
    EXPECT_FALSE(check("CheckBoxGnd")->isChecked());
    EXPECT_EQ(s.ViewAngleY, 10);
    EXPECT_EQ(s.ViewAngleZ, 342);
    EXPECT_EQ(s.ViewPanY, -15);
}

TEST_F(BowlTabTest, IniButtonShowsThePresetPanel)
{
    click("SpeedButton12");
    auto* box = control<QWidget>(&p.windows->main(), "GroupBox1");
    EXPECT_TRUE(box->isVisibleTo(&p.windows->main()));
    control<QPushButton>(&p.windows->main(), "SpeedButton2")->click();
    EXPECT_FALSE(box->isVisibleTo(&p.windows->main()));
}

TEST_F(BowlTabTest, RealWaterIsKeptInTheSettingsFileAndNeverInTheFountainFile)
{
    QCheckBox* real = check("CheckBoxRealWater");
    EXPECT_EQ(real->text(), QStringLiteral("Реалистичная вода"));
    ASSERT_FALSE(real->isChecked()) << "the classic look at start";
    EXPECT_EQ(editor.sceneSettings().look, Look::Classic);

    QTemporaryDir dir;
    auto saved = [&](const char* name) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(writeEditorFountain(editor, path, nullptr));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    const QByteArray classic = saved("classic.wat");
    real->click();
    EXPECT_EQ(editor.sceneSettings().look, Look::Realistic);
    EXPECT_EQ(saved("realistic.wat"), classic);
    EXPECT_EQ(readProfileString(settingsFilePath(), QStringLiteral("view"), QStringLiteral("realwater"), {}),
              QStringLiteral("1"));
    {
        Program next;
        EXPECT_TRUE(control<QCheckBox>(&next.windows->editor(), "CheckBoxRealWater")->isChecked())
            << "the next start shows the look last chosen";
    }
    real->click();
    EXPECT_EQ(readProfileString(settingsFilePath(), QStringLiteral("View"), QStringLiteral("RealWater"), {}),
              QStringLiteral("0"));
}
