#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

// The serial ports a modem hangs on. "COM 1" to "COM 4" open /dev/ttyS0 to /dev/ttyS3 unless
// the settings file points one elsewhere: section "Dialing", key "COM1" to "COM4" holding a
// device path (a USB modem is /dev/ttyACM0, a pseudo-terminal /dev/pts/N).

// The device a port number (1 to 4) opens.
QString SerialPortDevice(int port);
// "COM1" to "COM4": the name messages use.
QString SerialPortName(int port);

// One open port, written to only. Closing happens when the object goes.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Writes every byte; false when the device refuses.
    virtual bool Write(const QByteArray& bytes) = 0;
};

// Opens a terminal device for writing, exclusively, as it stands: no device is created and
// its speed and line settings stay as the system has them. Null when it cannot be opened
// (missing, not a terminal, in use by another program, no permission).
std::unique_ptr<SerialPort> OpenSerialDevice(const QString& device);

// Opens a port by number through the installed opener (tests replace it); the default opens
// SerialPortDevice(port) with OpenSerialDevice.
std::unique_ptr<SerialPort> OpenSerialPort(int port);
using SerialPortOpener = std::function<std::unique_ptr<SerialPort>(int port)>;
// Installs an opener and returns the one it replaces; an empty one restores the default.
SerialPortOpener SetSerialPortOpener(SerialPortOpener opener);
