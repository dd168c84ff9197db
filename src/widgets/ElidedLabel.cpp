#include "widgets/ElidedLabel.h"

#include <QEvent>
#include <QFontMetrics>

namespace pluviane {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text)
{
    fullText_ = text;
    elide();
}

QSize ElidedLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

// The whole text's width, so that a layout with room to spare shows it all.
QSize ElidedLabel::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(fullText_) + 2 * margin() + 2, QLabel::sizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        elide();
}

void ElidedLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    elide();
}

// A hidden label has no width of its own yet: it holds the whole text until shown.
void ElidedLabel::elide()
{
    setText(isVisible() ? fontMetrics().elidedText(fullText_, Qt::ElideRight, contentsRect().width()) : fullText_);
    setToolTip(fullText_);
}

} // namespace pluviane
