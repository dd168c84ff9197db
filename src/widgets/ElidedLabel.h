#pragma once

#include <QLabel>

namespace pluviane {

// A one-line label that never widens its window: a text longer than the room
// it gets ends in "…", and the whole text is its tooltip. Set the text with
// setFullText().
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return fullText_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void elide();

    QString fullText_;
};

} // namespace pluviane
