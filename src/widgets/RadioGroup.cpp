#include "widgets/RadioGroup.h"

#include "widgets/Controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace pluviane {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items,
                       int index, int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    nameCaptioned(this, name);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(1);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    if (QAbstractButton* start = buttons_->button(index))
        start->setChecked(true);
    // Only the newly checked item reports, so a change signals once.
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit indexChanged(id);
    });
}

int RadioGroup::itemIndex() const
{
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

int RadioGroup::count() const
{
    return static_cast<int>(buttons_->buttons().size());
}

} // namespace pluviane
