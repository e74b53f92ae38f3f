#pragma once

#include "platform/printers.h"
#include "report/fontmeasure.h"
#include "report/reporterror.h"
#include "report/reportoutput.h"
#include "report/reportprogress.h"

#include <QRect>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QPicture;

enum TUnits { unInch, unMM, unCM, unPoint, unUser };
enum TLineHeightMethod { lhmLinesPerInch, lhmFont, lhmUser };
enum TOrientation { poPortrait, poLandScape, poDefault };
enum TBKMode { bkTransparent, bkOpaque };

// Tab stop justification codes as AddTabStop takes them.
enum TPrintJustify { pjCenter = 0, pjLeft = 1, pjRight = 2, pjBlock = 3 };

// Box lines of a tab cell, combined as a bit set.
enum TBoxLines { blNone = 0, blLeft = 1, blRight = 2, blTop = 4, blBottom = 8 };

// The stop position that means "right after the previous stop".
inline constexpr double TabAfterPrevious = -32768;

// The report canvas. A printing routine configures a report, sets OnPrint to a handler
// that draws the pages with the operations below, and calls RunReport; the same handler
// goes to the printer (TReportPrinter) or into a stream for the preview (TReportFiler).
//
// Positions and sizes are in Units (inches unless changed), measured from the physical
// paper edge: x to the right, y downwards; text y positions are baselines unless an
// operation says otherwise. Drawing outside a run throws EReportPrinter; after
// AbortReport, or once the ReportProgress has cancelled, the next drawing operation ends
// the handler quietly (the run swallows it) and nothing more is output. The canvas opens
// no window and lets no events through itself: its watcher decides that.
class TBaseReport {
public:
    using Event = std::function<void(TBaseReport&)>;

    TBaseReport();
    virtual ~TBaseReport();
    TBaseReport(const TBaseReport&) = delete;
    TBaseReport& operator=(const TBaseReport&) = delete;

    // ---- events (only the assigned ones fire) ----
    Event OnBeforePrint;
    Event OnPrint;
    // Draws one page; returns whether another follows. Used only when OnPrint is empty.
    std::function<bool(TBaseReport&, int& page)> OnPrintPage;
    Event OnAfterPrint;
    Event OnNewPage;
    Event OnPrintHeader;
    Event OnPrintFooter;
    // Clears every event but OnPrint and OnBeforePrint, as each printing routine does
    // before a run.
    void ClearOtherEvents();

    // ---- settings ----
    TUnits Units() const { return units_; }
    void SetUnits(TUnits units);
    double UnitsFactor() const { return factor_; }
    // A positive value also sets Units: 1 inch, 25.4 mm, 2.54 cm, 72 point, else user.
    void SetUnitsFactor(double factor);

    double MarginLeft() const { return U(marginLeft_); }
    double MarginRight() const { return U(marginRight_); }
    double MarginTop() const { return U(marginTop_); }
    double MarginBottom() const { return U(marginBottom_); }
    // Each also moves the matching section edge.
    void SetMarginLeft(double v);
    void SetMarginRight(double v);
    void SetMarginTop(double v);
    void SetMarginBottom(double v);

    TLineHeightMethod LineHeightMethod() const { return lineHeightMethod_; }
    void SetLineHeightMethod(TLineHeightMethod m) { lineHeightMethod_ = m; }
    int LinesPerInch() const { return linesPerInch_; }
    void SetLinesPerInch(int lines);
    // The line height used with lhmUser.
    void SetUserLineHeight(double height) { userLineHeight_ = In(height); }

    TOrientation Orientation() const;
    void SetOrientation(TOrientation o);
    int Copies() const { return printer_.Copies(); }
    void SetCopies(int copies) { printer_.SetCopies(copies); }
    QString Title() const { return printer_.Title(); }
    void SetTitle(const QString& title) { printer_.SetTitle(title); }
    int FirstPage() const { return firstPage_; }
    int LastPage() const { return lastPage_; }
    void SetFirstPage(int page) { firstPage_ = page; }
    void SetLastPage(int page) { lastPage_ = page; }

