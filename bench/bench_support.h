#pragma once
// What the benchmarks that need widgets or the address fixture share: one offscreen
// application for the whole run, copies of the independent engine's fixture file and
// the process's peak memory.

#include <QApplication>
#include <QFile>
#include <QString>
#include <fstream>
#include <string>

inline QApplication& BenchApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// Copies the fixture address file (with its index) to path, which ends in ".dbf". The
// fixtures' folder is given by the build, so a benchmark runs from any folder.
inline void CopyFixtureBook(const QString& path)
{
    const QString fixture = QStringLiteral(ADDRINA_FIXTURES_DIR "/xbase/small");
    QFile::copy(fixture + QStringLiteral(".dbf"), path);
    QFile::copy(fixture + QStringLiteral(".cdx"), path.left(path.size() - 4) + QStringLiteral(".cdx"));
}

// Peak resident memory of this process so far, in MB.
inline double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}
