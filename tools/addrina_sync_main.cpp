// addrina-sync: keeps an address file in step with a CardDAV address book without opening
// a window. The first run sets the sync up (--server, --user, --first); later runs take
// them from the state beside the file.
#include "carddav/cardsync.h"
#include "carddav/passwords.h"
#include "carddav/syncstate.h"
#include "platform/identity.h"

#include <QCoreApplication>
#include <QMap>
#include <cstdio>

namespace {

const char kUsage[] = "usage: addrina-sync <address file> [--server URL --user NAME] [--first merge|server|local]\n"
                      "                    [--conflicts both|server|local] [--password-file F]\n";

const char kHelp[] =
    "\nThe first run needs --server (a server's address, or an address book's) and --user; --first says what\n"
    "the first sync does: merge both sides (default), take the server's contacts (the file's others are\n"
    "deleted, recallably) or send the file's (the address book's others are deleted). A contact changed on\n"
    "both sides is kept both ways unless --conflicts says which side wins.\n"
    "The password comes from --password-file, else the environment variable ADDRINA_CARDDAV_PASSWORD, else\n"
    "the desktop's keyring.\nExit status: 0 synced, 1 the sync failed, 2 wrong arguments.\n";

struct Args {
    QString file;
    QMap<QString, QString> values;
};

int Usage(const QString& why)
{
    std::fprintf(stderr, "addrina-sync: %s\n%s", qPrintable(why), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(ProductName());
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::printf("%s%s", kUsage, kHelp);
        return 0;
    }
    static const QStringList valued = {QStringLiteral("--server"), QStringLiteral("--user"), QStringLiteral("--first"),
                                       QStringLiteral("--conflicts"), QStringLiteral("--password-file")};
    Args parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (valued.contains(args[i])) {
            if (i + 1 >= args.size())
                return Usage(args[i] + QStringLiteral(" needs a value"));
            parsed.values[args[i]] = args[i + 1];
            ++i;
        } else if (args[i].startsWith(u'-'))
            return Usage(QStringLiteral("unknown option ") + args[i]);
        else if (parsed.file.isEmpty())
            parsed.file = args[i];
        else
            return Usage(QStringLiteral("one address file only"));
    }
    if (parsed.file.isEmpty())
        return Usage(QStringLiteral("which address file?"));
    static const QMap<QString, FirstSync> firsts = {{QStringLiteral("merge"), FirstSync::Merge},
                                                    {QStringLiteral("server"), FirstSync::Server},
                                                    {QStringLiteral("local"), FirstSync::Local}};
    static const QMap<QString, ConflictChoice> choices = {{QStringLiteral("both"), ConflictChoice::KeepBoth},
                                                          {QStringLiteral("server"), ConflictChoice::KeepServer},
                                                          {QStringLiteral("local"), ConflictChoice::KeepLocal}};
    const QString first = parsed.values.value(QStringLiteral("--first"), QStringLiteral("merge"));
    const QString conflicts = parsed.values.value(QStringLiteral("--conflicts"), QStringLiteral("both"));
    if (!firsts.contains(first))
        return Usage(QStringLiteral("--first takes merge, server or local"));
    if (!choices.contains(conflicts))
        return Usage(QStringLiteral("--conflicts takes both, server or local"));

    SyncOptions options;
    options.file = parsed.file;
    options.server = QUrl(parsed.values.value(QStringLiteral("--server")));
    options.user = parsed.values.value(QStringLiteral("--user"));
    options.first = firsts[first];
    const ConflictChoice choice = choices[conflicts];
    options.resolve = [choice](const SyncConflict&) { return choice; };
    if (options.server.isEmpty() != options.user.isEmpty())
        return Usage(QStringLiteral("--server and --user go together"));
    SyncState state;
    QString why;
    if (!state.Load(SyncState::PathFor(options.file), &why)) {
        std::fprintf(stderr, "addrina-sync: %s\n", qPrintable(why));
        return 1;
    }
    if (options.server.isEmpty() && state.collection.isEmpty())
        return Usage(parsed.file + QStringLiteral(" has no sync set up yet: give --server and --user"));
    options.password = FindPassword(options.server.isEmpty() ? state.server : options.server,
                                    options.user.isEmpty() ? state.user : options.user,
                                    parsed.values.value(QStringLiteral("--password-file")), &why);
    if (options.password.isEmpty()) {
        std::fprintf(stderr, "addrina-sync: %s\n", qPrintable(why));
        return 1;
    }
    const SyncOutcome outcome = RunCardDavSync(options);
    for (const QString& line : outcome.conflicted)
        std::printf("conflict: %s\n", qPrintable(line));
    for (const QString& line : outcome.refused)
        std::printf("skipped: %s\n", qPrintable(line));
    if (!outcome.error.isEmpty()) {
        std::fprintf(stderr, "addrina-sync: %s\n", qPrintable(outcome.error));
        return 1;
    }
    std::printf("%s\n", qPrintable(outcome.Summary()));
    return 0;
}
