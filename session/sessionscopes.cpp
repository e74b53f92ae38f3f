#include "session/sessionscopes.h"

#include "session/addresssession.h"
#include "table/tableerror.h"

namespace {

// Runs one step of putting things back; a step the engine refuses is skipped.
template <typename Step>
void Restore(Step step)
{
    try {
        step();
    } catch (const TableError&) {
    }
}

} // namespace

KeepPlace::KeepPlace(AddressSession& session) : session_(session), controls_(session.TableBook)
{
    if (!session_.FileOpen())
        return;
    TApollo& apollo = session_.Apollo1;
    const long recNo = apollo.RecNo();
    recNo_ = recNo <= apollo.RecCount() ? recNo : 0;
    order_ = apollo.IndexOrd();
    filter_ = apollo.DBFilter();
}

KeepPlace::~KeepPlace()
{
    if (!session_.FileOpen())
        return;
    TApollo& apollo = session_.Apollo1;
    // A scope belongs to the order it was set on: clear it there and on the order put back.
    Restore([&] { apollo.SetScope(QString(), QString()); });
    Restore([&] { apollo.SetOrder(order_); });
    Restore([&] { apollo.SetScope(QString(), QString()); });
    Restore([&] { apollo.Query(filter_); });
    if (recNo_ > 0)
        Restore([&] { apollo.Go(recNo_); });
}

FileClosed::FileClosed(AddressSession& session) : session_(session)
{
    if (!session_.FileOpen())
        return;
    path_ = session_.LastOpenedFile;
    session_.TableBook.Close();
}

FileClosed::~FileClosed()
{
    if (!path_.isEmpty()) {
        session_.LastOpenedFile = path_;
        session_.ReopenFile();
    }
}

ExtraFieldsShown::ExtraFieldsShown(AddressSession& session) : session_(session)
{
    Show(true);
}

ExtraFieldsShown::~ExtraFieldsShown()
{
    Show(false);
}

void ExtraFieldsShown::Show(bool visible)
{
    emit session_.ExtraFieldsWanted(visible);
}
