#pragma once

#include "report/tcanvasreport.h"
#include "report/treportfiler.h"

#include <QImage>
#include <memory>

class ReportStreamReader;

// Replays a recorded report stream onto the printer as one job, pages FirstPage to
// LastPage. A stream it cannot read stops the job, marked failed with "Unexpected code
// found in report file.".
class TFilePrinter : public TReportPrinter {
public:
    TFilePrinter();
    ~TFilePrinter() override;

    TStreamMode StreamMode() const { return mode_; }
    void SetStreamMode(TStreamMode mode) { mode_ = mode; }
    void SetStream(QByteArray* stream) { user_ = stream; }
    QByteArray* Stream() { return mode_ == smUser ? user_ : &memory_; }

    // Prints the stream; false when it was cancelled or could not be read.
    bool Execute();

protected:
    // Reads the stream's page index; false (the run marked failed) when it is unreadable.
    bool OpenStream();
    const ReportStreamReader* Reader() const { return reader_.get(); }
    // Marks the run failed with the stream's error.
    void StreamFailed(const EReportPrinter& error);

private:
    TStreamMode mode_ = smUser;
    QByteArray memory_;
    QByteArray* user_ = nullptr;
    std::unique_ptr<ReportStreamReader> reader_;
};

// Shows one page of a report stream at a time, rendered only when it is asked for, at a
// zoom factor (100 = the paper's size on the screen).
class TFilePreview : public TFilePrinter {
public:
    TFilePreview();

    // Starts reading the stream; false when it cannot be read.
    bool Start();
    int PageCount() const;
    // Page 1 .. PageCount; other numbers are ignored.
    void ShowPage(int page);
    void NextPage() { ShowPage(page_ + 1); }
    void PreviousPage() { ShowPage(page_ - 1); }
    int Page() const { return page_; }

    double ZoomFactor() const { return zoom_; }
    // Kept within 10 ... 200.
    void SetZoomFactor(double zoom);
    int ZoomInc() const { return zoomInc_; }
    void SetZoomInc(int step) { zoomInc_ = step; }
    void ZoomIn() { SetZoomFactor(zoom_ + zoomInc_); }
    void ZoomOut() { SetZoomFactor(zoom_ - zoomInc_); }
    double MarginPercent() const { return marginPercent_; }
    void SetMarginPercent(double percent) { marginPercent_ = percent; }
    double ScreenDpi() const { return screenDpi_; }

    // The current page's paper in inches (the printer's paper before the stream is read).
    QSizeF PagePaper() const;
    // The current page drawn at the zoom factor; null before Start or when unreadable.
    QImage RenderPage();

    QString PrinterDeviceName() const override { return QStringLiteral("Preview"); }
    QString PrinterDriverName() const override { return QStringLiteral("Preview"); }
    QString PrinterPort() const override { return QStringLiteral("Screen"); }

private:
    int page_ = 0;
    double zoom_ = 100;
    int zoomInc_ = 10;
    double marginPercent_ = 2.5;
    double screenDpi_;
};
