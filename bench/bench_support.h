#pragma once
// What the benchmarks that need widgets or the address fixture share: one offscreen
// application for the whole run, and copies of the independent engine's fixture file.

#include <QApplication>
#include <QFile>
#include <QString>

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
