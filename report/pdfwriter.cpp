#include "report/pdfwriter.h"

#include "report/fontmeasure.h"
#include "xbase/codepage.h"

#include <QDateTime>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

// The standard font a report font stands for: families times four, bold two, italic one.
const char* const StandardNames[12] = {
    "Helvetica",  "Helvetica-Oblique", "Helvetica-Bold", "Helvetica-BoldOblique", "Times-Roman",  "Times-Italic",
    "Times-Bold", "Times-BoldItalic",  "Courier",        "Courier-Oblique",       "Courier-Bold", "Courier-BoldOblique",
};

int standardFamily(const QString& name)
{
    static const std::array<QStringList, 3> families{{
        {"Arial", "Helvetica", "Liberation Sans", "Arimo"},
        {"Times New Roman", "Times", "Liberation Serif", "Tinos"},
        {"Courier New", "Courier", "Liberation Mono", "Cousine"},
    }};
    for (int i = 0; i < 3; ++i)
        if (families[i].contains(name, Qt::CaseInsensitive))
            return i;
    return -1;
}

// The code page's byte for a character the standard fonts show as the painter would;
// -1 for controls, the soft hyphen and characters the code page lacks.
int winAnsiByte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0xAD)
        return -1;
    return xb::cp1252ByteOf(u);
}

constexpr qsizetype FlushSize = 1 << 20;

} // namespace

