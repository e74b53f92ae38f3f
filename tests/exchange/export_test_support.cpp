#include "export_test_support.h"

#include "addressfile/createaddressfile.h"
#include "table/opentablefile.h"

#include <QProcess>
#include <gtest/gtest.h>

ExportBook::ExportBook()
{
    path = dir.filePath(QStringLiteral("BOOK.DBF"));
    {
        BookTrio maker(false);
        EXPECT_TRUE(CreateAddressFile(path, maker.table, maker.apollo));
    }
    EXPECT_TRUE(OpenTableFile(path, table));
    apollo.Query(QStringLiteral("!ISDEL"));
    OrderBy(QStringLiteral("NAME"));
}

void ExportBook::Add(Values fields)
{
    table.Append();
    for (const auto& [name, value] : fields)
        table.FieldByName(QLatin1StringView(name)).SetAsString(value);
    table.Post();
}

void ExportBook::AddNumbered(int count)
{
    for (int n = 1; n <= count; ++n)
        Add({{"LNAME", QStringLiteral("Person %1").arg(n, 3, 10, QLatin1Char('0'))},
             {"FNAME", QStringLiteral("F%1").arg(count - n, 3, 10, QLatin1Char('0'))},
             {"CITY", n % 2 ? QStringLiteral("Boston") : QStringLiteral("Denver")}});
}

void ExportBook::Filter(const QString& expression)
{
    apollo.Query(expression + QStringLiteral(".and. !ISDEL"));
}

void ExportBook::OrderBy(const QString& tag)
{
    session.SetCurrentOrder(tag);
}

QString RunPython(const QString& script, const QStringList& arguments, bool* ok)
{
    QProcess python;
    python.setProcessChannelMode(QProcess::SeparateChannels);
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + arguments);
    const bool finished = python.waitForFinished(30000);
    const QString out = QString::fromUtf8(python.readAllStandardOutput());
    *ok = finished && python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
    return *ok ? out : out + QString::fromUtf8(python.readAllStandardError());
}

bool PythonHas(const char* module)
{
    bool ok = false;
    RunPython(QStringLiteral("import ") + QLatin1StringView(module), {}, &ok);
    return ok;
}
