#include "report/tbasereport.h"

#include "report/statustext.h"

#include <QPicture>
#include <algorithm>
#include <cmath>

namespace {

// Positions compare within a millionth of an inch, so a line that ends exactly on the
// section's bottom still fits after a sum of rounded line heights.
constexpr double Epsilon = 1e-6;

QColor shadeColour(int percent)
{
    const int level = qRound(255 * (100 - percent) / 100.0);
    return QColor(level, level, level);
}

} // namespace

TBaseReport::TBaseReport()
{
    ResetSection();
}

TBaseReport::~TBaseReport() = default;

void TBaseReport::ClearOtherEvents()
{
    OnPrintPage = nullptr;
    OnAfterPrint = nullptr;
    OnNewPage = nullptr;
    OnPrintHeader = nullptr;
    OnPrintFooter = nullptr;
}

// ---- settings ------------------------------------------------------------------------------

void TBaseReport::SetUnits(TUnits units)
{
    requireIdle();
    units_ = units;
    switch (units) {
    case unInch:
        factor_ = 1;
        break;
    case unMM:
        factor_ = 25.4;
        break;
    case unCM:
        factor_ = 2.54;
        break;
    case unPoint:
        factor_ = 72;
        break;
    case unUser:
        break;
    }
}

void TBaseReport::SetUnitsFactor(double factor)
{
    requireIdle();
    if (factor <= 0)
        return;
    factor_ = factor;
    if (factor == 1)
        units_ = unInch;
    else if (factor == 25.4)
        units_ = unMM;
    else if (factor == 2.54)
        units_ = unCM;
    else if (factor == 72)
        units_ = unPoint;
    else
        units_ = unUser;
}

void TBaseReport::SetMarginLeft(double v)
{
    marginLeft_ = In(v);
    SetSectionLeft(v);
}

void TBaseReport::SetMarginRight(double v)
{
    marginRight_ = In(v);
    SetSectionRight(PaperWidth() - v);
}

void TBaseReport::SetMarginTop(double v)
{
    marginTop_ = In(v);
    SetSectionTop(v);
}

void TBaseReport::SetMarginBottom(double v)
{
    marginBottom_ = In(v);
    SetSectionBottom(PaperHeight() - v);
}

void TBaseReport::SetLinesPerInch(int lines)
{
    if (lines > 0)
        linesPerInch_ = lines;
}

TOrientation TBaseReport::Orientation() const
{
    switch (printer_.Orientation()) {
    case PaperOrientation::Portrait:
        return poPortrait;
    case PaperOrientation::Landscape:
        return poLandScape;
    default:
        return poDefault;
    }
}

void TBaseReport::SetOrientation(TOrientation o)
{
    requireIdle();
    printer_.SetOrientation(o == poPortrait    ? PaperOrientation::Portrait
                            : o == poLandScape ? PaperOrientation::Landscape
                                               : PaperOrientation::PrinterDefault);
    ResetSection();
}

void TBaseReport::SetTabShade(int percent)
{
    tabShade_ = std::clamp(percent, 0, 100);
}

void TBaseReport::SetTextBKMode(TBKMode mode)
{
    font_.opaque = mode == bkOpaque;
}

void TBaseReport::SetScaleX(double percent)
{
    requireIdle();
    if (percent > 0)
        scaleX_ = percent;
}

void TBaseReport::SetScaleY(double percent)
{
    requireIdle();
    if (percent > 0)
        scaleY_ = percent;
}

void TBaseReport::SetPrinterSetup(const PrinterSetup& setup)
{
    requireIdle();
    printer_ = setup;
    ResetSection();
}

// ---- run -----------------------------------------------------------------------------------

void TBaseReport::requireIdle() const
{
    if (running_)
        throw EReportPrinter(ReportErrors::AlreadyPrinting);
}

void TBaseReport::fire(const Event& event)
{
    if (event)
        event(*this);
}

ReportPage TBaseReport::PageFormat() const
{
    return ReportPage{printer_.PaperSizeInches(), scaleX_, scaleY_};
}

void TBaseReport::beginOutputPage()
{
    suppressed_ = aborted_ || page_ < firstPage_ || page_ > lastPage_;
    if (!suppressed_) {
        Output().BeginPage(PageFormat());
        Output().SetPen(pen_);
    }
}

