#include "exchange/importdestination.h"

#include "addressfile/addressschema.h"
#include "table/opentablefile.h"

ImportDestination::ImportDestination()
{
    DeclareAddressFields(Destination);
    Destination.SetExclusive(true);
    DestinationSource.SetDataSet(&Destination);
    DestinationApollo.SetDataSource(&DestinationSource);
}

bool ImportDestination::OpenDestination(const QString& path)
{
    return OpenTableFile(path, Destination);
}
