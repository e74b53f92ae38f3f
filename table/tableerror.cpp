#include "table/tableerror.h"

#include "xbase/sx.h"

QString EngineError()
{
    return QString::fromStdString(sx_LastError());
}
