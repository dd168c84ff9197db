#include "FileTestSupport.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "app/PresetList.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace pluviane;
using namespace pluviane::test;

// The program's one argument (a desktop's double click on a fountain file).
TEST(OpenNamedFountain, OpensWithItsBowlOrShowsTheUsualMessageAndChangesNothing)
{
    Program p;
    auto fake = std::make_unique<FakePrompter>();
    FakePrompter& prompter = *fake;
    EditorWindow& editor = p.windows->editor();
    editor.fileCommands().setPrompter(std::move(fake));
    auto* load = control<QCheckBox>(&editor, "CheckBoxLoadCup");
    auto* corners = control<QScrollBar>(&editor, "ScrollBarUgolCup");
    const int nozzlesAtStart = nozzleCount(*p.state);

    QTemporaryDir dir;
    const QString oversized = dir.filePath(QStringLiteral("big.wat"));
    writeBytes(oversized, QByteArray(64001, '\1'));
    for (const QString& bad : {dir.filePath(QStringLiteral("missing.wat")), oversized}) {
        p.windows->openFountainGivenAtStart(bad);
        EXPECT_FALSE(p.windows->main().presets().timerCreate().isActive())
            << "the start-up preset never replaces the file asked for";
        EXPECT_EQ(nozzleCount(*p.state), nozzlesAtStart) << bad.toStdString();
        EXPECT_TRUE(editor.fileCommands().currentFileName().isEmpty());
    }
    ASSERT_EQ(prompter.messages.size(), 2u) << "each bad file is told";
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("missing.wat")));

    load->setChecked(false);
    const QString square = QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(
        QStringLiteral("../../examples/square.wat"));
    editor.fileCommands().openFountainNamedOutside(square);
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(nozzleCount(*p.state), 38);
    EXPECT_TRUE(load->isChecked());
    EXPECT_EQ(corners->value(), 4) << "the bowl comes along";
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("square.wat"));
}
