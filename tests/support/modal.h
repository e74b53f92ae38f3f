#pragma once

#include <QWidget>
#include <functional>

// Works a modal dialog that the code under test is about to open with exec(): polls
// for the next modal widget, hands it to the action (which must close it) and, should
// no modal appear or the action leave it open, closes whatever is modal after the
// deadline so a wrong test fails instead of hanging. Call before the code that opens it.
void WhenModalOpens(std::function<void(QWidget*)> action, int deadlineMs = 5000);

// True when WhenModalOpens found a modal since the last call (then resets).
bool ModalWasHandled();
