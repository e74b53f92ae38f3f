#include "labels/libraryxml.h"

#include <QXmlStreamReader>
#include <cmath>
#include <utility>

namespace {

constexpr double kPointsPerInch = 72;

struct Unit {
    const char* suffix;
    double perInch;
};
const Unit kUnits[] = {{"pt", 72}, {"in", 1}, {"mm", 25.4}, {"cm", 2.54}, {"pc", 6}};

const QString kTemplate = QStringLiteral("Template");

struct Layout {
    int nx = 0;
    int ny = 0;
    double x0 = 0, y0 = 0, dx = 0, dy = 0;
};

// A template as its elements are met; a fault ends it as a problem.
struct TemplateReading {
    LibrarySheet sheet;
    QString fault;
    QString shape; // our shape code
    double width = 0, height = 0;
    int labels = 0;
    int layouts = 0;
    bool cd = false;
    Layout layout;
};

class AttributeReader {
public:
    AttributeReader(QXmlStreamAttributes attributes, TemplateReading& t) : a_(std::move(attributes)), t_(t) {}

    double Length(const char* name, bool required = false)
    {
        const QStringView text = a_.value(QLatin1StringView(name));
        if (text.isEmpty() && !required)
            return 0;
        const std::optional<double> inches = LibraryLength(text);
        if ((!inches || *inches < 0) && t_.fault.isEmpty())
            t_.fault = QStringLiteral("%1 \"%2\" is not a length").arg(QLatin1StringView(name), text);
        return inches.value_or(0);
    }

    // The corner radius only chooses the shape: an unreadable one is a square corner.
    double Corner() const { return LibraryLength(a_.value(QStringLiteral("round"))).value_or(0); }

    int Count(const char* name)
    {
        bool ok = false;
        const int value = a_.value(QLatin1StringView(name)).toInt(&ok);
        if ((!ok || value < 1) && t_.fault.isEmpty())
            t_.fault = QStringLiteral("%1 \"%2\" is not a count")
                           .arg(QLatin1StringView(name), a_.value(QLatin1StringView(name)));
        return ok ? value : 0;
    }

private:
    QXmlStreamAttributes a_;
    TemplateReading& t_;
};

void ReadElement(QXmlStreamReader& xml, TemplateReading& t)
{
    const QStringView name = xml.name();
    AttributeReader a(xml.attributes(), t);
    if (name == u"Meta") {
        const QString category = xml.attributes().value(QStringLiteral("category")).toString();
        if (!category.isEmpty())
            t.sheet.categories << category;
    } else if (name == u"Label-rectangle" || name == u"Label-ellipse") {
        ++t.labels;
        t.width = a.Length("width", true);
        t.height = a.Length("height", true);
        t.shape = name == u"Label-ellipse" ? QStringLiteral("EL")
                  : a.Corner() > 0         ? QStringLiteral("RR")
                                           : QStringLiteral("SR");
    } else if (name == u"Label-round") {
        ++t.labels;
        t.width = t.height = 2 * a.Length("radius", true);
        t.shape = QStringLiteral("EL");
    } else if (name.startsWith(u"Label-")) {
        ++t.labels;
        t.cd = true;
    } else if (name == u"Markup-margin") {
        t.sheet.markupMargin = a.Length("size");
    } else if (name == u"Layout") {
        ++t.layouts;
        t.layout = {a.Count("nx"), a.Count("ny"), a.Length("x0"), a.Length("y0"), a.Length("dx"), a.Length("dy")};
    }
}

// The pitch of a single row or column may be given as nothing: the label's own size.
double Pitch(double pitch, int count, double size)
{
    return count == 1 && pitch < size ? size : pitch;
}

void Convert(TemplateReading& t, const QXmlStreamAttributes& attributes, const LibraryPapers& papers)
{
    LibrarySheet& s = t.sheet;
    LabelTemplate& g = s.sheet;
    QSizeF paper = papers.value(s.paper);
    if (s.paper == u"Other") {
        AttributeReader a(attributes, t);
        paper = QSizeF(a.Length("width", true), a.Length("height", true));
    } else if (paper.isEmpty()) {
        t.fault = QStringLiteral("paper size \"%1\" is unknown").arg(s.paper);
    }
    g.TemplateName = s.brand + QLatin1Char(' ') + s.part;
    g.LabelWidth = t.width;
    g.LabelHeight = t.height;
    g.Across = t.layout.nx;
    g.Down = t.layout.ny;
    g.LeftMargin = t.layout.x0;
    g.TopMargin = t.layout.y0;
    g.HorzPitch = Pitch(t.layout.dx, g.Across, t.width);
    g.VertPitch = Pitch(t.layout.dy, g.Down, t.height);
    g.SheetWidth = paper.width();
    g.SheetHeight = paper.height();
    g.PrinterType = QStringLiteral("LJ");
    g.PaperCode = s.paper == u"A4"          ? QStringLiteral("A4")
                  : s.paper == u"US-Letter" ? QStringLiteral("LTR")
                  : s.paper == u"A5"        ? QStringLiteral("A5")
                                            : QStringLiteral("USERP");
    g.ShapeCode = t.shape;
    g.MakerCode = s.brand.toUpper();
    g.ExtraCode = s.description;
    if (t.fault.isEmpty() && (g.LabelWidth <= 0 || g.LabelHeight <= 0 || g.SheetWidth <= 0 || g.SheetHeight <= 0))
        t.fault = QStringLiteral("a label or its paper has no size");
}

void FinishTemplate(TemplateReading& t, const QXmlStreamAttributes& attributes, const LibraryPapers& papers,
                    LibraryFile& file)
{
    const QString name = t.sheet.brand + QLatin1Char(' ') + t.sheet.part;
    const bool cannotHold =
        t.cd || t.labels > 1 || t.layouts > 1 || static_cast<long>(t.layout.nx) * t.layout.ny > kMaxLabelPositions;
    if (t.fault.isEmpty() && cannotHold) {
        file.leftOut.insert(LibraryKey(t.sheet.brand, t.sheet.part));
        return;
    }
    if (t.fault.isEmpty() && (t.labels == 0 || t.layouts == 0))
        t.fault = QStringLiteral("no label with a layout");
    if (t.fault.isEmpty())
        Convert(t, attributes, papers);
    if (t.fault.isEmpty())
        file.sheets.push_back(std::move(t.sheet));
    else
        file.problems << QStringLiteral("%1: %2").arg(name, t.fault);
}

void ReadTemplate(QXmlStreamReader& xml, const LibraryPapers& papers, LibraryFile& file)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const auto text = [&](const char* name) { return attributes.value(QLatin1StringView(name)).toString(); };
    TemplateReading t;
    t.sheet.brand = text("brand");
    t.sheet.part = text("part");
    t.sheet.paper = text("size");
    t.sheet.description =
        attributes.hasAttribute(QStringLiteral("_description")) ? text("_description") : text("description");
    // Labels hold their layouts and markup one level down; nothing deeper matters.
    while (xml.readNextStartElement()) {
        ReadElement(xml, t);
        const bool holdsLayouts = xml.name().startsWith(u"Label-");
        while (holdsLayouts && xml.readNextStartElement()) {
            ReadElement(xml, t);
            xml.skipCurrentElement();
        }
        if (!holdsLayouts)
            xml.skipCurrentElement();
    }
    if (xml.hasError())
        return;
    if (t.sheet.brand.isEmpty() || t.sheet.part.isEmpty())
        file.problems << QStringLiteral("a template without a maker or part number");
    else if (const QString equivalent = text("equiv"); !equivalent.isEmpty())
        file.aliases.push_back({t.sheet.brand, t.sheet.part, equivalent});
    else
        FinishTemplate(t, attributes, papers, file);
}

