#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace pluviane {

// A captioned box of radio buttons laid out in columns; the checked item's index
// is the value. Like a bar, setting the index from code signals `indexChanged`
// only when it really changes, exactly as a user's click on another item does.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& name, const QString& caption, const QStringList& items, int index,
               int columns = 1, QWidget* parent = nullptr);

    int itemIndex() const;
    // Out-of-range indices are ignored.
    void setItemIndex(int index);
    int count() const;

signals:
    void indexChanged(int index);

private:
    QButtonGroup* buttons_ = nullptr;
};

} // namespace pluviane
