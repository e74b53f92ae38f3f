#include "exchange/importsourcetable.h"

ImportSourceTable::ImportSourceTable()
{
    Source.SetReadOnly(true);
    SourceData.SetDataSet(&Source);
    SourceApollo.SetDataSource(&SourceData);
}
