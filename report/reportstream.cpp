#include "report/reportstream.h"

#include "report/reporterror.h"

#include <QPicture>
#include <QSysInfo>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {

const char Magic[4] = {'A', 'D', 'R', 'S'};
constexpr quint16 Version = 1;
constexpr qsizetype HeaderSize = 6;
constexpr qsizetype RecordHeaderSize = 5;

enum Code : quint8 {
    PageCode = 1,
    FontCode = 2,
    PenCode = 3,
    TextCode = 4,
    ClippedTextCode = 5,
    FillCode = 6,
    LineCode = 7,
    PictureCode = 8,
};

enum FontFlags : quint8 { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8, Opaque = 16 };

[[noreturn]] void unexpected()
{
    throw EReportPrinter(ReportErrors::UnexpectedCode);
}

// One record being appended to the stream: the code, room for the payload's length, then
// the payload; the length is filled in when the record is done.
class Record {
public:
    Record(QByteArray& stream, Code code) : data_(stream), start_(stream.size())
    {
        data_.append(char(code));
        data_.append(4, '\0');
    }
    ~Record() { qToLittleEndian(quint32(data_.size() - start_ - RecordHeaderSize), data_.data() + start_ + 1); }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    void u8(quint8 v) { data_.append(char(v)); }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        data_.append(b, 4);
    }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToLittleEndian(bits, b);
        data_.append(b, 8);
    }
    void point(QPointF p) { f64(p.x()), f64(p.y()); }
    void rect(const QRectF& r) { f64(r.x()), f64(r.y()), f64(r.width()), f64(r.height()); }
    void text(const QString& s)
    {
        u32(quint32(s.size()));
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            data_.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        } else {
            for (const QChar c : s) {
                char b[2];
                qToLittleEndian(c.unicode(), b);
                data_.append(b, 2);
            }
        }
    }
    void bytes(const QByteArray& b)
    {
        u32(quint32(b.size()));
        data_.append(b);
    }

private:
    QByteArray& data_;
    qsizetype start_;
};

// One record's payload being read; reading past its end is a broken stream.
class Payload {
public:
    Payload(const char* data, qsizetype size) : data_(data), size_(size) {}

    quint8 u8() { return quint8(*take(1)); }
    quint32 u32() { return qFromLittleEndian<quint32>(take(4)); }
    double f64()
    {
        const quint64 bits = qFromLittleEndian<quint64>(take(8));
        double v;
        std::memcpy(&v, &bits, 8);
        // No page reaches a mile: anything beyond is not a length the canvas wrote.
        if (!std::isfinite(v) || std::abs(v) > 1e5)
            unexpected();
        return v;
    }
    QPointF point()
    {
        const double x = f64();
        return QPointF(x, f64());
    }
    QRectF rect()
    {
        const double x = f64(), y = f64(), w = f64();
        return QRectF(x, y, w, f64());
    }
    QString text()
    {
        const quint32 count = u32();
        if (count > quint32(size_ - at_) / 2)
            unexpected();
        const char* units = take(qsizetype(count) * 2);
        QString s(qsizetype(count), Qt::Uninitialized);
        for (quint32 i = 0; i < count; ++i)
            s[i] = QChar(qFromLittleEndian<quint16>(units + 2 * i));
        return s;
    }
    QByteArray bytes()
    {
        const quint32 count = u32();
        if (count > quint32(size_ - at_))
            unexpected();
        return QByteArray(take(count), count);
    }
    void end() const
    {
        if (at_ != size_)
            unexpected();
    }

private:
    const char* take(qsizetype n)
    {
        if (n > size_ - at_)
            unexpected();
        const char* p = data_ + at_;
        at_ += n;
        return p;
    }

    const char* data_;
    qsizetype size_;
    qsizetype at_ = 0;
};

struct RecordView {
    quint8 code;
    const char* payload;
    qsizetype size;
    qsizetype next;
};

RecordView recordAt(const QByteArray& stream, qsizetype at)
{
    if (stream.size() - at < RecordHeaderSize)
        unexpected();
    const quint8 code = quint8(stream[at]);
    if (code < PageCode || code > PictureCode)
        unexpected();
    const quint32 size = qFromLittleEndian<quint32>(stream.constData() + at + 1);
    if (size > quint64(stream.size() - at - RecordHeaderSize))
        unexpected();
    return RecordView{code, stream.constData() + at + RecordHeaderSize, qsizetype(size),
                      at + RecordHeaderSize + qsizetype(size)};
}

ReportPage readPage(Payload& p)
{
    ReportPage page;
    const double w = p.f64();
    page.paper = QSizeF(w, p.f64());
    page.scaleX = p.f64();
    page.scaleY = p.f64();
    p.end();
    return page;
}

} // namespace

// ---- writer --------------------------------------------------------------------------------

ReportStreamWriter::ReportStreamWriter(QByteArray& stream) : stream_(stream)
{
    stream_.clear();
    stream_.append(Magic, 4);
    char b[2];
    qToLittleEndian(Version, b);
    stream_.append(b, 2);
}