void StandardPdfWriter::Open(QIODevice* file, const QString& title, const QString& creator, QSizeF paper)
{
    file_ = file;
    title_ = title;
    creator_ = creator;
    paper_ = paper;
    out_.reserve(FlushSize + FlushSize / 4);
    // Objects 1 to 3 are the catalog, the page tree and the resources, written last.
    offsets_.assign(4, 0);
    out_.append("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

int StandardPdfWriter::newObject()
{
    offsets_.push_back(0);
    return static_cast<int>(offsets_.size() - 1);
}

void StandardPdfWriter::beginObject(int object)
{
    offsets_[object] = flushed_ + out_.size();
    out_.append(QByteArray::number(object)).append(" 0 obj\n");
}

void StandardPdfWriter::flush()
{
    if (file_ && file_->write(out_) != out_.size())
        failed_ = true;
    flushed_ += out_.size();
    out_.resize(0);
}

void StandardPdfWriter::number(double value)
{
    char buffer[32];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3).ptr;
    while (end[-1] == '0')
        --end;
    if (end[-1] == '.')
        --end;
    if (end - buffer == 2 && buffer[0] == '-' && buffer[1] == '0')
        buffer[0] = '0', end = buffer + 1;
    page_.append(buffer, end - buffer).append(' ');
}

void StandardPdfWriter::colour(const QColor& c, const char* op)
{
    number(c.redF());
    number(c.greenF());
    number(c.blueF());
    page_.append(op).append('\n');
}

void StandardPdfWriter::rectangle(const QRectF& inches, const char* op)
{
    number(x(inches.left()));
    number(y(inches.bottom()));
    number(x(inches.width()));
    number(inches.height() * 72 * scaleY_);
    page_.append("re ").append(op).append('\n');
}

void StandardPdfWriter::BeginPage(const ReportPage& page)
{
    endPage();
    inPage_ = true;
    mediaBox_ = QSizeF(std::round(page.paper.width() * 72), std::round(page.paper.height() * 72));
    pageHeight_ = mediaBox_.height();
    scaleX_ = page.scaleX / 100;
    scaleY_ = page.scaleY / 100;
    shownFont_ = -1;
    shownScale_ = 1;
    fillColour_ = Qt::black;
    strokeColour_ = Qt::black;
    lineWidth_ = 0;
    page_.resize(0);
    page_.append("2 J\n");
}

void StandardPdfWriter::endPage()
{
    if (!inPage_)
        return;
    inPage_ = false;
    const int contents = newObject();
    const QByteArray packed = qCompress(page_).mid(4); // without Qt's length prefix: a zlib stream
    beginObject(contents);
    out_.append("<< /Length ").append(QByteArray::number(packed.size())).append(" /Filter /FlateDecode >>\nstream\n");
    out_.append(packed).append("\nendstream\nendobj\n");
    const int page = newObject();
    beginObject(page);
    out_.append("<< /Type /Page /Parent 2 0 R /Resources 3 0 R /Contents ")
        .append(QByteArray::number(contents))
        .append(" 0 R /MediaBox [0 0 ")
        .append(QByteArray::number(mediaBox_.width()))
        .append(' ')
        .append(QByteArray::number(mediaBox_.height()))
        .append("] >>\nendobj\n");
    pages_.push_back(page);
    if (out_.size() >= FlushSize)
        flush();
}

bool StandardPdfWriter::SetFont(const ReportFont& font)
{
    if (font_ && *font_ == font)
        return true;
    const int family = standardFamily(font.name);
    if (family < 0 || font.underline || font.strikeOut || font.colour.alpha() != 255)
        return false;
    StandardFont& standard = fonts_[family * 4 + font.bold * 2 + font.italic];
    if (standard.raw.isValid() && standard.name.compare(font.name, Qt::CaseInsensitive) != 0)
        return false;
    if (!standard.raw.isValid()) {
        standard.name = font.name;
        QFont q = ToQFont(font);
        q.setPixelSize(1000);
        standard.raw = QRawFont::fromFont(q);
        if (!standard.raw.isValid())
            return false;
        standard.kerning.assign(256 * 256, std::numeric_limits<float>::quiet_NaN());
        for (int byte = 0x20; byte < 0x100; ++byte) {
            const QString c(QChar(static_cast<char16_t>(xb::charOfCp1252(static_cast<unsigned char>(byte)))));
            if (winAnsiByte(c[0]) < 0)
                continue;
            const QList<quint32> glyph = standard.raw.glyphIndexesForString(c);
            if (glyph.size() != 1 || glyph[0] == 0)
                continue;
            standard.glyphs[byte] = glyph[0];
            standard.widths[byte] = standard.raw.advancesForGlyphIndexes(glyph, QRawFont::UseDesignMetrics)[0].x();
        }
    }
    font_ = font;
    standard_ = &standard;
    ascent_ = standard.raw.ascent() / 1000 * font.points / 72;
    height_ = (standard.raw.ascent() + standard.raw.descent()) / 1000 * font.points / 72;
    scale_ = standard.Scale(font);
    return true;
}

bool StandardPdfWriter::SetPen(const ReportPen& pen)
{
    if ((pen.style != Qt::SolidLine && pen.style != Qt::NoPen) || pen.colour.alpha() != 255)
        return false;
    pen_ = pen;
    return true;
}

double StandardPdfWriter::StandardFont::Kerning(int first, int second)
{
    float& kern = kerning[first * 256 + second];
    if (std::isnan(kern)) {
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(
            {glyphs[first], glyphs[second]}, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
        kern = static_cast<float>(advances[0].x() - widths[first]);
    }
    return kern;
}

double StandardPdfWriter::StandardFont::Scale(const ReportFont& font)
{
    const auto known = scales.constFind(font.points);
    if (known != scales.constEnd())
        return *known;
    const FontMeasure measure(font);
    double measured = 0, design = 0;
    for (const char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")) {
        measured += measure.Width(QString(QLatin1Char(c)));
        design += widths[static_cast<unsigned char>(c)];
    }
    return scales[font.points] = measured / (design / 1000 * font.points / 72);
}

std::optional<StandardPdfWriter::Encoded> StandardPdfWriter::encode(const QString& text)
{
    if (!standard_)
        return std::nullopt;
    Encoded encoded;
    encoded.array.reserve(text.size() + 8);
    encoded.array.append("[(");
    double total = 0;
    int previous = -1;
    for (const QChar c : text) {
        const int byte = winAnsiByte(c);
        if (byte < 0 || standard_->glyphs[byte] == 0)
            return std::nullopt;
        if (previous >= 0) {
            // Kerning moves a glyph by the difference from the plain width of the one before.
            const double kern = standard_->Kerning(previous, byte);
            if (kern != 0) {
                encoded.array.append(")").append(QByteArray::number(-kern, 'f', 2)).append("(");
                total += kern;
            }
        }
        if (byte == '(' || byte == ')' || byte == '\\')
            encoded.array.append('\\');
        encoded.array.append(char(byte));
        total += standard_->widths[byte];
        previous = byte;
    }
    encoded.array.append(")]");
    encoded.width = total / 1000 * font_->points / 72 * scale_;
    return encoded;
}

void StandardPdfWriter::text(QPointF baseline, const Encoded& encoded)
{
    if (font_->opaque) {
        if (fillColour_ != Qt::white)
            colour(fillColour_ = Qt::white, "rg");
        rectangle(QRectF(baseline.x(), baseline.y() - ascent_, encoded.width, height_), "f");
    }
    if (fillColour_ != font_->colour)
        colour(fillColour_ = font_->colour, "rg");
    page_.append("BT ");
    const int index = static_cast<int>(standard_ - fonts_.data());
    if (shownFont_ != index || shownPoints_ != font_->points) {
        if (standard_->object == 0)
            standard_->object = newObject();
        page_.append("/F").append(QByteArray::number(index)).append(' ');
        number(font_->points);
        page_.append("Tf ");
        shownFont_ = index;
        shownPoints_ = font_->points;
    }
    if (shownScale_ != scale_) {
        number(scale_ * 100);
        page_.append("Tz ");
        shownScale_ = scale_;
    }
    if (scaleX_ == 1 && scaleY_ == 1) {
        number(x(baseline.x()));
        number(y(baseline.y()));
        page_.append("Td ");
    } else {
        number(scaleX_);
        page_.append("0 0 ");
        number(scaleY_);
        number(x(baseline.x()));
        number(y(baseline.y()));
        page_.append("Tm ");
    }
    page_.append(encoded.array).append("TJ ET\n");
}

bool StandardPdfWriter::Text(QPointF baseline, const QString& text)
{
    const std::optional<Encoded> encoded = encode(text);
    if (!encoded)
        return false;
    this->text(baseline, *encoded);
    return true;
}

bool StandardPdfWriter::ClippedText(const QRectF& clip, QPointF topLeft, const QString& text)
{
    const std::optional<Encoded> encoded = encode(text);
    if (!encoded)
        return false;
    const QPointF baseline = topLeft + QPointF(0, ascent_);
    // Only text that reaches past its cell pays for a clip.
    if (clip.contains(QRectF(topLeft, QSizeF(encoded->width, height_)))) {
        this->text(baseline, *encoded);
        return true;
    }
    page_.append("q ");
    rectangle(clip, "W n");
    const int font = shownFont_;
    const double points = shownPoints_;
    const double scale = shownScale_;
    const QColor fill = fillColour_;
    this->text(baseline, *encoded);
    page_.append("Q\n");
    shownFont_ = font;
    shownPoints_ = points;
    shownScale_ = scale;
    fillColour_ = fill;
    return true;
}

bool StandardPdfWriter::Fill(const QRectF& rect, const QColor& c)
{
    if (c.alpha() != 255)
        return false;
    if (fillColour_ != c)
        colour(fillColour_ = c, "rg");
    rectangle(rect, "f");
    return true;
}

void StandardPdfWriter::Line(QPointF from, QPointF to)
{
    if (pen_.style == Qt::NoPen)
        return;
    if (strokeColour_ != pen_.colour)
        colour(strokeColour_ = pen_.colour, "RG");
    // Pen widths count the printer's pixels, 1200 to the inch, whatever the page's scale.
    if (lineWidth_ != pen_.width) {
        lineWidth_ = pen_.width;
        number(lineWidth_ * 72.0 / 1200);
        page_.append("w\n");
    }
    number(x(from.x()));
    number(y(from.y()));
    page_.append("m ");
    number(x(to.x()));
    number(y(to.y()));
    page_.append("l S\n");
}

bool StandardPdfWriter::Finish()
{
    if (pages_.empty() && !inPage_)
        BeginPage(ReportPage{paper_});
    endPage();
    QByteArray fonts;
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const StandardFont& font = fonts_[i];
        if (font.object == 0)
            continue;
        fonts.append(" /F").append(QByteArray::number(qsizetype(i))).append(' ');
        fonts.append(QByteArray::number(font.object)).append(" 0 R");
        beginObject(font.object);
        out_.append("<< /Type /Font /Subtype /Type1 /BaseFont /").append(StandardNames[i]);
        out_.append(" /Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [");
        for (int byte = 0x20; byte < 0x100; ++byte)
            out_.append(QByteArray::number(font.widths[byte], 'g', 6)).append(byte % 16 == 15 ? "\n" : " ");
        out_.append("] >>\nendobj\n");
    }
    beginObject(3);
    out_.append("<< /Font <<").append(fonts).append(" >> /ProcSet [/PDF /Text] >>\nendobj\n");
    beginObject(2);
    out_.append("<< /Type /Pages /Count ").append(QByteArray::number(qsizetype(pages_.size()))).append(" /Kids [");
    for (std::size_t i = 0; i < pages_.size(); ++i)
        out_.append(QByteArray::number(pages_[i])).append(i % 10 == 9 ? " 0 R\n" : " 0 R ");
    out_.append("] >>\nendobj\n");
    beginObject(1);
    out_.append("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    const int info = newObject();
    beginObject(info);
    const auto textString = [](const QString& s) {
        QByteArray utf16("FEFF");
        for (const QChar c : s)
            utf16.append(QByteArray::number(c.unicode() | 0x10000, 16).mid(1));
        return "<" + utf16.toUpper() + ">";
    };
    out_.append("<< /Title ").append(textString(title_)).append(" /Creator ").append(textString(creator_));
    out_.append(" /CreationDate (D:")
        .append(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1())
        .append("Z) >>\nendobj\n");
    const qint64 xref = flushed_ + out_.size();
    out_.append("xref\n0 ").append(QByteArray::number(qsizetype(offsets_.size()))).append('\n');
    out_.append("0000000000 65535 f \n");
    for (std::size_t i = 1; i < offsets_.size(); ++i)
        out_.append(QByteArray::number(offsets_[i]).rightJustified(10, '0')).append(" 00000 n \n");
    out_.append("trailer\n<< /Size ").append(QByteArray::number(qsizetype(offsets_.size())));
    out_.append(" /Root 1 0 R /Info ").append(QByteArray::number(info)).append(" 0 R >>\nstartxref\n");
    out_.append(QByteArray::number(xref)).append("\n%%EOF\n");
    flush();
    file_ = nullptr;
    return !failed_;
}

void StandardPdfWriter::Discard()
{
    file_ = nullptr;
}
