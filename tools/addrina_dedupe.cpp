// addrina-dedupe: lists the groups of duplicate records of an address file, one record a
// line (group, record number, score, reasons, tab-separated), and changes nothing.
// Exit status 0 when it ran, 1 when the file cannot be read, 2 for a wrong command line.
#include "addressfile/runrecords.h"
#include "duplicates/contactreader.h"
#include "duplicates/duplicatefinder.h"
#include "duplicates/notduplicates.h"
#include "duplicates/phonekey.h"
#include "session/addresssession.h"
#include "table/tableerror.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

int Usage(FILE* out, int status)
{
    std::fputs("usage: addrina-dedupe FILE [--level exact|likely|possible]\n", out);
    return status;
}

int Fail(const QString& why)
{
    std::fprintf(stderr, "addrina-dedupe: %s\n", qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.contains(QLatin1String("--help")))
        return Usage(stdout, 0);
    MatchLevel level = MatchLevel::Likely;
    const qsizetype at = args.indexOf(QLatin1String("--level"));
    if (at >= 0) {
        const auto named = LevelNamed(args.value(at + 1));
        if (!named)
            return Usage(stderr, 2);
        level = *named;
        args.remove(at, 2);
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-')))
        return Usage(stderr, 2);
    const QString path = args[0];
    if (!QFileInfo::exists(path))
        return Fail(QStringLiteral("no such file: ") + path);
    try {
        AddressSession session;
        if (!session.OpenAddressFile(path, true))
            return Fail(QStringLiteral("cannot open ") + path + QStringLiteral(" as an address file"));
        session.Apollo1.Query(QString::fromLatin1(LiveRecordsQuery));
        const NotDuplicates notDuplicates(NotDuplicates::FileFor(path));
        const auto groups =
            FindDuplicateGroups(ReadMatchKeys(session.TableBook, DefaultRegion()), level, &notDuplicates);
        for (std::size_t g = 0; g < groups.size(); ++g)
            for (const long recNo : groups[g].positions) {
                const MatchedPair& best = groups[g].BestPairOf(recNo);
                const long other = best.first == recNo ? best.second : best.first;
                std::printf("%zu\t%ld\t%d\twith %ld: %s\n", g + 1, recNo, best.match.score, other,
                            best.match.reasons.toUtf8().constData());
            }
    } catch (const TableError& error) {
        return Fail(QStringLiteral("cannot read ") + path + QStringLiteral(": ") + error.Message());
    }
    return 0;
}
