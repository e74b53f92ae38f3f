#pragma once

#include "report/reportstream.h"
#include "report/tbasereport.h"

#include <QByteArray>
#include <optional>

// Where a report stream lives: in the component (smMemory) or in a byte array the caller
// supplies before the run and frees after the preview (smUser).
enum TStreamMode { smMemory, smUser };

// Records a run into a report stream instead of drawing it; the preview shows it. Runs
// on the chosen printer's paper, so the preview shows what the printer would print.
class TReportFiler : public TBaseReport {
public:
    TStreamMode StreamMode() const { return mode_; }
    void SetStreamMode(TStreamMode mode) { mode_ = mode; }
    // The caller's stream for smUser (not owned); emptied at the start of each run.
    void SetStream(QByteArray* stream) { user_ = stream; }
    QByteArray* Stream() { return mode_ == smUser ? user_ : &memory_; }

    QString PrinterDeviceName() const override { return QStringLiteral("Preview"); }
    QString PrinterDriverName() const override { return QStringLiteral("Preview"); }
    QString PrinterPort() const override { return QStringLiteral("Screen"); }

protected:
    // With smUser and no stream: EReportPrinter "StreamMode is smUser but Stream is nil".
    bool CanRun() override;
    bool OpenOutput() override;
    void CloseOutput(bool aborted) override;
    ReportOutput& Output() override { return *writer_; }

private:
    TStreamMode mode_ = smMemory;
    QByteArray memory_;
    QByteArray* user_ = nullptr;
    std::optional<ReportStreamWriter> writer_;
};
