// addrina-print printers: the print queues that --printer takes, for scripts.
#include "platform/cupsqueue.h"
#include "tools/addrina_print_command.h"

#include <cstdio>

namespace {

int RunPrinters(const QStringList& args)
{
    if (!args.isEmpty())
        throw addrinaprint::UsageError(QStringLiteral("takes no arguments"));
    const QString standard = CupsDefaultQueue();
    for (const QString& queue : CupsQueueNames())
        std::printf("%s%s\n", qUtf8Printable(queue), queue == standard ? "\tdefault" : "");
    return 0;
}

const addrinaprint::Registrar registrar{
    QStringLiteral("printers"), QString(), RunPrinters,
    QStringLiteral(R"(Lists the printers' queues that --printer takes, one a line; the
system's default queue is followed by a tab and "default". Nothing when there are none.
)")};

} // namespace
