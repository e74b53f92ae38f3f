#pragma once
// Lets the user's input through now and then during a long run over records: a look at
// the event queue costs time, and a few times a second is enough for Cancel to answer at
// once while the run keeps its speed.
//
//   InputPacer pacer(letInputThrough);  // may be empty: then nothing is let through
//   for (...) { ...one record...; pacer.Tick(); }

#include <QElapsedTimer>
#include <functional>

class InputPacer {
public:
    static constexpr qint64 IntervalMs = 40;

    // letThrough is read at each tick, so it must outlive the pacer.
    explicit InputPacer(const std::function<void()>& letThrough) : letThrough_(letThrough) { sinceInput_.start(); }

    // Lets input through when the interval has passed since the last time (or the start).
    void Tick()
    {
        if (letThrough_ && sinceInput_.elapsed() >= IntervalMs) {
            letThrough_();
            sinceInput_.restart();
        }
    }

private:
    const std::function<void()>& letThrough_;
    QElapsedTimer sinceInput_;
};
