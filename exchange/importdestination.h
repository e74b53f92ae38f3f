#pragma once
// The address file as an import writes to it: a table of the import's own, declared as
// the main window declares it, opened in exclusive use while the main window has let go.

#include "table/tapollo.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QString>

struct ImportDestination {
    ImportDestination();

    TTable Destination;
    TDataSource DestinationSource;
    TApollo DestinationApollo;

    // Opens the address file; false when it cannot be had (in use, not a DBF), and
    // DestinationFailure then gives the engine's reason.
    bool OpenDestination(const QString& path);
    const QString& DestinationFailure() const { return failure_; }

private:
    QString failure_;
};
