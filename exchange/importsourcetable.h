#pragma once
// The other DBF table a DBF import reads from, opened read-only, with the companion that
// counts its records and the data source its browse grid shows.

#include "table/tapollo.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

struct ImportSourceTable {
    ImportSourceTable();

    TTable Source;
    TDataSource SourceData;
    TApollo SourceApollo;
};
