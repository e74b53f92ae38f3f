#include "labels/sheetlibrary.h"

#include "labels/labelcatalog.h"
#include "platform/identity.h"

#include <QDebug>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <algorithm>
#include <memory>
#include <mutex>

namespace {

struct Cache {
    std::mutex mutex;
    std::optional<QStringList> folders;
    std::unique_ptr<SheetLibrary> library;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

std::optional<QByteArray> FileBytes(const QString& path)
{
    const auto bytes = ReadFileBytes(path);
    return bytes ? std::optional<QByteArray>(QByteArray::fromStdString(*bytes)) : std::nullopt;
}

// A sheet of the same maker's other part number: its geometry and text, its own name.
// An alias may name another alias, in any order.
void ResolveAliases(std::vector<LibraryAlias> aliases, QSet<QString> leftOut, SheetLibrary& library)
{
    QHash<QString, std::size_t> index;
    for (std::size_t i = 0; i < library.sheets.size(); ++i)
        index.insert(LibraryKey(library.sheets[i].brand, library.sheets[i].part), i);
    for (bool progress = true; progress;) {
        progress = false;
        std::erase_if(aliases, [&](const LibraryAlias& alias) {
            const QString target = LibraryKey(alias.brand, alias.equivalent);
            const QString key = LibraryKey(alias.brand, alias.part);
            if (leftOut.contains(target)) {
                leftOut.insert(key);
                ++library.leftOut;
            } else if (const auto found = index.constFind(target); found != index.cend()) {
                LibrarySheet sheet = library.sheets[*found];
                sheet.part = alias.part;
                sheet.sheet.TemplateName = alias.brand + QLatin1Char(' ') + alias.part;
                index.insert(key, library.sheets.size());
                library.sheets.push_back(std::move(sheet));
            } else {
                return false;
            }
            return progress = true;
        });
    }
    for (const LibraryAlias& alias : aliases)
        library.problems << QStringLiteral("%1 %2: the equivalent %3 is not in the library")
                                .arg(alias.brand, alias.part, alias.equivalent);
}

// The shared files of the library: the first folder that has one gives it.
template <class Use>
void ReadFirst(const QStringList& folders, const QString& name, Use use)
{
    for (const QString& folder : folders)
        if (const auto bytes = FileBytes(QDir(folder).filePath(name)); bytes && use(*bytes))
            return;
}

} // namespace

QStringList SheetLibraryFolders()
{
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    if (cache.folders)
        return *cache.folders;
    if (!qEnvironmentVariableIsEmpty("ADDRINA_LABEL_LIBRARY"))
        return qEnvironmentVariable("ADDRINA_LABEL_LIBRARY").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return {QStringLiteral("/usr/share/libglabels-3.0/templates"),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/libglabels/templates")};
}

void UseSheetLibraryFolders(const QStringList& folders)
{
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    cache.folders = folders;
    cache.library.reset();
}

SheetLibrary ReadSheetLibrary(const QStringList& folders)
{
    SheetLibrary library;
    LibraryPapers papers = BuiltInLibraryPapers();
    ReadFirst(folders, QStringLiteral("paper-sizes.xml"),
              [&](const QByteArray& bytes) { return ParseLibraryPapers(bytes, papers); });
    ReadFirst(folders, QStringLiteral("categories.xml"), [&](const QByteArray& bytes) {
        library.categoryNames = ParseLibraryCategories(bytes);
        return !library.categoryNames.isEmpty();
    });
    std::vector<LibraryAlias> aliases;
    QSet<QString> leftOut;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name :
             dir.entryList({QStringLiteral("*.xml"), QStringLiteral("*.template")}, QDir::Files, QDir::Name)) {
            const auto bytes = FileBytes(dir.filePath(name));
            const bool shared = name == u"paper-sizes.xml" || name == u"categories.xml" || name == u"vendors.xml";
            if (shared)
                continue;
            LibraryFile file = bytes ? ParseLibraryTemplates(*bytes, papers) : LibraryFile{};
            if (!bytes)
                file.error = QStringLiteral("cannot be read");
            if (!file.error.isEmpty())
                library.problems << QStringLiteral("\"%1\" skipped: %2").arg(dir.filePath(name), file.error);
            for (const QString& problem : std::as_const(file.problems))
                library.problems << QStringLiteral("\"%1\": %2").arg(dir.filePath(name), problem);
            library.leftOut += static_cast<int>(file.leftOut.size());
            leftOut.unite(file.leftOut);
            std::move(file.sheets.begin(), file.sheets.end(), std::back_inserter(library.sheets));
            std::move(file.aliases.begin(), file.aliases.end(), std::back_inserter(aliases));
        }
    }
    ResolveAliases(std::move(aliases), std::move(leftOut), library);
    std::stable_sort(library.sheets.begin(), library.sheets.end(), [](const LibrarySheet& a, const LibrarySheet& b) {
        const int maker = a.brand.compare(b.brand, Qt::CaseInsensitive);
        return maker != 0 ? maker < 0 : a.part.compare(b.part, Qt::CaseInsensitive) < 0;
    });
    return library;
}

const SheetLibrary& SystemSheetLibrary()
{
    const QStringList folders = SheetLibraryFolders();
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    if (!cache.library) {
        cache.library = std::make_unique<SheetLibrary>(ReadSheetLibrary(folders));
        for (const QString& problem : std::as_const(cache.library->problems))
            qWarning().noquote() << "label library:" << problem;
    }
    return *cache.library;
}

const LibrarySheet* FindLibrarySheet(const SheetLibrary& library, const QString& name)
{
    const auto found = std::find_if(library.sheets.begin(), library.sheets.end(), [&](const LibrarySheet& s) {
        return SameTemplateName(s.sheet.TemplateName, name);
    });
    return found == library.sheets.end() ? nullptr : &*found;
}

QString SheetLibraryLeftOut(const SheetLibrary& library)
{
    return QStringLiteral("%1 sheets of the label library left out: several layouts or shapes %2 cannot print")
        .arg(QLocale().toString(library.leftOut), ProductName());
}

QString SheetLibraryStatus(const SheetLibrary& library)
{
    const QLocale locale;
    QStringList parts;
    if (!library.sheets.empty())
        parts << QStringLiteral("%1 sheets from the label library.").arg(locale.toString(library.sheets.size()));
    if (library.leftOut > 0)
        parts << SheetLibraryLeftOut(library) + QLatin1Char('.');
    if (!library.problems.isEmpty())
        parts << QStringLiteral("Not read: %1").arg(library.problems.join(QStringLiteral("; ")));
    return parts.join(QLatin1Char(' '));
}
