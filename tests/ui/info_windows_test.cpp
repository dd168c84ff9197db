#include "TestSupport.h"

#include "editor/EditorWindow.h"
#include "info/AboutWindow.h"
#include "info/HelpWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

using namespace pluviane;
using namespace pluviane::test;

namespace {

void moveOver(QWidget* widget)
{
    const QPointF at(2, 2);
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

void leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

void clickOn(QWidget* widget)
{
    const QPointF at(2, 2);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

} // namespace

TEST(AboutWindow, LooksAndBlinksWhileShown)
{
    Program p;
    AboutWindow& about = p.windows->about();
    EXPECT_EQ(about.windowTitle(), "О программе");
    EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(about.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(about.size(), QSize(525, 192));
    EXPECT_TRUE(about.flashTimer().isActive());
    EXPECT_EQ(about.flashTimer().interval(), 300);
    EXPECT_TRUE(control<QLabel>(&about, "LabelVersion")->text().startsWith("Version 1.5"));
    EXPECT_TRUE(control<QLabel>(&about, "LabelWeb")->text().startsWith(
        "Новая версия программы и дополнительная информация на сайте  "));

    // Hidden, it does not blink; shown, every tick turns the frame over.
    const bool hiddenPhase = about.flashLit();
    about.TimerFleshTimer();
    EXPECT_EQ(about.flashLit(), hiddenPhase);
    about.show();
    about.TimerFleshTimer();
    const bool first = about.flashLit();
    about.TimerFleshTimer();
    EXPECT_NE(about.flashLit(), first);

    control<QPushButton>(&about, "BitBtnClose")->click();
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutWindow, LinksChangeColourAndOpenTheirAddresses)
{
    Program p;
    AboutWindow& about = p.windows->about();
    QList<QUrl> opened;
    about.setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return false; // no browser: nothing is reported
    });
    about.show();
    auto* web = control<QLabel>(&about, "LabelWeb");
    auto* mail = control<QLabel>(&about, "LabelMail");
    EXPECT_EQ(textColour(web), QColor(Qt::black));
    EXPECT_EQ(textColour(mail), QColor(255, 255, 0));

    moveOver(web);
    EXPECT_EQ(textColour(web), QColor(255, 0, 0));
    EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
    leave(web);
    EXPECT_EQ(textColour(web), QColor(0, 0, 128));
    moveOver(&about); // over the background the web link gets its arrow back
    EXPECT_EQ(web->cursor().shape(), Qt::ArrowCursor);

    moveOver(mail);
    EXPECT_EQ(textColour(mail), QColor(255, 0, 0));
    EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);
    leave(mail);
    EXPECT_EQ(textColour(mail), QColor(0, 255, 255));

    clickOn(web);
    clickOn(mail);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], AboutWindow::webAddress());
    EXPECT_EQ(opened[1].scheme(), "mailto");
    EXPECT_TRUE(mail->text().contains(opened[1].path()));
    EXPECT_TRUE(web->text().contains(opened[0].toString()));
    EXPECT_EQ(textColour(web), QColor(0, 128, 0));
    EXPECT_EQ(textColour(mail), QColor(0, 128, 0));
    EXPECT_TRUE(about.isVisible());

    // Closed and reopened, it keeps the colours the last events left.
    about.hide();
    control<QToolButton>(&p.windows->editor(), "SpeedButtonAbout")->click();
    EXPECT_EQ(textColour(web), QColor(0, 128, 0));
}

TEST(HelpWindow, HoldsAnEditableHelpTextAboutTheRealControls)
{
    Program p;
    HelpWindow& help = p.windows->help();
    EXPECT_EQ(help.windowTitle(), "Окно помощи");
    EXPECT_EQ(help.size(), QSize(642, 480));
    EXPECT_FALSE(help.windowFlags() & Qt::WindowMaximizeButtonHint);
    QPlainTextEdit* memo = control<QPlainTextEdit>(&help, "Memo1");
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->font().pixelSize(), 13);
    EXPECT_FALSE(memo->isReadOnly());

    const QString text = memo->toPlainText();
    EXPECT_GE(memo->document()->blockCount(), 45);
    for (const char* topic : {"левая кнопка", "правая кнопка", "стрелками", "Shift", "Ctrl",
                              "«Oпции»", "«Группы»", "«Управление»", "Задуманные расширения",
                              "example.org"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;

    memo->appendPlainText("заметка");
    EXPECT_TRUE(memo->toPlainText().endsWith("заметка"));
}
