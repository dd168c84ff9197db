#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/WindowPlacement.h"
#include "info/HelpWindow.h"
#include "show/RecorderWindow.h"
#include "show/TimelineWindow.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace pluviane;
using namespace pluviane::test;

namespace {

// Waits until the window manager has framed the window and it stands where
// the program put it (frames come a little after the windows are mapped).
bool framed(QWidget& window)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        QTest::qWait(100);
        if (window.isVisible() && !window.windowHandle()->frameMargins().isNull())
            break;
    }
    QTest::qWait(2500); // the last frame check
    return !window.windowHandle()->frameMargins().isNull();
}

} // namespace

TEST(WindowManager, EveryWindowOpensWithItsTitleBarOnTheWorkAreaAndTheEditorAtTheLeft)
{
    Program p;
    MainWindow& main = p.windows->main();
    EditorWindow& editor = p.windows->editor();
    main.show();
    ASSERT_TRUE(framed(main)) << "no window manager framed the window";
    const QRect area = workArea();
    EXPECT_EQ(editor.frameGeometry(), QRect(area.left(), area.top(), 220, std::min(area.height(), 1030)));
    EXPECT_EQ(main.frameGeometry(), QRect(area.left() + 220, area.top(), area.width() - 220, std::min(area.height(), 1030)));
    EXPECT_TRUE(editor.isVisible());

    for (const char* button : {"SpeedButtonShowRec", "SpeedButtonShowTimeline", "SpeedButtonHelp"})
        control<QToolButton>(&editor, button)->click();
    for (QWidget* window : std::initializer_list<QWidget*>{&p.windows->recorder(), &p.windows->help()}) {
        ASSERT_TRUE(framed(*window)) << window->objectName().toStdString();
        EXPECT_TRUE(area.contains(window->frameGeometry())) << window->objectName().toStdString();
    }
    // The show track docks along the foot of the main window, below the view.
    QWidget& timeline = p.windows->timeline();
    QTest::qWait(100);
    ASSERT_TRUE(timeline.isVisible());
    const QRect docked(timeline.mapToGlobal(QPoint(0, 0)), timeline.size());
    EXPECT_TRUE(main.geometry().contains(docked)) << "docked inside the main window";
    EXPECT_GT(docked.top(), main.geometry().center().y()) << "along its foot";

    // A closed editor comes back with the main window's button and with its key.
    editor.close();
    ASSERT_FALSE(editor.isVisible());
    control<QAbstractButton>(&main, "SpeedButtonShowEditor")->click();
    EXPECT_TRUE(editor.isVisible());
    editor.close();
    main.activateWindow();
    QTest::qWait(200);
    QTest::keySequence(&main, kShowEditorKeys);
    EXPECT_TRUE(editor.isVisible());
}
