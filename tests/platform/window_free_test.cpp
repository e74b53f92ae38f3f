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

// The compiler's arguments for one source of the window-free library, as the build
// recorded them, set to check the given file instead and write nothing.
QStringList CompileArgumentsFor(const QString& probe)
{
    QFile file(QStringLiteral(ADDRINA_BIN_DIR "/../compile_commands.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QJsonValue& entry : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject command = entry.toObject();
        if (!command.value("file").toString().endsWith("/exchange/importrun.cpp"))
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

// The compiler's exit code and messages for a source made of the given lines.
std::pair<int, QString> Compile(const QTemporaryDir& dir, const QByteArray& source)
{
    const QString probe = dir.filePath("probe.cpp");
    QFile file(probe);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(source);
    file.close();
    QStringList arguments = CompileArgumentsFor(probe);
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

} // namespace
