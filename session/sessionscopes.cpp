#include "session/sessionscopes.h"

#include "session/addresssession.h"
#include "table/tableerror.h"

#include <utility>

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

QuietRecordEvents::QuietRecordEvents(TTable& table, bool quietPost)
    : table_(table), afterEdit_(std::exchange(table.AfterEdit, nullptr)), quietPost_(quietPost),
      controls_(table, quietPost)
{
    if (quietPost_)
        afterPost_ = std::exchange(table.AfterPost, nullptr);
}

QuietRecordEvents::~QuietRecordEvents()
{
    table_.AfterEdit = std::move(afterEdit_);
    if (quietPost_)
        table_.AfterPost = std::move(afterPost_);
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
