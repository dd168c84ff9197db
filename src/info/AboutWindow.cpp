#include "info/AboutWindow.h"

#include "widgets/Controls.h"

#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pluviane {

namespace {

constexpr int kFlashIntervalMs = 300;
constexpr int kFrameWidth = 3;
const QColor kSkyBlue(166, 202, 240);
const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kGrey(128, 128, 128);
const QColor kAqua(0, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);

QLabel* styledLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour,
                    int pixelSize, bool bold, bool italic)
{
    QLabel* label = makeLabel(parent, QString::fromLatin1(name), text);
    QFont font = label->font();
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
    setTextColour(label, colour);
    return label;
}

// A small fountain of our own: a bowl and a fan of jets, drawn to fit whatever
// size the window gives it, on a transparent ground.
class FountainPicture : public QWidget {
public:
    explicit FountainPicture(QWidget* parent) : QWidget(parent)
    {
        setObjectName("Image1");
        setAttribute(Qt::WA_TranslucentBackground);
        setMinimumSize(120, 120);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // Proportional: a square picture centred in the widget.
        const qreal side = qMin(width(), height());
        p.translate((width() - side) / 2.0, (height() - side) / 2.0);
        p.scale(side / 100.0, side / 100.0);

        p.setPen(QPen(QColor(30, 60, 120), 1.5));
        p.setBrush(QColor(90, 110, 140));
        p.drawEllipse(QRectF(10, 78, 80, 14));
        p.setBrush(QColor(60, 120, 200));
        p.drawEllipse(QRectF(16, 80, 68, 9));

        const QColor water(235, 245, 255, 220);
        p.setBrush(Qt::NoBrush);
        for (int k = -3; k <= 3; ++k) {
            QPainterPath jet(QPointF(50, 84));
            const qreal reach = 50 + k * 11.0;
            const qreal peak = 14 + qAbs(k) * 9.0;
            jet.quadTo(QPointF((50 + reach) / 2, peak - 12), QPointF(reach, 82));
            p.setPen(QPen(water, 2.0 - qAbs(k) * 0.2));
            p.drawPath(jet);
        }
    }
};

} // namespace

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QColor textColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

QUrl AboutWindow::webAddress() { return QUrl(QStringLiteral("https://pluviane.example.org/")); }
QUrl AboutWindow::mailAddress() { return QUrl(QStringLiteral("mailto:pluviane@example.org")); }

AboutWindow::AboutWindow(AppWindows& windows)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint),
      windows_(windows), openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    setObjectName("AboutForm");
    setWindowTitle(tr("О программе"));
    setFixedSize(525, 192);
    QPalette sky = palette();
    sky.setColor(QPalette::Window, kSkyBlue);
    setPalette(sky);
    setAutoFillBackground(true);
    setMouseTracking(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(buildTexts(), 1);
    layout->addWidget(new FountainPicture(this), 1);

    timerFlesh_.setObjectName("TimerFlesh");
    timerFlesh_.setInterval(kFlashIntervalMs);
    connect(&timerFlesh_, &QTimer::timeout, this, &AboutWindow::TimerFleshTimer);
    timerFlesh_.start();
}

QWidget* AboutWindow::buildTexts()
{
    auto* texts = new QWidget(this);
    texts->setMouseTracking(true);
    auto* column = new QVBoxLayout(texts);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);

    column->addWidget(styledLabel(texts, "LabelVersion",
                                  tr("Version 1.5  Pluviane  (декабрь 2026)"), kNavy, 0,
                                  true, false));
    column->addWidget(styledLabel(texts, "LabelContact",
                                  tr("Связь с разработчиками — через сайт проекта"), kNavy,
                                  0, true, false));
    column->addWidget(styledLabel(texts, "LabelAuthor",
                                  tr("Разработка: проект Pluviane"), kNavy, 0, true, false));

    // The company name twice, the grey one a few pixels off behind the teal one.
    auto* names = new QWidget(texts);
    names->setFixedHeight(34);
    QLabel* shadow = styledLabel(names, "LabelCompanyShadow", QStringLiteral("Pluviane"), kGrey, 24,
                                 true, true);
    QLabel* name = styledLabel(names, "LabelCompany", QStringLiteral("Pluviane"), kTeal, 24, true,
                               true);
    shadow->move(3, 3);
    name->move(0, 0);
    column->addWidget(names);

    webLink_ = styledLabel(texts, "LabelWeb",
                           tr("Новая версия программы и дополнительная информация на "
                                          "сайте  ") +
                               webAddress().toString(),
                           Qt::black, 0, false, true);
    webLink_->setWordWrap(true);
    webLink_->setMouseTracking(true);
    webLink_->installEventFilter(this);
    column->addWidget(webLink_);

    mailLink_ = styledLabel(texts, "LabelMail", mailAddress().path(), kYellow, 16, true, true);
    mailLink_->setMouseTracking(true);
    mailLink_->installEventFilter(this);
    column->addWidget(mailLink_);

    close_ = makeButton(texts, "BitBtnClose", QStringLiteral("OK"));
    close_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    close_->setCursor(Qt::PointingHandCursor);
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);
    column->addWidget(close_, 0, Qt::AlignLeft);
    column->addStretch(1);
    return texts;
}

void AboutWindow::TimerFleshTimer()
{
    if (!isVisible())
        return;
    flashLit_ = !flashLit_;
    update();
}

void AboutWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    const QColor frame = flashLit_ ? kNavy : kSkyBlue;
    painter.setPen(QPen(frame, kFrameWidth));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event)
{
    webLink_->setCursor(Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == webLink_)
        webLinkEvent(event);
    else if (watched == mailLink_)
        mailLinkEvent(event);
    else
        return QWidget::eventFilter(watched, event);
    // A move over a link must not reach the window's own move handling, which
    // gives the web link its arrow cursor back.
    return event->type() == QEvent::MouseMove;
}

void AboutWindow::follow(QLabel* link, const QUrl& url)
{
    setTextColour(link, kGreen);
    if (openUrl_)
        openUrl_(url); // no browser or mail program: nothing to report
    setTextColour(link, kGreen);
}

void AboutWindow::webLinkEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        setTextColour(webLink_, kRed);
        webLink_->setCursor(Qt::PointingHandCursor);
        break;
    case QEvent::Leave:
        setTextColour(webLink_, kNavy);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            follow(webLink_, webAddress());
        break;
    default:
        break;
    }
}

void AboutWindow::mailLinkEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        setTextColour(mailLink_, kRed);
        mailLink_->setCursor(Qt::PointingHandCursor);
        break;
    case QEvent::Leave:
        setTextColour(mailLink_, kAqua);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            follow(mailLink_, mailAddress());
        break;
    default:
        break;
    }
}

} // namespace pluviane