    // Who hears the status and may cancel (not owned); none by default.
    void SetProgress(ReportProgress* progress) { progress_ = progress; }
    QString StatusFormat() const { return statusFormat_; }
    void SetStatusFormat(const QString& format) { statusFormat_ = format; }
    QStringList& StatusText() { return statusText_; }
    // The status template expanded for the current page.
    QString StatusLine() const;

    int TabShade() const { return tabShade_; }
    void SetTabShade(int percent);
    TBKMode TextBKMode() const { return font_.opaque ? bkOpaque : bkTransparent; }
    void SetTextBKMode(TBKMode mode);
    double ScaleX() const { return scaleX_; }
    double ScaleY() const { return scaleY_; }
    void SetScaleX(double percent);
    void SetScaleY(double percent);

    // The printer the report goes to, with its paper. Shared settings (copies, title,
    // orientation) live there.
    PrinterSetup& Printer() { return printer_; }
    const PrinterSetup& Printer() const { return printer_; }
    void SetPrinterSetup(const PrinterSetup& setup);

    // ---- run and control ----
    void RunReport();
    void AbortReport();
    bool Aborted() const { return aborted_; }
    // Why the run could not deliver its output ("Unable to write to ..." with the
    // system's reason, no printer, no PDF file chosen, an unreadable stream); empty when it
    // did or was cancelled. A failed run is aborted too. The caller decides how to tell.
    QString Failure() const { return failure_; }
    bool Printing() const { return running_; }
    void StartNewPage();
    int CurrentPage() const { return page_; }
    // Paper by device code: 1 letter, 9 A4, 11 A5, 0 custom of width x height in Units.
    void SetPaperSize(int paperCode, double width = 0, double height = 0);
    virtual QString PrinterDeviceName() const;
    virtual QString PrinterDriverName() const;
    virtual QString PrinterPort() const;

    // ---- geometry ----
    double PaperWidth() const;
    double PaperHeight() const;
    double SectionLeft() const { return U(section_.left); }
    double SectionTop() const { return U(section_.top); }
    double SectionRight() const { return U(section_.right); }
    double SectionBottom() const { return U(section_.bottom); }
    void SetSectionLeft(double v);
    void SetSectionTop(double v);
    void SetSectionRight(double v);
    void SetSectionBottom(double v);
    void ResetSection();
    double CursorX() const { return U(cursorX()); }
    double CursorY() const { return U(cursorY_); }
    void SetCursor(double x, double y);
    int LineNum() const { return line_; }
    void GoToFirstLine();
    void NextLine();
    int LinesRemaining() const;
    double LineHeight() const { return U(LineHeightInches()); }
    double FontHeight() const { return U(font_.points / 72.0); }
    double FontAscent() const { return U(measure().Ascent()); }
    double FontDescent() const { return U(measure().Descent()); }
    // A rectangle in Units as device pixels, for PrintInRect and DrawPicture.
    QRect DeviceRect(double left, double top, double right, double bottom) const;

    // ---- fonts ----
    // Name and size; resets colour, bold, italic, underline and strike-out. A size of 0
    // or below changes nothing.
    void SetFont(const QString& name, double points);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetStrikeOut(bool on);
    void SetFontColour(const QColor& colour) { font_.colour = colour; }
    const ReportFont& Font() const { return font_; }
    double TextWidth(const QString& text) const { return U(measure().Width(text)); }

    // ---- text ----
    // At the cursor; a tab character moves to the next tab stop, and a piece printed while
    // a stop is pending is placed in it by its justification. The cursor ends at the right
    // end of the last piece.
    void PrintText(const QString& text);
    void PrintTextLine(const QString& text);
    void PrintLeftAt(const QString& text, double x);
    void PrintRightAt(const QString& text, double x);
    void PrintCenterAt(const QString& text, double x);
    // Text with its top-left corner at (x, y), clipped to a DeviceRect.
    void PrintInRect(const QRect& deviceRect, double x, double y, const QString& text);