void TBaseReport::RunReport()
{
    requireIdle();
    aborted_ = false;
    failure_.clear();
    if (!CanRun()) {
        aborted_ = true;
        return;
    }
    page_ = 0;
    fire(OnBeforePrint);
    if (!OpenOutput()) {
        aborted_ = true;
        return;
    }
    running_ = true;
    ResetSection();
    pen_ = ReportPen{};
    penX_ = penY_ = 0;
    tabs_.clear();
    savedTabs_.clear();
    GoToFirstLine();
    try {
        page_ = 1;
        beginOutputPage();
        reportProgress();
        try {
            fire(OnNewPage);
            fire(OnPrintHeader);
            if (OnPrint) {
                OnPrint(*this);
            } else if (OnPrintPage) {
                int page = page_;
                while (OnPrintPage(*this, page) && !aborted_) {
                    StartNewPage();
                    page = page_;
                }
            }
            fire(OnPrintFooter);
        } catch (const EReportAborted&) {
        }
    } catch (...) {
        aborted_ = true;
        running_ = false;
        CloseOutput(true);
        throw;
    }
    takeCancel();
    running_ = false;
    CloseOutput(aborted_);
    fire(OnAfterPrint);
}

void TBaseReport::AbortReport()
{
    aborted_ = true;
    suppressed_ = true;
}

void TBaseReport::MarkFailed(const QString& failure)
{
    aborted_ = true;
    if (failure_.isEmpty())
        failure_ = failure;
}

