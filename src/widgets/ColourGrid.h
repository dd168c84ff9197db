#pragma once

#include <QWidget>

namespace pluviane {

// One row of the sixteen standard colours; the chosen index is the value.
// Choosing from code signals nothing; a click signals `chosen`.
class ColourGrid : public QWidget {
    Q_OBJECT
public:
    ColourGrid(const QString& name, int index, QWidget* parent = nullptr);

    int selectedIndex() const { return index_; }
    void setSelectedIndex(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void chosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF cellRect(int index) const;

    int index_ = 0;
};

} // namespace pluviane
