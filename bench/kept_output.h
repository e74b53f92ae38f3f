#pragma once
// ADDRINA_BENCH_KEEP names a folder that receives copies of the files a benchmark wrote, so
// that the output of two builds can be compared byte for byte.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

inline void KeepOutput(const QStringList& paths)
{
    const QString folder = qEnvironmentVariable("ADDRINA_BENCH_KEEP");
    if (folder.isEmpty())
        return;
    for (const QString& path : paths) {
        const QString kept = QDir(folder).filePath(QFileInfo(path).fileName());
        QFile::remove(kept);
        QFile::copy(path, kept);
    }
}
