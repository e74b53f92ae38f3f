#pragma once

#include "platform/messages.h"

#include <QStringList>

// Counts saves for aggressive saving: level 1 closes and reopens the file after every
// fifth save, any higher level after every save, level 0 never.
class AggressiveSaveCounter {
public:
    // Counts one save; true when the file is now due to go to disk.
    bool CountSave(int level);
    int Count() const { return Counter; }
    void Reset() { Counter = 0; }

private:
    int Counter = 0;
};

// Holds back the messages of the reopen attempts for its life: the attempts are many and
// one report at the end says it all. Questions get No, so no attempt starts more work.
class HeldMessages : public MessageService {
public:
    HeldMessages();
    ~HeldMessages() override;
    HeldMessages(const HeldMessages&) = delete;
    HeldMessages& operator=(const HeldMessages&) = delete;

    int Show(const QString& text, const QString& caption, unsigned flags) override;
    // The messages held back since the last Clear.
    const QStringList& Texts() const { return Held; }
    void Clear() { Held.clear(); }

private:
    MessageService* Previous;
    QStringList Held;
};
