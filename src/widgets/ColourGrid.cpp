#include "widgets/ColourGrid.h"

#include "render/Palette.h"
#include "widgets/Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace pluviane {

ColourGrid::ColourGrid(const QString& name, int index, QWidget* parent) : QWidget(parent)
{
    nameUncaptioned(this, name);
    setSelectedIndex(index);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ColourGrid::setSelectedIndex(int index)
{
    // The grid keeps what it is given, like the file does; only 0..15 show a mark.
    index_ = index;
    update();
}

QSize ColourGrid::sizeHint() const { return {16 * 12, 14}; }
QSize ColourGrid::minimumSizeHint() const { return {16 * 8, 12}; }

QRectF ColourGrid::cellRect(int index) const
{
    const qreal w = width() / 16.0;
    return {index * w, 0, w, static_cast<qreal>(height())};
}

void ColourGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int i = 0; i < 16; ++i) {
        const Rgb& c = kBowlPalette[i];
        painter.fillRect(cellRect(i), QColor::fromRgbF(c[0], c[1], c[2]));
    }
    if (index_ >= 0 && index_ < 16) {
        QPen pen(hasFocus() ? palette().highlight().color() : QColor(Qt::white), 2);
        painter.setPen(pen);
        painter.drawRect(cellRect(index_).adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(cellRect(index_).adjusted(2.5, 2.5, -2.5, -2.5));
    }
}

void ColourGrid::mousePressEvent(QMouseEvent* event)
{
    const int cell = static_cast<int>(event->position().x() * 16 / qMax(1, width()));
    if (cell < 0 || cell > 15)
        return;
    setSelectedIndex(cell);
    emit chosen(cell);
}

void ColourGrid::keyPressEvent(QKeyEvent* event)
{
    int next = index_;
    if (event->key() == Qt::Key_Left)
        next = qMax(0, index_ - 1);
    else if (event->key() == Qt::Key_Right)
        next = qMin(15, index_ + 1);
    else {
        QWidget::keyPressEvent(event);
        return;
    }
    if (next != index_) {
        setSelectedIndex(next);
        emit chosen(next);
    }
}

} // namespace pluviane
