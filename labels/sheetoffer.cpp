#include "labels/sheetoffer.h"

#include "labels/labelcatalog.h"

#include <algorithm>

namespace {

struct CategoryWord {
    const char* word;
    const char* category;
};
const CategoryWord kCategoryWords[] = {
    {"address", "mail"},  {"shipping", "mail"},         {"parcel", "mail"},        {"postcard", "mail"},
    {"postcard", "card"}, {"name badge", "name-badge"}, {"file folder", "filing"}, {"round", "round-label"},
};

const std::pair<const char*, const char*> kOwnCategoryNames[] = {
    {"label", "Any label"},
    {"rectangle-label", "Rectangular labels"},
    {"round-label", "Round labels"},
    {"mail", "Mailing/shipping products"},
    {"card", "Any card"},
    {"name-badge", "Name Badge"},
    {"filing", "Filing labels"},
};

QString CatalogPaper(const LabelTemplate& sheet)
{
    if (sheet.PaperCode.startsWith(u"LTR"))
        return QStringLiteral("US-Letter");
    if (sheet.PaperCode.startsWith(u"USER"))
        return QStringLiteral("%1 x %2 in").arg(sheet.SheetWidth).arg(sheet.SheetHeight);
    return sheet.PaperCode.left(2);
}

} // namespace

bool SheetOffer::Matches(const QString& search, const QString& category) const
{
    if (!category.isEmpty() && !categories.contains(category))
        return false;
    const QString text = QStringList{maker, name, paper, description}.join(QLatin1Char(' '));
    const QStringList words = search.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(words.begin(), words.end(),
                       [&](const QString& word) { return text.contains(word, Qt::CaseInsensitive); });
}

QString SheetOffer::Line() const
{
    return QStringList{maker, name, paper, QStringLiteral("%1 x %2").arg(sheet.Across).arg(sheet.Down), description}
        .join(QLatin1Char('\t'));
}

std::vector<SheetOffer> SheetOffers(const std::vector<LabelTemplate>& catalog, const SheetLibrary& library)
{
    std::vector<SheetOffer> offers;
    offers.reserve(catalog.size() + library.sheets.size());
    for (const LabelTemplate& sheet : catalog)
        offers.push_back({sheet.MakerCode, sheet.TemplateName, CatalogPaper(sheet), sheet.ExtraCode,
                          CatalogSheetCategories(sheet), sheet, false});
    for (const LibrarySheet& s : library.sheets)
        offers.push_back({s.brand, s.part, s.paper, s.description, s.categories, s.sheet, true});
    return offers;
}

std::optional<LabelTemplate> FindOfferedSheet(const QString& catalogPath, const QString& name)
{
    for (const LabelTemplate& sheet : ReadCatalog(catalogPath))
        if (SameTemplateName(sheet.TemplateName, name))
            return sheet;
    const LibrarySheet* found = FindLibrarySheet(SystemSheetLibrary(), name);
    return found ? std::optional<LabelTemplate>(found->sheet) : std::nullopt;
}

QStringList CatalogSheetCategories(const LabelTemplate& sheet)
{
    const QString description = sheet.ExtraCode.toLower();
    QStringList categories;
    if (!description.contains(u"postcard"))
        categories << QStringLiteral("label");
    categories << (sheet.ShapeCode == u"EL" ? QStringLiteral("round-label") : QStringLiteral("rectangle-label"));
    for (const CategoryWord& rule : kCategoryWords)
        if (description.contains(QLatin1StringView(rule.word)) &&
            !categories.contains(QLatin1StringView(rule.category)))
            categories << QLatin1StringView(rule.category);
    return categories;
}

std::vector<std::pair<QString, QString>> OfferedCategories(const std::vector<SheetOffer>& offers,
                                                           const SheetLibrary& library)
{
    QHash<QString, QString> names = library.categoryNames;
    for (const auto& [id, caption] : kOwnCategoryNames)
        if (!names.contains(QLatin1StringView(id)))
            names.insert(QLatin1StringView(id), QLatin1StringView(caption));
    QSet<QString> used;
    for (const SheetOffer& offer : offers)
        for (const QString& id : offer.categories)
            used.insert(id);
    std::vector<std::pair<QString, QString>> categories;
    for (const QString& id : std::as_const(used))
        categories.emplace_back(names.value(id, id), id);
    std::sort(categories.begin(), categories.end());
    return categories;
}
