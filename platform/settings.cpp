#include "platform/settings.h"

#include "platform/identity.h"
#include "platform/inifile.h"
#include "platform/messages.h"
#include "platform/programdirectory.h"
#include "platform/textfile.h"

namespace {

constexpr qsizetype kLongestString = 1023;

IniText readSettings()
{
    return IniText(ReadTextFile(SettingsFilePath()));
}

} // namespace

SettingsWriteError::SettingsWriteError(const QString& path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()),
      message_(QStringLiteral("Unable to write to %1").arg(path))
{}

QString SettingsFilePath()
{
    return ProgramDirectory() + QStringLiteral("ADR.ini");
}

QString ReadSettingString(const QString& section, const QString& key, const QString& fallback)
{
    bool found = false;
    const QString value = readSettings().Value(section, key, &found);
    return (found ? value : fallback).left(kLongestString);
}

int ReadSettingInteger(const QString& section, const QString& key, int fallback)
{
    bool found = false;
    const QString value = readSettings().Value(section, key, &found);
    return found ? ParseIniInteger(value, fallback) : fallback;
}

bool ReadSettingBool(const QString& section, const QString& key, bool fallback)
{
    return ReadSettingInteger(section, key, fallback ? 1 : 0) != 0;
}

void WriteSettingString(const QString& section, const QString& key, const QString& value)
{
    const QString path = SettingsFilePath();
    IniText ini = readSettings();
    ini.SetValue(section, key, value);
    if (!WriteTextFile(path, ini.Text()))
        throw SettingsWriteError(path);
}

void WriteSettingInteger(const QString& section, const QString& key, int value)
{
    WriteSettingString(section, key, QString::number(value));
}

void WriteSettingBool(const QString& section, const QString& key, bool value)
{
    WriteSettingString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool WriteSettingsBatch(const std::function<void()>& writes)
{
    try {
        writes();
        return true;
    } catch (const SettingsWriteError& error) {
        ShowMessageBox(error.Message(), ProductName(), MbOk | MbIconStop);
        return false;
    }
}
