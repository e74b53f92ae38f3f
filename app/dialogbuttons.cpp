#include "app/dialogbuttons.h"

#include <QPushButton>

QPushButton* AddNamedButton(QDialogButtonBox* box, const QString& caption, QDialogButtonBox::ButtonRole role,
                            const char* name)
{
    QPushButton* button = box->addButton(caption, role);
    button->setObjectName(name);
    return button;
}
