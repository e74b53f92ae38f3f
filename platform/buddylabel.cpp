#include "platform/buddylabel.h"

#include <QLabel>

QLabel* BuddyLabelOf(const QWidget* within, const QWidget* control)
{
    for (QLabel* label : within->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}
