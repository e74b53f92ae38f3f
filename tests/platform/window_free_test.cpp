// Each layer's library below its windows stays window-free by its build: a source compiled
// as that library's sources are compiles the layer's own headers, and stops at a widget header.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The folders whose window-free library the layers above and addrina-print stand on.
const QStringList WindowFreeFolders = {"platform", "table",  "addressfile", "select", "duplicates", "session",
                                       "exchange", "report", "dial",        "labels", "envelopes",  "carddav"};

struct GuardedSource {
    QString header;        // the source's own header, as a probe includes it
    QStringList arguments; // the compiler and its arguments, without output or source
};

// For each folder, one source the build compiled with the window-free guard ahead of Qt.
QMap<QString, GuardedSource> GuardedSources()
{
    QFile file(QStringLiteral(ADDRINA_BIN_DIR "/../compile_commands.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QDir source(QStringLiteral(ADDRINA_SOURCE_DIR));
    QMap<QString, GuardedSource> found;
    for (const QJsonValue& entry : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject command = entry.toObject();
        const QString path = source.relativeFilePath(command.value("file").toString());
        const QString header = path.chopped(4) + ".h";
        const QString folder = path.section('/', 0, 0);
        if (found.contains(folder) || !command.value("command").toString().contains("/cmake/windowfree") ||
            !QFileInfo::exists(source.filePath(header)))
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
        found.insert(folder, {header, arguments});
    }
    return found;
}

// The compiler's exit code and messages for a probe made of the given lines.
std::pair<int, QString> Compile(const GuardedSource& guarded, const QByteArray& source)
{
    QTemporaryDir dir;
    const QString probe = dir.filePath("probe.cpp");
    QFile file(probe);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(source);
    file.close();
    QStringList arguments = guarded.arguments;
    arguments << "-fsyntax-only" << probe;
    QProcess compiler;
    compiler.start(arguments.takeFirst(), arguments);
    EXPECT_TRUE(compiler.waitForFinished(120000));
    return {compiler.exitCode(), QString::fromLocal8Bit(compiler.readAllStandardError())};
}

TEST(WindowFreeLibrary, EachLayersOwnHeadersCompileAndAWidgetHeaderStopsTheBuild)
{
    const QMap<QString, GuardedSource> sources = GuardedSources();
    if (sources.isEmpty())
        GTEST_SKIP() << "the build recorded no compile commands";
    for (const QString& folder : WindowFreeFolders) {
        SCOPED_TRACE(folder.toStdString());
        ASSERT_TRUE(sources.contains(folder)) << "no source of this folder is built window-free";
        const GuardedSource& guarded = sources[folder];
        const QByteArray include = "#include \"" + guarded.header.toUtf8() + "\"\n";
        const auto [plain, plainErrors] = Compile(guarded, include + "#include <QImage>\n");
        EXPECT_EQ(plain, 0) << plainErrors.toStdString();
        const auto [widget, widgetErrors] = Compile(guarded, include + "#include <QLabel>\n");
        EXPECT_NE(widget, 0);
        EXPECT_TRUE(widgetErrors.contains("A window-free library includes a widget header"))
            << widgetErrors.toStdString();
    }
}

} // namespace
