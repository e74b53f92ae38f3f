#include "platform/roomynote.h"

#include <QLabel>

QLabel* RoomyNote(const char* objectName, const QString& text)
{
    auto* note = new QLabel(text);
    note->setObjectName(QLatin1StringView(objectName));
    note->setWordWrap(true);
    QSizePolicy policy = note->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    note->setSizePolicy(policy);
    note->hide();
    return note;
}