    // ---- tab stops ----
    void ClearTabStops();
    // Justify: pjCenter, pjLeft, pjRight, pjBlock. Margin in hundredths of an inch;
    // boxLines from TBoxLines; shade in percent. A negative position follows the previous
    // stop (or MarginLeft for the first); a width of 0 or below makes a stop without a cell.
    void AddTabStop(double position, int justify, double width, int margin, int boxLines, int shade);
    void NextTabStop();
    // Where text starts in stop n (1 = first, 0 = the current one); 0 when there is none.
    double TabStopTextLeft(int n) const;
    int TabStopCount() const { return static_cast<int>(tabs_.size()); }
    void SaveTabStops();
    void RestoreTabStops();

    // ---- drawing ----
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    // Colour, style and width in device pixels; drawing is always "copy".
    void SetPen(const QColor& colour, Qt::PenStyle style, int width);
    void DrawPicture(const QRect& deviceRect, const QPicture& picture);
    // A rectangle in Units filled with the colour, without an outline (a barcode's bar).
    void FillRect(double left, double top, double right, double bottom, const QColor& colour);

protected:
    struct Section {
        double left = 0, top = 0, right = 0, bottom = 0;
    };
    struct TabStop {
        double position = 0; // inches
        int justify = pjLeft;
        double width = 0;
        double margin = 0;
        int boxLines = 0;
        int shade = 0;
    };

    // Opens the output for a run; false when the run cannot go on (the user cancelled or
    // there is nothing to print on), which ends it as aborted.
    virtual bool OpenOutput() = 0;
    // Ends the output; aborted when the run was aborted or failed.
    virtual void CloseOutput(bool aborted) = 0;
    virtual ReportOutput& Output() = 0;
    // Whether a run may start at all; a refusal marks the run failed with its reason.
    virtual bool CanRun() { return true; }
    // Device pixels per inch for DeviceRect.
    virtual QSizeF DeviceDpi() const { return QSizeF(1200, 1200); }

    // Whether the output has failed already, so the run ends at the next page.
    virtual bool OutputFailed() const { return false; }

    ReportPage PageFormat() const;
    void MarkAborted() { aborted_ = true; }
    void MarkFailed(const QString& failure);

private:
    double U(double inches) const { return inches * factor_; }
    double In(double units) const { return units / factor_; }
    double LineHeightInches() const;
    const FontMeasure& measure() const;
    // Changes the font; text printed just before keeps the width it had in the old one.
    void changeFont(const std::function<void(ReportFont&)>& change);
    // The cursor's x: the width of the last text printed is added only when someone asks,
    // so that placing text at given positions never measures it.
    double cursorX() const;
    void setCursorX(double x);
    QRectF inchRect(const QRect& deviceRect) const;

    void requireIdle() const;
    // Tells the watcher the page's status and lets it breathe.
    void reportProgress();
    // Takes a cancel of the watcher as AbortReport.
    void takeCancel();
    // Whether output reaches the page; throws outside a run and after an abort.
    bool drawing();
    void beginOutputPage();
    void fire(const Event& event);
    void drawText(double x, const QString& text);
    void printPiece(const QString& piece);
    void clearCurrentTab();

    TUnits units_ = unInch;
    double factor_ = 1.0;
    double marginLeft_ = 0.5, marginRight_ = 0.5, marginTop_ = 0.5, marginBottom_ = 0.5;
    TLineHeightMethod lineHeightMethod_ = lhmFont;
    int linesPerInch_ = 6;
    double userLineHeight_ = 1.0 / 6;
    int firstPage_ = 1;
    int lastPage_ = 9999;
    ReportProgress* progress_ = nullptr;
    QString statusFormat_;
    QStringList statusText_;
    int tabShade_ = 0;
    double scaleX_ = 100, scaleY_ = 100;
    PrinterSetup printer_;

    bool running_ = false;
    bool aborted_ = false;
    QString failure_;
    bool suppressed_ = false;
    int page_ = 0;
    Section section_;
    mutable double cursorX_ = 0;
    mutable QString advance_; // printed at cursorX_, its width not yet added
    double cursorY_ = 0;
    int line_ = 1;
    ReportFont font_;
    mutable std::optional<FontMeasure> measure_;
    ReportPen pen_;
    double penX_ = 0, penY_ = 0;
    std::vector<TabStop> tabs_;
    int currentTab_ = -1; // index into tabs_, -1 before the first
    bool tabPending_ = false;
    std::vector<std::vector<TabStop>> savedTabs_;
};
