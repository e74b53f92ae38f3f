#pragma once

#include "report/reportoutput.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QRawFont>
#include <array>
#include <optional>
#include <vector>

// Writes report output straight into a PDF file in the reader's standard fonts
// (Helvetica, Times, Courier with the Windows code page), one text string per piece of
// text: several times faster than drawing through Qt's PDF engine, which writes and
// compresses every glyph on its own. Glyphs are placed with the measuring font's own
// widths and kerning, so text lands where the canvas measured it.
//
// Each drawing operation returns false, having written nothing, when the writer cannot
// show it as the painter would: another font, a character outside the code page, an
// underlined or translucent font, a pen that is not solid, a picture.
class StandardPdfWriter {
public:
    // Starts the file on an open device (not owned); paper is the page written when the
    // run draws none.
    void Open(QIODevice* file, const QString& title, const QString& creator, QSizeF paper);
    // Writes the rest of the file; false when something could not be written. Closing
    // the device is up to its owner.
    bool Finish();
    // Stops writing, leaving the file unfinished.
    void Discard();

    void BeginPage(const ReportPage& page);
    bool SetFont(const ReportFont& font);
    bool SetPen(const ReportPen& pen);
    bool Text(QPointF baseline, const QString& text);
    bool ClippedText(const QRectF& clip, QPointF topLeft, const QString& text);
    bool Fill(const QRectF& rect, const QColor& colour);
    void Line(QPointF from, QPointF to);

private:
    // One of the twelve standard fonts, with what it takes to place text in it.
    struct StandardFont {
        int object = 0;                    // 0 until a page uses it
        QString name;                      // the report font it was made for: another may measure otherwise
        QRawFont raw;                      // the measuring font at 1000 pixels: advances in thousandths of an em
        std::array<quint32, 256> glyphs{}; // by code page byte; 0 for none
        std::array<double, 256> widths{};
        // The kerning of each pair of bytes, asked of the font on first use (NaN before):
        // the font's own answer costs a glyph load every time.
        std::vector<float> kerning;
        double Kerning(int first, int second);
        // How much wider than its design the canvas measures the font at a size (Qt's
        // font engines work at whole pixels), as a horizontal scale for its text.
        QHash<double, double> scales;
        double Scale(const ReportFont& font);
    };
    // A string in the current font: its bytes and kerning as a TJ array, its width in
    // inches; nothing when the font cannot show it.
    struct Encoded {
        QByteArray array;
        double width = 0;
    };

    std::optional<Encoded> encode(const QString& text);
    void text(QPointF baseline, const Encoded& encoded);
    void endPage();
    int newObject();
    void beginObject(int object);
    void flush();
    // A length in inches as points on the page, and the page's coordinates of a point.
    double x(double inches) const { return inches * 72 * scaleX_; }
    double y(double inches) const { return pageHeight_ - inches * 72 * scaleY_; }
    void number(double value);
    void colour(const QColor& colour, const char* op);
    // A rectangle in inches as a path, ended by op ("f" fills it, "W n" clips to it).
    void rectangle(const QRectF& inches, const char* op);

    QIODevice* file_ = nullptr;
    bool failed_ = false;
    QByteArray out_;     // written to file_ in large pieces
    qint64 flushed_ = 0; // bytes already in file_
    std::vector<qint64> offsets_{0};
    QString title_, creator_;
    QSizeF paper_;
    std::vector<int> pages_;
    QByteArray page_; // the current page's content
    bool inPage_ = false;
    double pageHeight_ = 0, scaleX_ = 1, scaleY_ = 1;
    QSizeF mediaBox_;

    std::array<StandardFont, 12> fonts_;
    std::optional<ReportFont> font_;
    StandardFont* standard_ = nullptr;
    double ascent_ = 0, height_ = 0; // of font_, in inches
    double scale_ = 1;
    // What the page's graphics state holds now, so it is written only when it changes.
    int shownFont_ = -1;
    double shownPoints_ = 0;
    double shownScale_ = 1;
    QColor fillColour_, strokeColour_;
    ReportPen pen_;
    int lineWidth_ = 0;
};