QString TBaseReport::StatusLine() const
{
    StatusValues values{statusText_,         page_,        firstPage_, lastPage_, PrinterDeviceName(),
                        PrinterDriverName(), PrinterPort()};
    QString text = ExpandStatus(statusFormat_, values);
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void TBaseReport::reportProgress()
{
    if (!progress_)
        return;
    progress_->Status(StatusLine());
    progress_->Breathe();
    takeCancel();
}

void TBaseReport::takeCancel()
{
    if (progress_ && !aborted_ && progress_->Cancelled())
        AbortReport();
}

void TBaseReport::StartNewPage()
{
    if (!running_)
        throw EReportPrinter(ReportErrors::NotPrinting);
    takeCancel();
    if (aborted_)
        throw EReportAborted();
    fire(OnPrintFooter);
    ++page_;
    reportProgress();
    if (OutputFailed())
        AbortReport();
    if (aborted_)
        throw EReportAborted();
    beginOutputPage();
    clearCurrentTab();
    ResetSection();
    GoToFirstLine();
    fire(OnNewPage);
    fire(OnPrintHeader);
}

void TBaseReport::SetPaperSize(int paperCode, double width, double height)
{
    requireIdle();
    printer_.SetPaperSize(paperCode, In(width), In(height));
    ResetSection();
}

QString TBaseReport::PrinterDeviceName() const
{
    return printer_.Printer();
}

QString TBaseReport::PrinterDriverName() const
{
    return printer_.DriverName();
}

QString TBaseReport::PrinterPort() const
{
    return printer_.PortName();
}

// ---- geometry ------------------------------------------------------------------------------

double TBaseReport::PaperWidth() const
{
    return U(printer_.PaperSizeInches().width());
}

double TBaseReport::PaperHeight() const
{
    return U(printer_.PaperSizeInches().height());
}

void TBaseReport::SetSectionLeft(double v)
{
    section_.left = In(v);
    setCursorX(std::max(cursorX(), section_.left));
}

void TBaseReport::SetSectionTop(double v)
{
    section_.top = In(v);
    cursorY_ = std::max(cursorY_, section_.top);
}

void TBaseReport::SetSectionRight(double v)
{
    section_.right = In(v);
    setCursorX(std::min(cursorX(), section_.right));
}

void TBaseReport::SetSectionBottom(double v)
{
    section_.bottom = In(v);
}

void TBaseReport::ResetSection()
{
    const QSizeF paper = printer_.PaperSizeInches();
    section_ = Section{marginLeft_, marginTop_, paper.width() - marginRight_, paper.height() - marginBottom_};
}

void TBaseReport::SetCursor(double x, double y)
{
    setCursorX(In(x));
    cursorY_ = In(y);
}

double TBaseReport::cursorX() const
{
    if (!advance_.isEmpty()) {
        cursorX_ += measure().Width(advance_);
        advance_.clear();
    }
    return cursorX_;
}

void TBaseReport::setCursorX(double x)
{
    cursorX_ = x;
    advance_.clear();
}

void TBaseReport::clearCurrentTab()
{
    currentTab_ = -1;
    tabPending_ = false;
}

void TBaseReport::GoToFirstLine()
{
    setCursorX(section_.left);
    cursorY_ = section_.top + LineHeightInches() - measure().Descent();
    line_ = 1;
    clearCurrentTab();
}

void TBaseReport::NextLine()
{
    setCursorX(section_.left);
    cursorY_ += LineHeightInches();
    ++line_;
    clearCurrentTab();
}

int TBaseReport::LinesRemaining() const
{
    const double room = section_.bottom - (cursorY_ + measure().Descent());
    if (room < -Epsilon)
        return 0;
    return static_cast<int>(std::floor(room / LineHeightInches() + Epsilon)) + 1;
}

double TBaseReport::LineHeightInches() const
{
    switch (lineHeightMethod_) {
    case lhmLinesPerInch:
        return 1.0 / linesPerInch_;
    case lhmFont:
        return font_.points / 60.0;
    case lhmUser:
        return userLineHeight_;
    }
    return font_.points / 60.0;
}

const FontMeasure& TBaseReport::measure() const
{
    if (!measure_)
        measure_.emplace(font_);
    return *measure_;
}

QRect TBaseReport::DeviceRect(double left, double top, double right, double bottom) const
{
    const QSizeF dpi = DeviceDpi();
    const int l = qRound(In(left) * dpi.width());
    const int t = qRound(In(top) * dpi.height());
    const int r = qRound(In(right) * dpi.width());
    const int b = qRound(In(bottom) * dpi.height());
    return QRect(l, t, r - l, b - t);
}

QRectF TBaseReport::inchRect(const QRect& deviceRect) const
{
    const QSizeF dpi = DeviceDpi();
    return QRectF(deviceRect.x() / dpi.width(), deviceRect.y() / dpi.height(), deviceRect.width() / dpi.width(),
                  deviceRect.height() / dpi.height());
}

// ---- fonts ---------------------------------------------------------------------------------

void TBaseReport::changeFont(const std::function<void(ReportFont&)>& change)
{
    cursorX();
    change(font_);
    measure_.reset();
}

void TBaseReport::SetFont(const QString& name, double points)
{
    if (points <= 0)
        return;
    changeFont([&](ReportFont& font) {
        const bool opaque = font.opaque;
        font = ReportFont{};
        font.name = name;
        font.points = points;
        font.opaque = opaque;
    });
}

void TBaseReport::SetBold(bool on)
{
    changeFont([on](ReportFont& font) { font.bold = on; });
}

void TBaseReport::SetItalic(bool on)
{
    changeFont([on](ReportFont& font) { font.italic = on; });
}

void TBaseReport::SetUnderline(bool on)
{
    changeFont([on](ReportFont& font) { font.underline = on; });
}

void TBaseReport::SetStrikeOut(bool on)
{
    changeFont([on](ReportFont& font) { font.strikeOut = on; });
}

// ---- text ----------------------------------------------------------------------------------

bool TBaseReport::drawing()
{
    if (!running_)
        throw EReportPrinter(ReportErrors::NotPrinting);
    takeCancel();
    if (aborted_)
        throw EReportAborted();
    return !suppressed_;
}

void TBaseReport::drawText(double x, const QString& text)
{
    if (drawing() && !text.isEmpty()) {
        Output().SetFont(font_);
        Output().Text(QPointF(x, cursorY_), text);
    }
    cursorX_ = x;
    advance_ = text;
}

void TBaseReport::printPiece(const QString& piece)
{
    if (piece.isEmpty())
        return;
    if (!tabPending_) {
        drawText(cursorX(), piece);
        return;
    }
    tabPending_ = false;
    const TabStop& tab = tabs_[currentTab_];
    const double left = tab.position + tab.margin;
    const double right = tab.position + tab.width - tab.margin;
    const double width = measure().Width(piece);
    switch (tab.justify) {
    case pjRight:
        drawText(right - width, piece);
        return;
    case pjCenter:
        drawText(tab.position + tab.width / 2 - width / 2, piece);
        return;
    case pjBlock: {
        // Words keep their own widths; the room left over is shared out between the gaps.
        // A single word, or words that already fill the cell, stay left-aligned.
        const QStringList words = piece.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        double wordsWidth = 0;
        for (const QString& w : words)
            wordsWidth += measure().Width(w);
        if (words.size() < 2 || wordsWidth >= right - left) {
            drawText(left, piece);
            return;
        }
        const double gap = (right - left - wordsWidth) / (words.size() - 1);
        double x = left;
        for (const QString& w : words) {
            drawText(x, w);
            x = cursorX() + gap;
        }
        return;
    }
    default:
        drawText(left, piece);
        return;
    }
}

void TBaseReport::PrintText(const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            NextTabStop();
        printPiece(pieces[i]);
    }
}

