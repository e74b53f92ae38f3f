#include "temp_program_dir.h"

#include "platform/programdirectory.h"

#include <QFile>

TempProgramDirectory::TempProgramDirectory()
{
    SetProgramDirectory(dir_.path());
}

TempProgramDirectory::~TempProgramDirectory()
{
    SetProgramDirectory(QString());
}

QString TempProgramDirectory::Path() const
{
    return WithTrailingSeparator(dir_.path());
}

QString TempProgramDirectory::SettingsText() const
{
    QFile file(File(QStringLiteral("ADR.ini")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TempProgramDirectory::WriteSettingsText(const QString& text) const
{
    QFile file(File(QStringLiteral("ADR.ini")));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}
