#include "report/tfileprinter.h"

#include "report/previewzoom.h"
#include "report/reportstream.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

TFilePrinter::TFilePrinter() = default;
TFilePrinter::~TFilePrinter() = default;

void TFilePrinter::StreamFailed(const EReportPrinter& error)
{
    reader_.reset();
    MarkFailed(error.Message());
}

bool TFilePrinter::OpenStream()
{
    if (!Stream())
        throw EReportPrinter(ReportErrors::NoStream);
    try {
        reader_ = std::make_unique<ReportStreamReader>(*Stream());
    } catch (const EReportPrinter& error) {
        StreamFailed(error);
        return false;
    }
    return true;
}

bool TFilePrinter::Execute()
{
    if (!OpenStream() || !CanRun())
        return false;
    if (!OpenOutput()) {
        MarkAborted();
        return false;
    }
    bool failed = false;
    try {
        const int last = std::min(LastPage(), reader_->PageCount());
        for (int page = std::max(1, FirstPage()); page <= last; ++page)
            reader_->ReplayPage(page, Output());
    } catch (const EReportPrinter& error) {
        failed = true;
        CloseOutput(true);
        StreamFailed(error);
    }
    if (!failed)
        CloseOutput(false);
    return !failed && Failure().isEmpty();
}

// ---- preview -------------------------------------------------------------------------------

TFilePreview::TFilePreview()
    : screenDpi_(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96)
{}

bool TFilePreview::Start()
{
    if (!OpenStream())
        return false;
    page_ = PageCount() > 0 ? 1 : 0;
    return true;
}

int TFilePreview::PageCount() const
{
    return Reader() ? Reader()->PageCount() : 0;
}

void TFilePreview::ShowPage(int page)
{
    if (page >= 1 && page <= PageCount())
        page_ = page;
}

void TFilePreview::SetZoomFactor(double zoom)
{
    zoom_ = ClampZoom(zoom);
}

QSizeF TFilePreview::PagePaper() const
{
    if (page_ < 1)
        return Printer().PaperSizeInches();
    const ReportPage page = Reader()->Page(page_);
    return QSizeF(page.paper.width() * page.scaleX / 100, page.paper.height() * page.scaleY / 100);
}

QImage TFilePreview::RenderPage()
{
    if (page_ < 1 || !Reader())
        return {};
    try {
        const QSizeF paper = PagePaper();
        const double pixelsPerInch = screenDpi_ * zoom_ / 100;
        QImage image(qMax(1, qRound(paper.width() * pixelsPerInch)), qMax(1, qRound(paper.height() * pixelsPerInch)),
                     QImage::Format_RGB32);
        const int dotsPerMeter = qRound(screenDpi_ / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        PainterOutput canvas({}, zoom_ / 100);
        canvas.Begin(&image);
        Reader()->ReplayPage(page_, canvas);
        canvas.End();
        return image;
    } catch (const EReportPrinter& error) {
        page_ = 0;
        StreamFailed(error);
        return {};
    }
}
