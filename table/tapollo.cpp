#include "table/tapollo.h"

#include "table/areascope.h"
#include "table/cp1252.h"
#include "table/enginetext.h"
#include "table/tableerror.h"
#include "table/tdatasource.h"
#include "xbase/sx.h"

#include <QFile>
#include <utility>

namespace {

const char* const kCreateAlias = "XXXXXXXXXX";

} // namespace

TApollo::TApollo(QObject* parent) : QObject(parent) {}

TDataSource* TApollo::DataSource() const
{
    return dataSource_;
}

void TApollo::SetDataSource(TDataSource* dataSource)
{
    disconnect(link_);
    dataSource_ = dataSource;
    if (dataSource)
        link_ = connect(dataSource, &TDataSource::activeChanged, this, &TApollo::TableActivated);
}

TTable* TApollo::Table() const
{
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

bool TApollo::Active() const
{
    TTable* table = Table();
    return table && table->Active();
}

int TApollo::Area() const
{
    return Active() ? Table()->WorkArea() : 0;
}

// A table that opens gets the stored filter and the extra index files again.
void TApollo::TableActivated(bool active)
{
    if (!active)
        return;
    if (!filter_.isEmpty())
        Query(filter_);
    for (const QString& file : extraIndexes_)
        IndexOpen(file);
}

void TApollo::Settle()
{
    if (!Active())
        return;
    Table()->CheckBrowseMode();
    MoveEngineToCurrent();
}

void TApollo::MoveEngineToCurrent()
{
    if (!Active())
        return;
    if (const long recNo = Table()->CurrentRecNo(); recNo != 0) {
        AreaScope scope(Table()->WorkArea());
        sx_Go(recNo);
    }
}

void TApollo::Reload()
{
    if (Active())
        Table()->Resync();
}

void TApollo::SetTurboRead(bool on)
{
    turboRead_ = on;
    AreaScope scope(Area());
    sx_SetTurboRead(on);
}

bool TApollo::Seek(const QString& key)
{
    const EngineText text = EngineText::Text(key);
    Settle();
    bool found = false;
    {
        AreaScope scope(Area());
        found = sx_Seek(text);
    }
    if (found) {
        Reload();
    } else if (Active()) {
        Table()->Last();
        Table()->Next();
    }
    return found;
}

bool TApollo::Found()
{
    AreaScope scope(Area());
    return sx_Found();
}

void TApollo::Go(long recNo)
{
    Settle();
    {
        AreaScope scope(Area());
        sx_Go(recNo);
    }
    Reload();
}

long TApollo::RecNo()
{
    const long recNo = Active() ? Table()->CurrentRecNo() : 0;
    return recNo != 0 ? recNo : RecCount() + 1;
}

long TApollo::RecCount()
{
    AreaScope scope(Area());
    return sx_RecCount();
}

int TApollo::RecSize()
{
    AreaScope scope(Area());
    return sx_RecSize();
}

int TApollo::IndexOrd()
{
    AreaScope scope(Area());
    return sx_IndexOrd();
}

int TApollo::TagCount()
{
    AreaScope scope(Area());
    int count = 0;
    while (!sx_TagName(count + 1).empty())
        ++count;
    return count;
}

int TApollo::SetOrder(int order)
{
    const int previous = IndexOrd();
    const int count = TagCount();
    if (order < 0 || order > count || !Active())
        return previous;
    Table()->SetIndexName(order == 0 ? QString() : TagName(order));
    return previous;
}

int TApollo::TagArea(const QString& tag)
{
    const EngineText text = EngineText::Text(tag);
    MoveEngineToCurrent();
    AreaScope scope(Area());
    return sx_TagArea(text);
}

QString TApollo::TagName(int order)
{
    AreaScope scope(Area());
    return Cp1252ToString(sx_TagName(order));
}

QString TApollo::IndexFileName(int order)
{
    AreaScope scope(Area());
    const std::string path = sx_IndexName(order);
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

int TApollo::IndexTag(const QString& file, const QString& tag, const QString& condition, bool descending, int options,
                      const QString& keyExpression)
{
    const EngineText fileText = EngineText::Path(file);
    const EngineText tagText = EngineText::Text(tag);
    const EngineText conditionText = EngineText::Text(condition);
    const EngineText keyText = EngineText::Text(keyExpression);
    Settle();
    int order = 0;
    {
        AreaScope scope(Area());
        order = sx_IndexTag(fileText, tagText, keyText, options, descending, conditionText);
    }
    return TagAdded(order, tag, QStringLiteral("index tag ") + tag);
}

int TApollo::IndexTags(const QString& file, const QList<NewTag>& tags)
{
    const EngineText fileText = EngineText::Path(file);
    // The engine's texts first: the specs point into them.
    std::vector<std::pair<EngineText, EngineText>> texts;
    for (const NewTag& t : tags)
        texts.emplace_back(EngineText::Text(t.tag), EngineText::Text(t.keyExpression));
    std::vector<sx_TagSpec> specs;
    for (const auto& [tag, key] : texts)
        specs.push_back({tag, key, nullptr});
    Settle();
    int order = 0;
    {
        AreaScope scope(Area());
        order = sx_IndexTags(fileText, specs.data(), static_cast<int>(specs.size()));
    }
    return TagAdded(order, tags.isEmpty() ? QString() : tags.constLast().tag, QStringLiteral("index tags"));
}

int TApollo::TagAdded(int order, const QString& tag, const QString& what)
{
    if (order == 0)
        throw TableError(QStringLiteral("Cannot create %1: %2").arg(what, EngineError()));
    if (Active())
        Table()->SetIndexName(tag);
    Reload();
    return order;
}

int TApollo::IndexOpen(const QString& file)
{
    const EngineText path = EngineText::Path(file);
    Settle();
    int order = 0;
    {
        AreaScope scope(Area());
        order = sx_IndexOpen(path);
    }
    if (order == 0)
        throw TableError(QStringLiteral("Cannot open index %1: %2").arg(file, EngineError()));
    if (Active())
        Table()->SetIndexName(TagName(order));
    Reload();
    return order;
}

void TApollo::CloseIndexes()
{
    {
        AreaScope scope(Area());
        sx_CloseIndexes();
    }
    if (Active())
        Table()->SetIndexName(QString());
}

long TApollo::Query(const QString& expression)
{
    filter_ = expression;
    if (!Active())
        return 0;
    const EngineText text = EngineText::Text(expression);
    Settle();
    long count = 0;
    {
        AreaScope scope(Area());
        // Leaves the table on the first match: finding it again would cost a second walk.
        count = sx_Query(text);
        if (count < 0)
            throw TableError(QStringLiteral("Invalid filter expression: %1").arg(expression));
    }
    Reload();
    Table()->RowsChanged();
    return count;
}

int TApollo::QueryTest(const QString& expression)
{
    const EngineText text = EngineText::Text(expression);
    MoveEngineToCurrent();
    AreaScope scope(Area());
    return sx_QueryTest(text);
}

long TApollo::ForeignCaseKeys()
{
    AreaScope scope(Area());
    return sx_ForeignCaseKeys();
}

bool TApollo::EvalLogical(const QString& expression)
{
    const EngineText text = EngineText::Text(expression);
    MoveEngineToCurrent();
    AreaScope scope(Area());
    return sx_EvalLogical(text);
}

long TApollo::QueryRecCount()
{
    AreaScope scope(Area());
    return sx_QueryRecCount();
}

QString TApollo::DBFilter()
{
    AreaScope scope(Area());
    return Cp1252ToString(sx_DBFilter());
}

bool TApollo::SetScope(const QString& low, const QString& high)
{
    const EngineText lowText = EngineText::Text(low);
    const EngineText highText = EngineText::Text(high);
    Settle();
    bool ok = false;
    {
        AreaScope scope(Area());
        ok = sx_SetScope(lowText, highText);
    }
    Reload();
    if (Active()) {
        Table()->RowsChanged();
        Table()->First();
    }
    return ok;
}

void TApollo::Pack()
{
    Settle();
    QString failure;
    {
        AreaScope scope(Area());
        if (!sx_Pack())
            failure = EngineError();
        sx_GoTop();
    }
    Reload();
    if (Active())
        Table()->RowsChanged();
    // A failed pack leaves the table as it was.
    if (!failure.isEmpty())
        throw TableError(QStringLiteral("Cannot pack %1: %2").arg(Table() ? Table()->TableName() : QString(), failure));
}

void TApollo::SetGaugeHook(std::function<void(int percent)> hook)
{
    sx_SetGaugeHook(std::move(hook));
}

bool TApollo::CopyStructure(const QString& file)
{
    const EngineText path = EngineText::Path(file);
    AreaScope scope(Area());
    return sx_CopyStructure(path, kCreateAlias);
}

bool TApollo::CreateNew(const QString& file, int driver, int fieldCount)
{
    const EngineText path = EngineText::Path(file);
    AreaScope scope(Area());
    createArea_ = sx_CreateNew(path, kCreateAlias, driver, fieldCount);
    return createArea_ != 0;
}

void TApollo::CreateField(const QString& name, const QString& type, int decimals, int width)
{
    const EngineText nameText = EngineText::Text(name);
    const EngineText typeText = EngineText::Text(type);
    AreaScope scope(createArea_);
    sx_CreateField(nameText, typeText, width, decimals);
}

bool TApollo::CreateExec()
{
    if (createArea_ == 0)
        return false;
    AreaScope scope(createArea_);
    const bool ok = sx_CreateExec();
    // A failed creation leaves the area empty; closing "it" must not touch another.
    if (ok)
        sx_Close();
    createArea_ = 0;
    return ok;
}

long TApollo::SysProp(int code, long value)
{
    AreaScope scope(Area());
    return sx_SysProp(code, value);
}

void TApollo::PostPending()
{
    if (!Active())
        return;
    const TDataSetState state = Table()->State();
    if (state == TDataSetState::Edit || state == TDataSetState::Insert)
        Table()->Post();
}
