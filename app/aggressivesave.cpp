#include "app/aggressivesave.h"

bool AggressiveSaveCounter::CountSave(int level)
{
    if (level <= 0)
        return false;
    const int threshold = level == 1 ? 5 : 1;
    if (++Counter < threshold)
        return false;
    Counter = 0;
    return true;
}

HeldMessages::HeldMessages() : Previous(SetMessageService(this)) {}

HeldMessages::~HeldMessages()
{
    SetMessageService(Previous);
}

int HeldMessages::Show(const QString& text, const QString&, unsigned flags)
{
    Held.append(text);
    const QVector<int> buttons = MessageButtons(flags);
    return buttons.contains(IdNo) ? IdNo : DefaultAnswer(flags);
}
