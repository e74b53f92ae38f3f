#pragma once

#include "dial/modemcommands.h"

#include <QString>

enum class TDialPort { dpCOM1, dpCOM2, dpCOM3, dpCOM4 };

// Dials a number through a modem on a serial port with AT commands: the initialization
// string (when there is one) and a pause for the modem, the dial command, then, once the
// user has picked up the handset, the hang-up command, so the modem leaves the line to
// the handset.
class TDialer {
public:
    TDialPort ComPort = TDialPort::dpCOM1;
    TDialMethod Method = TDialMethod::dmTone;
    QString NumberToDial;
    QString InitStr; // gains "AT" in front when dialing finds it without
    bool Confirm = false;

    void Dial();

    static constexpr int InitPauseMs = 1500;
};
