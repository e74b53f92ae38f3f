#include "labels/labellayout.h"

#include "labels/valuestream.h"
#include "table/cp1252.h"

#include <algorithm>

namespace {

constexpr int kFormatVersion = 1;

// The fields in the order the files store them, once for the reader and the writer. The
// visitor gets each field with the name a message about it would use.
template <class Sheet, class Visitor>
void VisitTemplateFields(Sheet& t, Visitor& v)
{
    v(t.TemplateName, "template name");
    v(t.LabelHeight);
    v(t.LabelWidth);
    v(t.Across);
    v(t.Down);
    v(t.TopMargin);
    v(t.LeftMargin);
    v(t.HorzPitch);
    v(t.VertPitch);
    v(t.SheetWidth);
    v(t.SheetHeight);
    v(t.PrinterType, "printer type");
    v(t.PaperCode, "paper code");
    v(t.ShapeCode, "shape code");
    v(t.MakerCode, "maker code");
    v(t.ExtraCode, "extra code");
    v(t.HorzGap);
    v(t.VertGap);
}

template <class Layout, class Visitor>
void VisitFaceFields(Layout& l, Visitor& v)
{
    v(l.FontName, "font name");
    v(l.FontSize);
    v(l.FontBold);
    v(l.FontItalic);
    v(l.FontUnderline);
    v(l.FontColor);
    v(l.Alignment);
    v(l.TextMarginLeft);
    v(l.TextMarginTop);
    v(l.TextMarginRight);
    v(l.TextMarginBottom);
    v(l.AdjustFontSizeToFit);
    v(l.UseName);
    v(l.UseTitle);
    v(l.UseCompany);
    v(l.UseStreet);
    v(l.UseStreet2);
    v(l.UseCityState);
    v(l.UseZip);
    v(l.UsePhone);
    v(l.UseCountry);
    v(l.ZipOptions);
    v(l.UpperCase);
}

std::string Encode(const QString& text, const char* what)
{
    if (auto bytes = StringToCp1252(text))
        return std::move(*bytes);
    QString bad;
    for (qsizetype i = 0; i < text.size() && bad.isEmpty(); ++i)
        if (!Cp1252CanHold(text[i]))
            bad = text.mid(i, text[i].isHighSurrogate() ? 2 : 1);
    throw LabelFileError(QStringLiteral("The %1 \"%2\" holds the character \"%3\", which a label file cannot store.")
                             .arg(QLatin1StringView(what), text, bad));
}

struct FieldWriter {
    TValueWriter& out;

    void operator()(const QString& field, const char* what) { out.WriteText(Encode(field, what)); }
    void operator()(double field) { out.WriteFloat(field); }
    void operator()(int field) { out.WriteInteger(field); }
    void operator()(bool field) { out.WriteBoolean(field); }
};

// Reads each value into its field; after the first that does not fit, ok stays false and
// the fields are of no use.
struct FieldReader {
    TValueReader& in;
    bool ok = true;

    void operator()(QString& field, const char*)
    {
        const auto bytes = in.ReadText();
        if (Keep(bytes.has_value()))
            field = Cp1252ToString(*bytes);
    }
    void operator()(double& field) { Take(field, in.ReadFloat()); }
    void operator()(int& field) { Take(field, in.ReadInteger()); }
    void operator()(bool& field) { Take(field, in.ReadBoolean()); }

private:
    bool Keep(bool read)
    {
        ok = ok && read;
        return ok;
    }
    template <class T, class V>
    void Take(T& field, const std::optional<V>& value)
    {
        if (Keep(value.has_value()))
            field = static_cast<T>(*value);
    }
};

constexpr std::string_view kBarcodeRecord = "barcode";

void WriteBarcodeRecord(TValueWriter& out, const BarcodeChoice& barcode)
{
    out.WriteListBegin();
    out.WriteText(kBarcodeRecord);
    out.WriteInteger(static_cast<int>(barcode.kind));
    out.WriteText(Encode(barcode.field, "barcode field"));
    out.WriteInteger(static_cast<int>(barcode.corner));
    out.WriteListEnd();
}

std::optional<BarcodeChoice> ReadBarcodeRecord(TValueReader& in)
{
    const auto kind = in.ReadInteger();
    const auto field = in.ReadText();
    const auto corner = in.ReadInteger();
    if (!kind || !field || !corner || *kind < 0 || *kind > static_cast<int>(BarcodeKind::IntelligentMail) ||
        *corner < 0 || *corner > static_cast<int>(BarcodeCorner::BottomRight) || !in.SkipToListEnd())
        return std::nullopt;
    return BarcodeChoice{static_cast<BarcodeKind>(*kind), Cp1252ToString(*field), static_cast<BarcodeCorner>(*corner)};
}

// The records after the first: each a list that starts with its name. Those this version
// does not know are stepped over; a damaged one ends the reading, and the setup keeps
// what came before it.
void ReadFurtherRecords(TValueReader& in, LabelLayout& layout)
{
    while (!in.AtEnd() && in.ReadListBegin()) {
        const auto name = in.ReadText();
        if (!name)
            return;
        if (*name != kBarcodeRecord) {
            if (!in.SkipToListEnd())
                return;
            continue;
        }
        const auto barcode = ReadBarcodeRecord(in);
        if (!barcode)
            return;
        if (barcode->kind != BarcodeKind::None)
            layout.Barcode = *barcode;
    }
}

} // namespace

void LimitPositions(LabelTemplate& sheet)
{
    sheet.Across = std::clamp(sheet.Across, 0, kMaxLabelPositions);
    sheet.Down = std::clamp(sheet.Down, 0, kMaxLabelPositions / std::max(sheet.Across, 1));
}

void WriteTemplateValues(TValueWriter& out, const LabelTemplate& sheet)
{
    FieldWriter write{out};
    VisitTemplateFields(sheet, write);
}

std::optional<LabelTemplate> ReadTemplateValues(TValueReader& in)
{
    LabelTemplate sheet;
    FieldReader read{in};
    VisitTemplateFields(sheet, read);
    if (!read.ok)
        return std::nullopt;
    LimitPositions(sheet);
    return sheet;
}

std::string LabelFileBytes(const LabelLayout& layout)
{
    TValueWriter out;
    FieldWriter write{out};
    out.WriteListBegin();
    out.WriteInteger(kFormatVersion);
    write(layout.Description, "description");
    VisitTemplateFields(layout, write);
    VisitFaceFields(layout, write);
    out.WriteListEnd();
    if (layout.Barcode.kind != BarcodeKind::None)
        WriteBarcodeRecord(out, layout.Barcode);
    return out.Data();
}

std::optional<LabelLayout> ParseLabelFile(std::string_view bytes)
{
    TValueReader in(bytes);
    if (!in.ReadListBegin() || !in.ReadInteger())
        return std::nullopt;
    LabelLayout layout;
    FieldReader read{in};
    read(layout.Description, nullptr);
    VisitTemplateFields(layout, read);
    VisitFaceFields(layout, read);
    if (!read.ok || !in.ReadListEnd())
        return std::nullopt;
    LimitPositions(layout);
    ReadFurtherRecords(in, layout);
    return layout;
}
