#include "session/orderseek.h"

#include "select/upperfold.h"
#include "table/tableerror.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"

void ApplyOrderTag(TApollo& apollo, const QString& tag)
{
    try {
        apollo.SetOrder(apollo.TagArea(tag));
    } catch (const TableError&) {
    }
}

bool SeekStartingWith(TApollo& apollo, TApolloEnv& env, const QString& text)
{
    const QString key = upperCaseLikeEngine(text);
    env.SetExact(false);
    env.SetSoftSeek(true);
    const long noted = apollo.RecNo();
    // Only a real record can be returned to; with none there is nowhere else to stand.
    const bool canReturn = noted > 0 && noted <= apollo.RecCount();
    bool found = false;
    try {
        found = apollo.Seek(key);
    } catch (const TableError&) {
        // A failed seek counts as a miss, so the user is not left at the end of the file.
    }
    if (!found && canReturn) {
        try {
            apollo.Go(noted);
        } catch (const TableError&) {
        }
    }
    env.SetSoftSeek(false);
    return found;
}
