#pragma once
// An address file for tests: a copy of the independent engine's 214-record fixture in a
// temporary folder, opened the way the main window opens its table (deleted records
// hidden, exclusive, no filter).

#include "support/fixture_copy.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <utility>

class Book {
public:
    Book()
    {
        path = CopyFixtureTable(QStringLiteral("small"), dir.path(), QStringLiteral("book"));
        env.SetDeleted(true);
        table.SetExclusive(true);
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
        opened = OpenTableFile(path, table);
        if (opened)
            apollo.Query(QStringLiteral("!ISDEL"));
    }

    // Appends a record with the given field values.
    void Add(std::initializer_list<std::pair<const char*, const char*>> fields)
    {
        table.Append();
        for (const auto& [name, value] : fields)
            table.FieldByName(QLatin1StringView(name)).SetAsString(QString::fromUtf8(value));
        table.Post();
    }

    // A field of every record the active query lets through, in the current order.
    QStringList Column(const char* field)
    {
        QStringList values;
        for (table.First(); !table.Eof(); table.Next())
            values << table.FieldByName(QLatin1StringView(field)).AsString();
        return values;
    }

    QSet<long> RecordNumbers()
    {
        QSet<long> numbers;
        for (table.First(); !table.Eof(); table.Next())
            numbers.insert(table.CurrentRecNo());
        return numbers;
    }

    QByteArray FileBytes(const char* ext) const
    {
        QFile file(dir.filePath(QStringLiteral("book")) + QLatin1StringView(ext));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
    TApolloEnv env;
    TTable table;
    TDataSource source;
    TApollo apollo;
    bool opened = false;
};
