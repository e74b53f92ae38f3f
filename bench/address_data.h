#pragma once
// A deterministic address-like file for the grid and browse benchmarks: last names drawn
// from 40,000 (so many repeat), one first name per record, every 25th record deleted.
// Written straight through the engine, since making it is not what is measured.

#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tdatasource.h"
#include "table/ttable.h"
#include "xbase/sx.h"

#include <QString>
#include <algorithm>
#include <random>
#include <string>

// Fields: LNAME, FNAME, CITY, STATE, TAG (character, 20 wide) and ISDEL (logical).
inline void MakeBenchAddressFile(const QString& path, int records)
{
    constexpr int kWidth = 20;
    TApollo creator;
    creator.CreateNew(path, SX_DRIVER_CDX, 6);
    for (const char* name : {"LNAME", "FNAME", "CITY", "STATE", "TAG"})
        creator.CreateField(name, "C", 0, kWidth);
    creator.CreateField("ISDEL", "L", 0, 1);
    creator.CreateExec();

    sx_Use(path.toLocal8Bit().constData(), "BENCHFILL", SX_EXCLUSIVE, SX_DRIVER_CDX);
    // Offsets count the deletion flag at byte 0.
    auto at = [](int field) { return static_cast<std::size_t>(1 + field * kWidth); };
    std::string record(static_cast<std::size_t>(sx_RecSize()), ' ');
    std::mt19937 random(3);
    for (int i = 0; i < records; ++i) {
        std::fill(record.begin(), record.end(), ' ');
        const std::string last = "NAME" + std::to_string(random() % 40000);
        const std::string first = "F" + std::to_string(i);
        record.replace(at(0), last.size(), last);
        record.replace(at(1), first.size(), first);
        record.replace(at(2), 6, "BOSTON");
        record.replace(at(3), 2, "MA");
        record[at(5)] = i % 25 == 0 ? 'T' : 'F';
        sx_AppendBlank();
        sx_PutRecord(record.data());
    }
    sx_Commit();
    sx_Close();
}

// Opens the file as the main window shows it: ordered by last name, deleted records
// filtered out. Any field declarations must already be on the table.
inline void OpenByLastName(const QString& path, TTable& table, TDataSource& source, TApollo& apollo)
{
    table.SetExclusive(true);
    source.SetDataSet(&table);
    apollo.SetDataSource(&source);
    OpenTableFile(path, table);
    apollo.IndexTag("", "LNAME", "", false, 0, "UPPER(LNAME)+UPPER(FNAME)");
    apollo.Query("!ISDEL");
}
