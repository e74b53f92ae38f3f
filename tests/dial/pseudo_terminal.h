#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

// A pseudo-terminal standing in for a modem: the program opens Device() like a serial
// port, and the master side records every byte that arrives, with the time it arrived.
class PseudoTerminal {
public:
    using Clock = std::chrono::steady_clock;

    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    QString Device() const { return device_; }
    // Everything received so far.
    QByteArray Received() const;
    // Waits (up to a generous limit, never asserting on time) until this many bytes came.
    QByteArray WaitFor(qsizetype bytes) const;
    // When the byte at this offset arrived.
    Clock::time_point ArrivalOf(qsizetype offset) const;

private:
    void Read();

    int master_ = -1;
    int slave_ = -1;
    QString device_;
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    QByteArray received_;
    std::vector<std::pair<qsizetype, Clock::time_point>> arrivals_; // first offset of each read
    std::thread reader_;
};