void ReportStreamWriter::BeginPage(const ReportPage& page)
{
    {
        Record r(stream_, PageCode);
        r.f64(page.paper.width());
        r.f64(page.paper.height());
        r.f64(page.scaleX);
        r.f64(page.scaleY);
    }
    font_.reset();
    pen_.reset();
}

void ReportStreamWriter::SetFont(const ReportFont& font)
{
    if (font_ && *font_ == font)
        return;
    font_ = font;
    Record r(stream_, FontCode);
    r.text(font.name);
    r.f64(font.points);
    r.u8((font.bold ? Bold : 0) | (font.italic ? Italic : 0) | (font.underline ? Underline : 0) |
         (font.strikeOut ? StrikeOut : 0) | (font.opaque ? Opaque : 0));
    r.u32(font.colour.rgba());
}

void ReportStreamWriter::SetPen(const ReportPen& pen)
{
    if (pen_ && *pen_ == pen)
        return;
    pen_ = pen;
    Record r(stream_, PenCode);
    r.u32(pen.colour.rgba());
    r.u8(quint8(pen.style));
    r.u32(quint32(pen.width));
}

void ReportStreamWriter::Text(QPointF baseline, const QString& text)
{
    Record r(stream_, TextCode);
    r.point(baseline);
    r.text(text);
}

void ReportStreamWriter::ClippedText(const QRectF& clip, QPointF topLeft, const QString& text)
{
    Record r(stream_, ClippedTextCode);
    r.rect(clip);
    r.point(topLeft);
    r.text(text);
}

void ReportStreamWriter::Fill(const QRectF& rect, const QColor& colour)
{
    Record r(stream_, FillCode);
    r.rect(rect);
    r.u32(colour.rgba());
}

void ReportStreamWriter::Line(QPointF from, QPointF to)
{
    Record r(stream_, LineCode);
    r.point(from);
    r.point(to);
}

void ReportStreamWriter::Picture(const QRectF& rect, const QPicture& picture)
{
    Record r(stream_, PictureCode);
    r.rect(rect);
    r.bytes(QByteArray(picture.data(), picture.size()));
}

// ---- reader --------------------------------------------------------------------------------

ReportStreamReader::ReportStreamReader(const QByteArray& stream) : stream_(stream)
{
    if (stream.size() < HeaderSize || std::memcmp(stream.constData(), Magic, 4) != 0 ||
        qFromLittleEndian<quint16>(stream.constData() + 4) != Version)
        unexpected();
    for (qsizetype at = HeaderSize; at < stream.size();) {
        const RecordView record = recordAt(stream, at);
        if (record.code == PageCode) {
            Payload p(record.payload, record.size);
            pages_.push_back(PageStart{at, readPage(p)});
        } else if (pages_.empty())
            unexpected();
        at = record.next;
    }
}

ReportPage ReportStreamReader::Page(int page) const
{
    return pages_.at(page - 1).page;
}

void ReportStreamReader::ReplayPage(int page, ReportOutput& output) const
{
    const qsizetype end = page < PageCount() ? pages_.at(page).offset : stream_.size();
    for (qsizetype at = pages_.at(page - 1).offset; at < end;) {
        const RecordView record = recordAt(stream_, at);
        Payload p(record.payload, record.size);
        switch (record.code) {
        case PageCode:
            output.BeginPage(readPage(p));
            break;
        case FontCode: {
            ReportFont font;
            font.name = p.text();
            font.points = p.f64();
            const quint8 flags = p.u8();
            font.bold = flags & Bold;
            font.italic = flags & Italic;
            font.underline = flags & Underline;
            font.strikeOut = flags & StrikeOut;
            font.opaque = flags & Opaque;
            font.colour = QColor::fromRgba(p.u32());
            p.end();
            output.SetFont(font);
            break;
        }
        case PenCode: {
            ReportPen pen;
            pen.colour = QColor::fromRgba(p.u32());
            const quint8 style = p.u8();
            if (style > Qt::DashDotDotLine)
                unexpected();
            pen.style = Qt::PenStyle(style);
            pen.width = int(qMin<quint32>(p.u32(), 1000));
            p.end();
            output.SetPen(pen);
            break;
        }
        case TextCode: {
            const QPointF at = p.point();
            const QString text = p.text();
            p.end();
            output.Text(at, text);
            break;
        }
        case ClippedTextCode: {
            const QRectF clip = p.rect();
            const QPointF topLeft = p.point();
            const QString text = p.text();
            p.end();
            output.ClippedText(clip, topLeft, text);
            break;
        }
        case FillCode: {
            const QRectF rect = p.rect();
            const QColor colour = QColor::fromRgba(p.u32());
            p.end();
            output.Fill(rect, colour);
            break;
        }
        case LineCode: {
            const QPointF from = p.point();
            const QPointF to = p.point();
            p.end();
            output.Line(from, to);
            break;
        }
        case PictureCode: {
            const QRectF rect = p.rect();
            const QByteArray data = p.bytes();
            p.end();
            QPicture picture;
            picture.setData(data.constData(), uint(data.size()));
            output.Picture(rect, picture);
            break;
        }
        default:
            unexpected();
        }
        at = record.next;
    }
}
