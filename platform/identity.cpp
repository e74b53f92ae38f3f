#include "platform/identity.h"

QString ProductName()
{
    return QStringLiteral("Addrina");
}

QString ProductVersion()
{
    return QStringLiteral("1.2c");
}
