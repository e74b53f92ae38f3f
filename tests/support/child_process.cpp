#include "child_process.h"

#include <QMap>
#include <QString>

namespace {

const QString kChildSwitch = QStringLiteral("--addrina-child=");

QMap<QString, ChildMain>& entries()
{
    static QMap<QString, ChildMain> map;
    return map;
}

} // namespace

ChildMainRegistration::ChildMainRegistration(const char* name, ChildMain entry)
{
    entries().insert(QString::fromUtf8(name), entry);
}

QStringList ChildArguments(const QString& name, const QStringList& arguments)
{
    return QStringList{kChildSwitch + name} + arguments;
}

bool RunChildIfAsked(int argc, char** argv, int* exitCode)
{
    if (argc < 2)
        return false;
    const QString first = QString::fromLocal8Bit(argv[1]);
    if (!first.startsWith(kChildSwitch))
        return false;
    const ChildMain entry = entries().value(first.mid(kChildSwitch.size()));
    QStringList rest;
    for (int i = 2; i < argc; ++i)
        rest.append(QString::fromLocal8Bit(argv[i]));
    *exitCode = entry ? entry(rest) : 127;
    return true;
}
