#include "pseudo_terminal.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    // Raw, as a modem line is: no translation of line ends on the way.
    if (openpty(&master_, &slave_, name, &raw, nullptr) != 0)
        ADD_FAILURE() << "no pseudo-terminal";
    device_ = QString::fromLocal8Bit(name);
    reader_ = std::thread([this] { Read(); });
}

PseudoTerminal::~PseudoTerminal()
{
    stop_ = true;
    reader_.join();
    ::close(slave_);
    ::close(master_);
}

void PseudoTerminal::Read()
{
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
            continue;
        char buffer[256];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        std::lock_guard guard(lock_);
        arrivals_.emplace_back(received_.size(), Clock::now());
        received_.append(buffer, n);
    }
}

QByteArray PseudoTerminal::Received() const
{
    std::lock_guard guard(lock_);
    return received_;
}

QByteArray PseudoTerminal::WaitFor(qsizetype bytes) const
{
    for (int i = 0; i < 500 && Received().size() < bytes; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return Received();
}

PseudoTerminal::Clock::time_point PseudoTerminal::ArrivalOf(qsizetype offset) const
{
    std::lock_guard guard(lock_);
    Clock::time_point at{};
    for (const auto& [first, time] : arrivals_)
        if (first <= offset)
            at = time;
    return at;
}
