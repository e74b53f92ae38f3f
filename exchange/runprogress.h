#pragma once
// What an import or export run tells whoever shows it, and asks back: the stage it is in,
// the gauge, a few times a second a chance to paint and take input, and whether a stop
// was asked for. The dialogs implement it; a run without a window takes the defaults.

#include <QString>

class RunProgress {
public:
    virtual ~RunProgress() = default;
    // A new stage begins ("Importing records", "Rebuilding Indexes "); stoppable is false
    // for a stage that must finish once begun, and the gauge starts again at 0.
    virtual void Stage(const QString& /*status*/, bool /*stoppable*/) {}
    // 0..100, told only when it moves.
    virtual void Gauge(int /*percent*/) {}
    // Paint and take input now; called a few times a second at most.
    virtual void Breathe() {}
    // Asked after each record of a stoppable stage.
    virtual bool StopRequested() { return false; }
};
