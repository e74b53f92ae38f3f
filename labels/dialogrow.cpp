#include "labels/dialogrow.h"

#include <QHBoxLayout>
#include <QPushButton>

QPushButton* DialogButton(QHBoxLayout* row, const char* objectName, const QString& caption, bool isDefault)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1StringView(objectName));
    button->setAutoDefault(false);
    button->setDefault(isDefault);
    row->addWidget(button);
    return button;
}
