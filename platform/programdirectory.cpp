#include "platform/programdirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString& chosenDirectory()
{
    static QString folder;
    return folder;
}

QString& overrideDirectory()
{
    static QString folder;
    return folder;
}

QString defaultProgramDirectory()
{
    return ChooseProgramDirectory(QCoreApplication::applicationDirPath(),
                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace

QString WithTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString ChooseProgramDirectory(const QString& executableFolder, const QString& userDataFolder)
{
    const QString portable = WithTrailingSeparator(executableFolder);
    if (QFile::exists(portable + QStringLiteral("ADR.ini")))
        return portable;
    return WithTrailingSeparator(userDataFolder);
}

QString ProgramDirectory()
{
    if (!overrideDirectory().isEmpty())
        return overrideDirectory();
    if (chosenDirectory().isEmpty())
        chosenDirectory() = defaultProgramDirectory();
    return chosenDirectory();
}

void SetProgramDirectory(const QString& folder)
{
    overrideDirectory() = folder.isEmpty() ? QString() : WithTrailingSeparator(folder);
}

bool PrepareProgramDirectory()
{
    const QString folder = ProgramDirectory();
    if (!QDir().mkpath(folder))
        return false;
    const QString catalogue = QStringLiteral("adr.tpl");
    const QString shipped = WithTrailingSeparator(QCoreApplication::applicationDirPath()) + catalogue;
    if (!QFile::exists(folder + catalogue) && QFile::exists(shipped))
        QFile::copy(shipped, folder + catalogue);
    return true;
}
