#include "TestSupport.h"

#include "app/MainWindow.h"
#include "app/SceneView.h"
#include "editor/BowlTab.h"
#include "editor/EditorWindow.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

using namespace pluviane;
using namespace pluviane::test;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               QPoint at)
{
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

TEST(ViewEvents, MouseAndKeysReachTheViewValues)
{
    Program p;
    FountainState& s = *p.state;
    SceneView& view = p.windows->main().scene();

    sendMouse(&view, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
    sendMouse(&view, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {70, 40});
    EXPECT_DOUBLE_EQ(s.ViewAngleY, 20);
    EXPECT_DOUBLE_EQ(s.ViewAngleZ, 10);
    sendMouse(&view, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {70, 40});
    EXPECT_FALSE(s.DragRotate);

    sendMouse(&view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {0, 0});
    sendMouse(&view, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {16, 32});
    EXPECT_DOUBLE_EQ(s.ViewPanX, 1);
    EXPECT_DOUBLE_EQ(s.ViewPanY, -12.0 - 2);
    sendMouse(&view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {16, 32});

    QTest::keyPress(&view, Qt::Key_Shift);
    QTest::keyPress(&view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(s.ViewAngleZ, 11);
    QTest::keyRelease(&view, Qt::Key_Shift);
    QTest::keyPress(&view, Qt::Key_Control);
    QTest::keyPress(&view, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(s.ViewAngleY, 19);
    QTest::keyRelease(&view, Qt::Key_Control);
    QTest::keyPress(&view, Qt::Key_Right);
    EXPECT_NEAR(s.ViewPanX, 1.1, 1e-12);
}

TEST(ViewEvents, RenderTickSpinsTheFieldByTheEditorsBar)
{
    Program p;
    MainWindow& main = p.windows->main();
    p.windows->editor().bowlTab().spinBar()->setValue(80);
    main.Timer1Timer();
    main.Timer1Timer();
    EXPECT_DOUBLE_EQ(p.state->ViewAngleY, 6);
}
