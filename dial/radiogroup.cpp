#include "dial/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(const char* name, const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    setObjectName(QLatin1StringView(name));
    auto* grid = new QGridLayout(this);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName() + QString::number(i));
        buttons_->addButton(button, i);
        // Filled down the first column, then the next, as the items are read.
        grid->addWidget(button, i % rows, i / rows);
    }
    buttons_->button(0)->setChecked(true);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            emit ItemIndexChanged(id);
    });
}

int TRadioGroup::ItemIndex() const
{
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}
