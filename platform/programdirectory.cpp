#include "platform/programdirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

// The folder chosen at start-up (on first use), and the one a test pointed it at.
struct Folders {
    QString chosen;
    QString overridden;
};

Folders& folders()
{
    static Folders current;
    return current;
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
    Folders& f = folders();
    if (!f.overridden.isEmpty())
        return f.overridden;
    if (f.chosen.isEmpty())
        f.chosen = defaultProgramDirectory();
    return f.chosen;
}

void SetProgramDirectory(const QString& folder)
{
    folders().overridden = folder.isEmpty() ? QString() : WithTrailingSeparator(folder);
}

QString ShippedCatalogue(const QString& executableFolder)
{
    const QString folder = WithTrailingSeparator(executableFolder);
    for (const QString& candidate :
         {folder + QStringLiteral("adr.tpl"), folder + QStringLiteral("../share/addrina/adr.tpl")})
        if (QFile::exists(candidate))
            return QDir::cleanPath(candidate);
    return {};
}

bool PrepareProgramDirectory()
{
    const QString folder = ProgramDirectory();
    if (!QDir().mkpath(folder))
        return false;
    const QString catalogue = folder + QStringLiteral("adr.tpl");
    const QString shipped = ShippedCatalogue(QCoreApplication::applicationDirPath());
    if (!QFile::exists(catalogue) && !shipped.isEmpty())
        QFile::copy(shipped, catalogue);
    return true;
}