void TBaseReport::PrintTextLine(const QString& text)
{
    PrintText(text);
    NextLine();
}

void TBaseReport::PrintLeftAt(const QString& text, double x)
{
    drawText(In(x), text);
}

void TBaseReport::PrintRightAt(const QString& text, double x)
{
    drawText(In(x) - measure().Width(text), text);
}

void TBaseReport::PrintCenterAt(const QString& text, double x)
{
    drawText(In(x) - measure().Width(text) / 2, text);
}

void TBaseReport::PrintInRect(const QRect& deviceRect, double x, double y, const QString& text)
{
    if (drawing() && !text.isEmpty()) {
        Output().SetFont(font_);
        Output().ClippedText(inchRect(deviceRect), QPointF(In(x), In(y)), text);
    }
}

// ---- tab stops -----------------------------------------------------------------------------

void TBaseReport::ClearTabStops()
{
    tabs_.clear();
    clearCurrentTab();
}

void TBaseReport::AddTabStop(double position, int justify, double width, int margin, int boxLines, int shade)
{
    TabStop tab;
    if (position < 0)
        tab.position = tabs_.empty() ? marginLeft_ : tabs_.back().position + tabs_.back().width;
    else
        tab.position = In(position);
    tab.justify = justify;
    tab.width = std::max(0.0, In(width));
    if (tab.width > 0) {
        tab.margin = margin / 100.0;
        tab.boxLines = boxLines;
        tab.shade = std::clamp(shade, 0, 100);
    }
    tabs_.push_back(tab);
}

void TBaseReport::NextTabStop()
{
    ++currentTab_;
    if (currentTab_ >= static_cast<int>(tabs_.size())) {
        currentTab_ = static_cast<int>(tabs_.size());
        tabPending_ = false;
        return;
    }
    tabPending_ = true;
    const TabStop& tab = tabs_[currentTab_];
    if (tab.width <= 0)
        return;
    const int shade = tab.shade > 0 ? tab.shade : tabShade_;
    if ((shade <= 0 && tab.boxLines == 0) || !drawing())
        return;
    const double bottom = cursorY_ + measure().Descent();
    const double top = bottom - LineHeightInches();
    const double left = tab.position;
    const double right = tab.position + tab.width;
    if (shade > 0)
        Output().Fill(QRectF(QPointF(left, top), QPointF(right, bottom)), shadeColour(shade));
    Output().SetPen(pen_);
    if (tab.boxLines & blLeft)
        Output().Line(QPointF(left, top), QPointF(left, bottom));
    if (tab.boxLines & blRight)
        Output().Line(QPointF(right, top), QPointF(right, bottom));
    if (tab.boxLines & blTop)
        Output().Line(QPointF(left, top), QPointF(right, top));
    if (tab.boxLines & blBottom)
        Output().Line(QPointF(left, bottom), QPointF(right, bottom));
}

double TBaseReport::TabStopTextLeft(int n) const
{
    const int index = n == 0 ? currentTab_ : n - 1;
    if (index < 0 || index >= static_cast<int>(tabs_.size()))
        return 0;
    return U(tabs_[index].position + tabs_[index].margin);
}

void TBaseReport::SaveTabStops()
{
    savedTabs_.push_back(tabs_);
}

void TBaseReport::RestoreTabStops()
{
    if (savedTabs_.empty())
        return;
    tabs_ = std::move(savedTabs_.back());
    savedTabs_.pop_back();
    clearCurrentTab();
}

// ---- drawing -------------------------------------------------------------------------------

void TBaseReport::MoveTo(double x, double y)
{
    penX_ = In(x);
    penY_ = In(y);
}

void TBaseReport::LineTo(double x, double y)
{
    const QPointF from(penX_, penY_);
    MoveTo(x, y);
    if (drawing()) {
        Output().SetPen(pen_);
        Output().Line(from, QPointF(penX_, penY_));
    }
}

void TBaseReport::SetPen(const QColor& colour, Qt::PenStyle style, int width)
{
    pen_ = ReportPen{colour, style, std::max(1, width)};
}

void TBaseReport::FillRect(double left, double top, double right, double bottom, const QColor& colour)
{
    if (drawing())
        Output().Fill(QRectF(QPointF(In(left), In(top)), QPointF(In(right), In(bottom))), colour);
}

void TBaseReport::DrawPicture(const QRect& deviceRect, const QPicture& picture)
{
    if (drawing())
        Output().Picture(inchRect(deviceRect), picture);
}
