#include "exchange/namedbutton.h"

#include <QPushButton>

QPushButton* NamedButton(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
