#include "support/fixture_copy.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

QString FixtureTableBase(const QString& name)
{
    return QStringLiteral(ADDRINA_FIXTURES_DIR "/xbase/") + name;
}

QString CopyFixtureTable(const QString& name, const QString& folder, const QString& baseName)
{
    const QString from = FixtureTableBase(name);
    const QString to = QDir(folder).filePath(baseName.isEmpty() ? name : baseName);
    for (const char* ext : {".dbf", ".cdx"}) {
        QFile::remove(to + ext);
        if (!QFile::copy(from + ext, to + ext))
            throw std::runtime_error(("cannot copy fixture " + from + ext + " to " + to + ext).toStdString());
        if (!QFile(to + ext).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            throw std::runtime_error(("cannot make " + to + ext + " writable").toStdString());
    }
    return to + QStringLiteral(".dbf");
}
