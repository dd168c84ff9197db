#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/SceneView.h"
#include "editor/BowlTab.h"
#include "editor/EditorWindow.h"
#include "info/AboutWindow.h"
#include "info/HelpWindow.h"
#include "video/FountainRender.h"
#include "show/RecorderWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace pluviane;
using namespace pluviane::test;

TEST(Startup, WindowsAndTheirFirstLook)
{
    Program p;
    // The toolkit appends a display name of the program's own to every title.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    EXPECT_EQ(QGuiApplication::desktopFileName(), "pluviane");
    MainWindow& main = p.windows->main();
    EditorWindow& editor = p.windows->editor();

    EXPECT_EQ(main.windowTitle(), QStringLiteral("Визуализация фонтанов"));
    EXPECT_EQ(main.cursor().shape(), Qt::SizeAllCursor);
    EXPECT_EQ(main.scene().cursor().shape(), Qt::SizeAllCursor);
    auto* panel = control<QWidget>(&main, "Panel1");
    EXPECT_EQ(panel->height(), 57);
    EXPECT_EQ(control<QLabel>(&main, "Labelforsunok")->text(), QStringLiteral("Форсунок всего : 0"));
    EXPECT_EQ(control<QPushButton>(&main, "SpeedButtonIso")->text(), QStringLiteral("ISOMETR"));
    EXPECT_FALSE(control<QWidget>(&main, "GroupBox1")->isVisibleTo(&main));
    EXPECT_EQ(main.renderTimer().interval(), 50);
    EXPECT_FALSE(main.renderTimer().isActive()) << "the tick waits for the OpenGL set-up";

    EXPECT_TRUE(editor.windowFlags() & Qt::Tool);
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("fontan01.wat"));
    QTabWidget* tabs = editor.tabs();
    const QStringList captions{"Управление", "Чаша", "Ред.Струи", "Группы", "Автомат", "Oпции"};
    ASSERT_EQ(tabs->count(), captions.size());
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabText(i), captions[i]);
    EXPECT_TRUE(QStringLiteral("Oпции").startsWith(QChar('O')));
    // The tabs stand in two rows of buttons; a click turns the page.
    auto* cupButton = control<QAbstractButton>(&editor, "TabButton2");
    EXPECT_EQ(cupButton->text(), QStringLiteral("Чаша"));
    cupButton->click();
    EXPECT_EQ(tabs->currentIndex(), 1);
    tabs->setCurrentIndex(5);
    EXPECT_TRUE(control<QAbstractButton>(&editor, "TabButton6")->isChecked());
    EXPECT_NE(editor.statusBar(), nullptr);

    EXPECT_EQ(p.windows->recorder().windowTitle(),
              QStringLiteral("Запись и редактирование форм струй и  цвета - яркости софитов"));
    EXPECT_FALSE(p.windows->about().isVisible());
    EXPECT_FALSE(p.windows->help().isVisible());
    EXPECT_FALSE(p.windows->recorder().isVisible());
}

TEST(Startup, StateStartsTheSameOnEveryRun)
{
    Program first;
    Program second;
    EXPECT_EQ(first.state->JetPos, second.state->JetPos);
    EXPECT_DOUBLE_EQ(first.state->ViewPanY, -12.0);
    EXPECT_EQ(nozzleCount(*first.state), 0);
}

TEST(Startup, ShowingTheMainWindowArrangesTheEditorBesideIt)
{
    Program p;
    p.windows->about().show();
    MainWindow& main = p.windows->main();
    main.show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EditorWindow& editor = p.windows->editor();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_FALSE(p.windows->about().isVisible());
    EXPECT_EQ(editor.frameGeometry(), QRect(screen.left(), screen.top(), 220, screen.height() - 50));
    EXPECT_EQ(main.frameGeometry(),
              QRect(screen.left() + 220, screen.top(), screen.width() - 220, screen.height() - 50));
    // The view has the keyboard from the start: the first arrow turns it.
    EXPECT_EQ(main.focusWidget(), &main.scene());
    EXPECT_EQ(control<QPushButton>(&main, "SpeedButtonIso")->focusPolicy(), Qt::NoFocus);
    main.close();
}

TEST(Startup, TheBackdropIsFoundInTheWorkingFolderElseBesideTheProgramElseInstalled)
{
    QTemporaryDir dir;
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath("prefix/bin") && root.mkpath("prefix/share/pluviane") && root.mkpath("home"));
    const QString program = root.filePath("prefix/bin");
    const QString before = QDir::currentPath();
    QDir::setCurrent(root.filePath("home")); // a desktop launcher starts in the home folder
    EXPECT_EQ(defaultBackdrop(program), QString());
    const auto put = [](const QString& path) { QFile file(path); return file.open(QIODevice::WriteOnly); };
    ASSERT_TRUE(put(root.filePath("prefix/share/pluviane/muzteatr.jpg")));
    EXPECT_EQ(QFileInfo(defaultBackdrop(program)).canonicalFilePath(),
              QFileInfo(root.filePath("prefix/share/pluviane/muzteatr.jpg")).canonicalFilePath());
    ASSERT_TRUE(put(root.filePath("prefix/bin/muzteatr.jpg")));
    EXPECT_EQ(defaultBackdrop(program), root.filePath("prefix/bin/muzteatr.jpg"));
    ASSERT_TRUE(put(root.filePath("home/muzteatr.jpg")));
    EXPECT_EQ(defaultBackdrop(program), "muzteatr.jpg") << "the working folder first";
    QDir::setCurrent(before);
}
