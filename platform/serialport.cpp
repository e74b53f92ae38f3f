#include "platform/serialport.h"

#include "platform/settings.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace {

class TerminalPort : public SerialPort {
public:
    explicit TerminalPort(int fd) : fd_(fd) {}
    ~TerminalPort() override
    {
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
    }

    bool Write(const QByteArray& bytes) override
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

private:
    int fd_;
};

SerialPortOpener& installedOpener()
{
    static SerialPortOpener opener;
    return opener;
}

} // namespace

QString SerialPortName(int port)
{
    return QStringLiteral("COM%1").arg(port);
}

QString SerialPortDevice(int port)
{
    const QString configured = ReadSettingString(QStringLiteral("Dialing"), SerialPortName(port)).trimmed();
    return configured.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(port - 1) : configured;
}

std::unique_ptr<SerialPort> OpenSerialDevice(const QString& device)
{
    // Non-blocking only while opening, so a modem without carrier does not hold the open.
    const int fd = ::open(QFile::encodeName(device).constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // Only terminals: a setting pointing at a plain file must not write into it. The lock
    // keeps a second program (or a second dial) off the port while this one uses it.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // A modem listens only with DTR up; pseudo-terminals have no such lines and refuse, harmlessly.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);
    return std::make_unique<TerminalPort>(fd);
}

std::unique_ptr<SerialPort> OpenSerialPort(int port)
{
    const SerialPortOpener& opener = installedOpener();
    return opener ? opener(port) : OpenSerialDevice(SerialPortDevice(port));
}

SerialPortOpener SetSerialPortOpener(SerialPortOpener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}
