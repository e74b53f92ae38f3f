#include "app/aggressivesave.h"

bool AggressiveSaveCounter::CountSave(int level)
{
    if (level <= 0)
        return false;
    const int threshold = level == 1 ? 5 : 1;
    if (++Counter < threshold)
        return false;
    Counter = 0;
    return true;
}
