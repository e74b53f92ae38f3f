#include "labels/dialogrow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <class Control>
Control* Choice(QLayout* column, const char* objectName, const QString& caption, bool checked)
{
    auto* control = new Control(caption);
    control->setObjectName(QLatin1StringView(objectName));
    control->setChecked(checked);
    column->addWidget(control);
    return control;
}

} // namespace

QPushButton* DialogButton(QHBoxLayout* row, const char* objectName, const QString& caption, bool isDefault)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1StringView(objectName));
    button->setAutoDefault(false);
    button->setDefault(isDefault);
    row->addWidget(button);
    return button;
}

QCheckBox* DialogCheck(QLayout* column, const char* objectName, const QString& caption, bool checked)
{
    return Choice<QCheckBox>(column, objectName, caption, checked);
}

QRadioButton* DialogRadio(QLayout* column, const char* objectName, const QString& caption, bool checked)
{
    return Choice<QRadioButton>(column, objectName, caption, checked);
}
