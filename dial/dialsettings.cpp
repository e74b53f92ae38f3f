#include "dial/dialsettings.h"

#include "platform/settings.h"

namespace {

const QString kSection = QStringLiteral("Dialing");

int InRange(int value, int last)
{
    return value >= 0 && value <= last ? value : 0;
}

} // namespace

DialSettings ReadDialSettings()
{
    DialSettings s;
    s.prefix = ReadSettingString(kSection, QStringLiteral("Prefix"));
    s.init = ReadSettingString(kSection, QStringLiteral("Init"));
    s.port = InRange(ReadSettingInteger(kSection, QStringLiteral("Port"), 0), 3);
    s.method = InRange(ReadSettingInteger(kSection, QStringLiteral("Method"), 0), 1);
    s.useTapi = ReadSettingBool(kSection, QStringLiteral("UseTAPI"), false);
    return s;
}

bool WriteDialSettings(const DialSettings& s)
{
    return WriteSettingsBatch([&s] {
        WriteSettingString(kSection, QStringLiteral("Prefix"), s.prefix);
        WriteSettingString(kSection, QStringLiteral("Init"), s.init);
        WriteSettingInteger(kSection, QStringLiteral("Port"), s.port);
        WriteSettingInteger(kSection, QStringLiteral("Method"), s.method);
        WriteSettingBool(kSection, QStringLiteral("UseTAPI"), s.useTapi);
    });
}
