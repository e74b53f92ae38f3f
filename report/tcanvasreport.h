#pragma once

#include "report/painteroutput.h"
#include "report/pdffileoutput.h"
#include "report/tbasereport.h"

#include <optional>

// A report drawn on a device canvas: text, clipped text, lines, shaded cells, pictures.
class TCanvasReport : public TBaseReport {
protected:
    explicit TCanvasReport(std::function<void()> newPage = {}, double zoom = 1.0) : canvas_(std::move(newPage), zoom) {}

    ReportOutput& Output() override { return canvas_; }
    QSizeF DeviceDpi() const override { return canvas_.Active() ? canvas_.Dpi() : TBaseReport::DeviceDpi(); }
    PainterOutput& Canvas() { return canvas_; }

private:
    PainterOutput canvas_;
};

// A report printed as one job on the chosen printer. "PDF file" writes to the setup's
// PdfFileName, which whoever starts the run has chosen (a run without one fails), in the
// reader's standard fonts as long as the report allows.
class TReportPrinter : public TCanvasReport {
public:
    TReportPrinter();

protected:
    // With no printer at all the run fails: "No printers are defined, aborting print job.".
    bool CanRun() override;
    bool OpenOutput() override;
    void CloseOutput(bool aborted) override;
    ReportOutput& Output() override;
    bool OutputFailed() const override { return job_.Failed(); }

private:
    // Marks the run failed with the job's reason.
    void JobFailed();

    PrintJob job_;
    std::optional<PdfFileOutput> pdf_;
};
