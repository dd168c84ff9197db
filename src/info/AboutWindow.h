#pragma once

#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace pluviane {

class AppWindows;

// "О программе": the version, the maker's contacts and two live links. While
// shown it blinks: the window frame changes colour every 300 ms, since not
// every window system can flash a caption.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(AppWindows& windows);

    // Opens a link; failures are ignored. Tests put in their own.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void setUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }

    static QUrl webAddress();
    static QUrl mailAddress();

    QTimer& flashTimer() { return timerFlesh_; }
    bool flashLit() const { return flashLit_; }

    void TimerFleshTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildTexts();
    void webLinkEvent(QEvent* event);
    void mailLinkEvent(QEvent* event);
    void follow(QLabel* link, const QUrl& url);

    AppWindows& windows_;
    QLabel* webLink_ = nullptr;
    QLabel* mailLink_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer timerFlesh_;
    bool flashLit_ = false;
    UrlOpener openUrl_;
};

// Sets the colour of a label's text.
void setTextColour(QLabel* label, const QColor& colour);
QColor textColour(const QLabel* label);

} // namespace pluviane
