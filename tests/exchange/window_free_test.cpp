// The import and export library below the dialogs stays window-free by its build: a source
// compiled as its sources are that includes a widget header does not compile.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The compiler's arguments for one source of a window-free library, as the build
// recorded them, set to check the given file instead and write nothing.
QStringList CompileArgumentsFor(const QString& source, const QString& probe)
{
    QFile file(QStringLiteral(ADDRINA_BIN_DIR "/../compile_commands.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QJsonValue& entry : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject command = entry.toObject();
        if (!command.value("file").toString().endsWith(source))
            continue;
        QStringList arguments;
        const QStringList recorded = QProcess::splitCommand(command.value("command").toString());
        for (qsizetype i = 0; i < recorded.size(); ++i) {
            const QString& argument = recorded[i];
            // The output, the dependency file and the source are the recorded ones' own.
            if (argument == "-o" || argument == "-MT" || argument == "-MF" || argument == "-c")
                ++i;
            else if (argument != "-MD")
                arguments << argument;
        }
        arguments << "-fsyntax-only" << probe;
        return arguments;
    }
    return {};
}

// The compiler's exit code and messages for a source made of the given lines, compiled as
// the library's source is.
std::pair<int, QString> Compile(const QTemporaryDir& dir, const QByteArray& source,
                                const QString& librarySource = "/exchange/importrun.cpp")
{
    const QString probe = dir.filePath("probe.cpp");
    QFile file(probe);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(source);
    file.close();
    QStringList arguments = CompileArgumentsFor(librarySource, probe);
    if (arguments.isEmpty())
        return {-1, QString()};
    QProcess compiler;
    compiler.start(arguments.takeFirst(), arguments);
    EXPECT_TRUE(compiler.waitForFinished(120000));
    return {compiler.exitCode(), QString::fromLocal8Bit(compiler.readAllStandardError())};
}

TEST(WindowFreeLibrary, AWidgetHeaderStopsItsBuildWhileItsOwnHeadersCompile)
{
    QTemporaryDir dir;
    const auto [plain, plainErrors] = Compile(dir, "#include \"exchange/importrun.h\"\n#include <QImage>\n");
    if (plain == -1)
        GTEST_SKIP() << "the build recorded no compile commands";
    EXPECT_EQ(plain, 0) << plainErrors.toStdString();

    const auto [widget, widgetErrors] = Compile(dir, "#include \"exchange/importrun.h\"\n#include <QLabel>\n");
    EXPECT_NE(widget, 0);
    EXPECT_TRUE(widgetErrors.contains("A window-free library includes a widget header")) << widgetErrors.toStdString();
}

TEST(WindowFreeLibrary, TheReportCanvasAndTheDialersCommandsStandBelowTheWidgets)
{
    QTemporaryDir dir;
    for (const auto& [library, header] : {std::pair{"/report/tbasereport.cpp", "report/tcanvasreport.h"},
                                          std::pair{"/dial/links.cpp", "dial/modemcommands.h"}}) {
        const QByteArray include = QByteArray("#include \"") + header + "\"\n";
        const auto [plain, plainErrors] = Compile(dir, include + "#include <QPdfWriter>\n", library);
        if (plain == -1)
            GTEST_SKIP() << "the build recorded no compile commands";
        EXPECT_EQ(plain, 0) << plainErrors.toStdString();
        EXPECT_NE(Compile(dir, include + "#include <QLabel>\n", library).first, 0) << header;
    }
}

} // namespace
