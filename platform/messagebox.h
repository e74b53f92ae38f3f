#pragma once

#include "platform/messages.h"

// The program's message boxes: the service that shows each message in a box over the
// window dialogs open on.
class BoxMessageService : public MessageService {
public:
    int Show(const QString& text, const QString& caption, unsigned flags) override;
};
