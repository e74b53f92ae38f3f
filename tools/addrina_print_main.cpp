// addrina-print: prints an address file's labels and reports to a PDF file without
// opening a window, with the program's own drawing.
#include "platform/identity.h"
#include "tools/addrina_print_command.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

void usage(FILE* out)
{
    std::fputs("usage: addrina-print COMMAND ARGUMENTS (-o OUT.pdf | --printer [QUEUE])\n\ncommands:\n", out);
    for (const auto& [name, command] : addrinaprint::Registry::Instance().All())
        std::fprintf(out, "  addrina-print %s %s\n", qPrintable(name), qPrintable(command.usage));
    std::fputs("\n\"addrina-print COMMAND --help\" explains a command's options.\n", out);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The program's own name, so that both read the same settings file (calibration).
    QGuiApplication::setApplicationName(ProductName());
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help")) {
        usage(args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    const addrinaprint::Command* command = addrinaprint::Registry::Instance().Find(name);
    if (!command) {
        std::fprintf(stderr, "addrina-print: unknown command \"%s\"\n", qPrintable(name));
        usage(stderr);
        return 2;
    }
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::printf("usage: addrina-print %s %s\n\n%s", qPrintable(name), qPrintable(command->usage),
                    qPrintable(command->help));
        return 0;
    }
    try {
        return command->run(args);
    } catch (const addrinaprint::UsageError& e) {
        std::fprintf(stderr, "addrina-print: %s: %s\nusage: addrina-print %s %s\n", qPrintable(name), e.what(),
                     qPrintable(name), qPrintable(command->usage));
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "addrina-print: %s: %s\n", qPrintable(name), e.what());
        return 1;
    }
}
