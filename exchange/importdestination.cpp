#include "exchange/importdestination.h"

#include "addressfile/addressschema.h"
#include "table/opentablefile.h"
#include "table/tableerror.h"

ImportDestination::ImportDestination()
{
    DeclareAddressFields(Destination);
    Destination.SetExclusive(true);
    DestinationSource.SetDataSet(&Destination);
    DestinationApollo.SetDataSource(&DestinationSource);
}

bool ImportDestination::OpenDestination(const QString& path)
{
    failure_.clear();
    if (OpenTableFile(path, Destination))
        return true;
    failure_ = EngineError();
    return false;
}
