#pragma once
// A temporary program directory, the scripted message service and a table trio declared
// as the main window declares it.

#include "addressfile/addressschema.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QString>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

struct BookTrio {
    explicit BookTrio(bool declared = true)
    {
        if (declared)
            DeclareAddressFields(table);
        table.SetExclusive(true);
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
    }
    TTable table;
    TDataSource source;
    TApollo apollo;
};

class AddressFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        env_.SetDeleted(false);
        env_.SetExact(false);
    }
    // Copies a shared fixture (.dbf and .cdx) into the program directory.
    QString CopyFixture(const QString& name) const;

    TempProgramDirectory programDir_;
    ScriptedMessages messages_;
    TApolloEnv env_;
};
