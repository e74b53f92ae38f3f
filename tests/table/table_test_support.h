#pragma once
// Shared set-up for the table tests: a temporary folder with fixture copies or newly made
// files, and a table wired to its data source and companion.

#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

struct FieldSpec {
    QString name;
    QString type;
    int width;
};

// A table with its data source and companion, as every window holds them.
struct Trio {
    Trio()
    {
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
    }
    TTable table;
    TDataSource source;
    TApollo apollo;
};

class TableTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Copies <name>.dbf and <name>.cdx from the shared fixtures; gives the DBF's path.
    QString CopyFixture(const QString& name) const;
    // Makes a DBF with these fields through the companion's creation calls.
    QString MakeFile(const QString& fileName, const std::vector<FieldSpec>& fields) const;
    // A file with LNAME C 10, FNAME C 8, ISDEL L, holding the given rows (ISDEL false).
    QString MakePeople(const QString& fileName, const std::vector<std::pair<QString, QString>>& names) const;

    QTemporaryDir dir_;
    TApolloEnv env_;
};
