#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

// Typed access to the settings file "ADR.ini" in the program directory. Nothing is kept
// in memory: each call opens the file by name, and each write is on disk when it returns.
// A missing file or key gives the default.

QString SettingsFilePath();

// Strings read back at most 1023 characters.
QString ReadSettingString(const QString& section, const QString& key, const QString& fallback = {});
// Decimal, or hexadecimal after "0x"; anything else gives the fallback.
int ReadSettingInteger(const QString& section, const QString& key, int fallback);
// Read as an integer with fallback 1 or 0; any non-zero value is true.
bool ReadSettingBool(const QString& section, const QString& key, bool fallback);

// Writes throw SettingsWriteError when the file cannot be written.
void WriteSettingString(const QString& section, const QString& key, const QString& value);
void WriteSettingInteger(const QString& section, const QString& key, int value);
void WriteSettingBool(const QString& section, const QString& key, bool value);

class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const QString& path);
    // "Unable to write to <path>"
    QString Message() const { return message_; }

private:
    QString message_;
};

// Runs a batch of writes. When one fails, the rest of the batch is not made and the
// failure is shown to the user; returns false then.
bool WriteSettingsBatch(const std::function<void()>& writes);