// Calls `element` for each child of the root, after checking the root's name.
template <class Element>
QString ReadChildren(const QByteArray& bytes, const char* root, Element element)
{
    QXmlStreamReader xml(bytes);
    if (xml.readNextStartElement() && xml.name() != QLatin1StringView(root))
        return QStringLiteral("not a file of <%1>").arg(QLatin1StringView(root));
    while (!xml.hasError() && xml.readNextStartElement())
        element(xml);
    if (xml.hasError())
        return QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return QString();
}

} // namespace

std::optional<double> LibraryLength(QStringView text)
{
    text = text.trimmed();
    double perInch = kPointsPerInch;
    for (const Unit& unit : kUnits)
        if (text.endsWith(QLatin1StringView(unit.suffix))) {
            perInch = unit.perInch;
            text.chop(2);
        }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 1e6)
        return std::nullopt;
    return value / perInch;
}

LibraryPapers BuiltInLibraryPapers()
{
    return {{QStringLiteral("A4"), QSizeF(210 / kMillimetresPerInch, 297 / kMillimetresPerInch)},
            {QStringLiteral("US-Letter"), QSizeF(8.5, 11)}};
}

bool ParseLibraryPapers(const QByteArray& bytes, LibraryPapers& papers)
{
    LibraryPapers read;
    const QString error = ReadChildren(bytes, "Glabels-paper-sizes", [&](QXmlStreamReader& xml) {
        const QXmlStreamAttributes a = xml.attributes();
        const auto width = LibraryLength(a.value(QStringLiteral("width")));
        const auto height = LibraryLength(a.value(QStringLiteral("height")));
        if (xml.name() == u"Paper-size" && width && height)
            read.insert(a.value(QStringLiteral("id")).toString(), QSizeF(*width, *height));
        xml.skipCurrentElement();
    });
    if (!error.isEmpty())
        return false;
    papers.insert(read);
    return true;
}

QHash<QString, QString> ParseLibraryCategories(const QByteArray& bytes)
{
    QHash<QString, QString> names;
    const QString error = ReadChildren(bytes, "Glabels-categories", [&](QXmlStreamReader& xml) {
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"Category")
            names.insert(a.value(QStringLiteral("id")).toString(), a.value(QStringLiteral("_name")).toString());
        xml.skipCurrentElement();
    });
    return error.isEmpty() ? names : QHash<QString, QString>();
}

LibraryFile ParseLibraryTemplates(const QByteArray& bytes, const LibraryPapers& papers)
{
    LibraryFile file;
    file.error = ReadChildren(bytes, "Glabels-templates", [&](QXmlStreamReader& xml) {
        if (xml.name() == kTemplate)
            ReadTemplate(xml, papers, file);
        else
            xml.skipCurrentElement();
    });
    if (!file.error.isEmpty())
        file = LibraryFile{{}, {}, {}, {}, file.error};
    return file;
}

QString LibraryKey(const QString& brand, const QString& part)
{
    return brand + QLatin1Char('\n') + part;
}
