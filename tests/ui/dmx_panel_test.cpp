#include "FileTestSupport.h"

#include "app/MainWindow.h"
#include "editor/AutomatTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "model/ProfileFile.h"
#include "show/DmxPanel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// The DMX box with a settings file of the test's own.
struct DmxPanelTest : ::testing::Test {
    std::unique_ptr<Program> start()
    {
        auto program = std::make_unique<Program>();
        panel(*program).setSettingsPath(ini);
        auto fake = std::make_unique<FakePrompter>();
        prompter = fake.get();
        program->windows->editor().fileCommands().setPrompter(std::move(fake));
        return program;
    }
    static DmxPanel& panel(Program& p) { return p.windows->editor().automatTab().dmx(); }

    QTemporaryDir config;
    const QString ini = config.filePath("plv.ini");
    FakePrompter* prompter = nullptr;
};

} // namespace

TEST_F(DmxPanelTest, PatchIsRefusedPastChannel512AndKeptInTheSettingsFile)
{
    auto program = start();
    DmxPanel& dmx = panel(*program);
    EXPECT_EQ(dmx.patch(), (DmxPatch{1, 1, 17}));
    for (QWidget* control : std::initializer_list<QWidget*>{
             dmx.dmxCheck(), dmx.universeSpin(), dmx.levelsSpin(), dmx.coloursSpin(), dmx.stateLabel()})
        EXPECT_FALSE(control->objectName().isEmpty());
    EXPECT_EQ(dmx.universeSpin()->accessibleName(), "SpinBoxDmxUniverse");

    dmx.universeSpin()->setValue(4);
    dmx.coloursSpin()->setValue(465);
    dmx.levelsSpin()->setValue(449);
    EXPECT_EQ(dmx.patch(), (DmxPatch{4, 449, 465}));
    EXPECT_TRUE(prompter->messages.empty());

    dmx.levelsSpin()->setValue(498);  // would end on 513
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_TRUE(prompter->messages[0].text.contains("498..513"));
    EXPECT_EQ(dmx.levelsSpin()->value(), 449);
    dmx.coloursSpin()->setValue(440);  // would share 449..464 with the levels
    ASSERT_EQ(prompter->messages.size(), 2u);
    EXPECT_EQ(dmx.coloursSpin()->value(), 465);
    EXPECT_EQ(dmx.patch(), (DmxPatch{4, 449, 465}));

    // The next start takes the patch back from the settings file; an unusable
    // patch there gives way to the defaults, a garbled number to its default.
    program = start();
    EXPECT_EQ(panel(*program).patch(), (DmxPatch{4, 449, 465}));
    EXPECT_EQ(panel(*program).levelsSpin()->value(), 449);
    // Each fallback is told once, naming what was wrong.
    const auto told = [this](const char* what) {
        QCoreApplication::processEvents();
        return prompter->messages.size() == 1 && prompter->messages[0].text.contains(what);
    };
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompter->messages.empty());
    writeProfileString(ini, "DMX", "Levels", "500");
    program = start();
    EXPECT_EQ(panel(*program).patch(), DmxPatch{});
    EXPECT_TRUE(told("500..515"));
    writeProfileString(ini, "DMX", "Levels", "2147483647");
    program = start();
    EXPECT_EQ(panel(*program).patch(), DmxPatch{});
    EXPECT_TRUE(told("2147483647..2147483662"));
    writeProfileString(ini, "DMX", "Levels", "x1");
    program = start();
    EXPECT_EQ(panel(*program).patch(), (DmxPatch{4, 1, 465}));
    EXPECT_TRUE(told("Levels=x1"));
}

TEST_F(DmxPanelTest, TheDaemonsHostAndPortAreKeptInTheSettingsFile)
{
    auto program = start();
    DmxPanel& dmx = panel(*program);
    EXPECT_EQ(dmx.olaOptions().port, 9010);
    EXPECT_EQ(dmx.olaHostEdit()->text(), "127.0.0.1");
    EXPECT_EQ(dmx.olaPortSpin()->accessibleName(), "SpinBoxOlaPort");
    dmx.olaHostEdit()->setText("fountain-box");
    emit dmx.olaHostEdit()->editingFinished();
    dmx.olaPortSpin()->setValue(9011);
    EXPECT_EQ(readProfileString(ini, "DMX", "OlaHost", {}), "fountain-box");
    EXPECT_EQ(readProfileString(ini, "DMX", "OlaPort", {}), "9011");

    program = start();
    EXPECT_EQ(panel(*program).olaOptions().host, "fountain-box");
    EXPECT_EQ(panel(*program).olaPortSpin()->value(), 9011);
    writeProfileString(ini, "DMX", "OlaPort", "70000");
    program = start();
    EXPECT_EQ(panel(*program).olaOptions().port, 9010) << "no port: OLA's own";
}
