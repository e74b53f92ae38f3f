#include "labels/labelcatalog.h"

#include "labels/valuestream.h"
#include "platform/localpaper.h"
#include "platform/programdirectory.h"

#include <QFile>
#include <algorithm>

namespace {

struct CategoryRule {
    const char* maker;
    const char* printer;
    // The two paper codes the category takes; null for any.
    const char* paper = nullptr;
    const char* otherPaper = nullptr;
};

const CategoryRule kRules[] = {
    {"AVERY", "LJ", "LTR", "LTRL"},
    {"AVERY", "IJ", "LTR", "LTRL"},
    {"AVERY", "DM"},
    {"AVERY", "LJ", "A4", "A5"},
    {"AVERY", "IJ", "A4", "A5"},
    {"NEBS", "LJ"},
    {"NEBS", "DM"},
};

constexpr int kCatalogVersion = 1;

const QLocale::Territory kLetterTerritories[] = {
    QLocale::Belize,     QLocale::Canada,     QLocale::Chile,        QLocale::Colombia,  QLocale::CostaRica,
    QLocale::Guatemala,  QLocale::Mexico,     QLocale::Nicaragua,    QLocale::Panama,    QLocale::Philippines,
    QLocale::PuertoRico, QLocale::ElSalvador, QLocale::UnitedStates, QLocale::Venezuela,
};

char16_t FoldAsciiLetter(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

} // namespace

QString CatalogPath()
{
    return ProgramDirectory() + QStringLiteral("adr.tpl");
}

QString LabelsDirectory()
{
    return ProgramDirectory() + QStringLiteral("Labels/");
}

const QStringList& CatalogCategories()
{
    static const QStringList names = {
        QStringLiteral("Avery Laserjet"),
        QStringLiteral("Avery Inkjet"),
        QStringLiteral("Avery Dot Matrix"),
        QStringLiteral("Avery Laserjet European Sizes"),
        QStringLiteral("Avery Inkjet European Sizes"),
        QStringLiteral("NEBS Laserjet"),
        QStringLiteral("NEBS Dot Matrix"),
    };
    return names;
}

int CatalogCategory(const LabelTemplate& sheet)
{
    int index = 0;
    for (const CategoryRule& rule : kRules) {
        const bool paperFits = !rule.paper || sheet.PaperCode == QLatin1StringView(rule.paper) ||
                               sheet.PaperCode == QLatin1StringView(rule.otherPaper);
        if (sheet.MakerCode == QLatin1StringView(rule.maker) && sheet.PrinterType == QLatin1StringView(rule.printer) &&
            paperFits)
            return index;
        ++index;
    }
    return -1;
}

std::vector<LabelTemplate> ParseCatalog(std::string_view bytes)
{
    std::vector<LabelTemplate> sheets;
    TValueReader in(bytes);
    if (!in.ReadListBegin() || !in.ReadInteger())
        return sheets;
    while (auto sheet = ReadTemplateValues(in))
        sheets.push_back(std::move(*sheet));
    return sheets;
}

std::vector<LabelTemplate> ReadCatalog(const QString& path)
{
    const auto bytes = ReadFileBytes(path);
    return bytes ? ParseCatalog(*bytes) : std::vector<LabelTemplate>();
}

std::string CatalogBytes(const std::vector<LabelTemplate>& sheets)
{
    TValueWriter out;
    out.WriteListBegin();
    out.WriteInteger(kCatalogVersion);
    for (const LabelTemplate& sheet : sheets)
        WriteTemplateValues(out, sheet);
    out.WriteListEnd();
    return out.Data();
}

bool SameTemplateName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (FoldAsciiLetter(a[i].unicode()) != FoldAsciiLetter(b[i].unicode()))
            return false;
    return true;
}

std::optional<std::string> ReadFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes.toStdString();
}

QString DefaultTemplateName(const QLocale& locale)
{
    const bool letter = locale.language() == QLocale::C
                            ? LocalePaper(locale) == QPageSize::Letter
                            : std::find(std::begin(kLetterTerritories), std::end(kLetterTerritories),
                                        locale.territory()) != std::end(kLetterTerritories);
    return letter ? QStringLiteral("5160") : QStringLiteral("L7160");
}
