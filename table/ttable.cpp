#include "table/ttable.h"

#include "table/areascope.h"
#include "table/cp1252.h"
#include "table/enginetext.h"
#include "table/tableerror.h"
#include "table/tablefiles.h"
#include "xbase/sx.h"

#include <QFileInfo>
#include <algorithm>

namespace {

TFieldType TypeOfCode(const std::string& code)
{
    switch (code.empty() ? ' ' : code[0]) {
    case 'C':
        return TFieldType::String;
    case 'L':
        return TFieldType::Boolean;
    case 'N':
    case 'F':
        return TFieldType::Numeric;
    case 'D':
        return TFieldType::Date;
    case 'M':
        return TFieldType::Memo;
    default:
        return TFieldType::Other;
    }
}

bool Editing(TDataSetState state)
{
    return state == TDataSetState::Edit || state == TDataSetState::Insert;
}

} // namespace

TTable::TTable(QObject* parent) : QObject(parent) {}

TTable::~TTable()
{
    if (Active()) {
        AreaScope scope(area_);
        sx_Close();
    }
}

void TTable::CheckClosed() const
{
    if (Active())
        throw TableError(QStringLiteral("Table %1 must be closed for this").arg(tableName_));
}

void TTable::CheckActive() const
{
    if (!Active())
        throw TableError(QStringLiteral("Table %1 is not open").arg(tableName_));
}

void TTable::SetDatabaseName(const QString& directory)
{
    CheckClosed();
    databaseName_ = directory;
    if (!databaseName_.isEmpty() && !databaseName_.endsWith(QLatin1Char('/')))
        databaseName_ += QLatin1Char('/');
}

void TTable::SetTableName(const QString& fileName)
{
    CheckClosed();
    tableName_ = fileName;
}

void TTable::SetExclusive(bool exclusive)
{
    CheckClosed();
    exclusive_ = exclusive;
}

void TTable::SetReadOnly(bool readOnly)
{
    CheckClosed();
    readOnly_ = readOnly;
}

void TTable::SetDriverName(const QString& name)
{
    CheckClosed();
    driverName_ = name;
}

// ---- fields ---------------------------------------------------------------------------

TField& TTable::Add(std::unique_ptr<TField> field)
{
    if (FindField(field->FieldName()))
        throw TableError(QStringLiteral("Duplicate field name %1").arg(field->FieldName()));
    order_.push_back(field.get());
    fields_.push_back(std::move(field));
    return *fields_.back();
}

TField& TTable::AddField(const QString& name, int size, const QString& label, int displayWidth, bool visible)
{
    CheckClosed();
    TField& field = Add(std::unique_ptr<TField>(new TField(this, name, TFieldType::String, size, false)));
    if (!label.isEmpty())
        field.SetDisplayLabel(label);
    field.SetDisplayWidth(displayWidth);
    field.SetVisible(visible);
    declared_ = true;
    return field;
}

TField& TTable::AddCalcField(const QString& name, TFieldType type, int size, const QString& label, int displayWidth,
                             bool visible)
{
    CheckClosed();
    TField& field = Add(std::unique_ptr<TField>(new TField(this, name, type, size, true)));
    if (!label.isEmpty())
        field.SetDisplayLabel(label);
    field.SetDisplayWidth(displayWidth);
    field.SetVisible(visible);
    field.calcSlot_ = calcCount_++;
    return field;
}

TField* TTable::FindField(const QString& name) const
{
    for (const auto& field : fields_)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField& TTable::FieldByName(const QString& name) const
{
    if (TField* field = FindField(name))
        return *field;
    throw TableError(QStringLiteral("Field \"%1\" not found in dataset \"%2\"").arg(name, tableName_));
}

void TTable::MoveField(TField* field, int index)
{
    auto it = std::find(order_.begin(), order_.end(), field);
    if (it == order_.end())
        return;
    order_.erase(it);
    index = std::clamp(index, 0, static_cast<int>(order_.size()));
    order_.insert(order_.begin() + index, field);
    emit layoutChanged();
}

// Declared fields take the file's widths, types and places; a declared field the file
// lacks fails the open. Without declarations every column of the file becomes a field.
void TTable::SyncFieldSizes()
{
    if (!declared_) {
        const int count = sx_FieldCount();
        for (int i = 1; i <= count; ++i) {
            const std::string name = sx_FieldName(i);
            TField& field =
                Add(std::unique_ptr<TField>(new TField(this, Cp1252ToString(name), TFieldType::Other, 0, false)));
            field.size_ = sx_FieldWidth(name.c_str());
            field.type_ = TypeOfCode(sx_FieldType(name.c_str()));
            field.offset_ = sx_FieldOffset(name.c_str());
        }
        return;
    }
    for (auto it = fields_.rbegin(); it != fields_.rend(); ++it) {
        TField& field = **it;
        if (field.calculated_)
            continue;
        const EngineText name = EngineText::Text(field.name_);
        if (sx_FieldNum(name) == 0)
            throw TableError(QStringLiteral("Field \"%1\" not found in dataset \"%2\"").arg(field.name_, tableName_));
        field.size_ = sx_FieldWidth(name);
        field.type_ = TypeOfCode(sx_FieldType(name));
        field.offset_ = sx_FieldOffset(name);
    }
}

// ---- opening and closing ------------------------------------------------------------------

void TTable::Open()
{
    if (Active())
        return;
    if (tableName_.isEmpty())
        throw TableError(QStringLiteral("No table name given"));
    const QString path = FilePath();
    const int driver = ChooseDriver(driverName_, path);
    const QString alias = MakeAlias(QFileInfo(tableName_).completeBaseName(),
                                    [](const QString& name) { return sx_WorkArea(EngineText::Text(name)) != 0; });
    const int mode = readOnly_ ? SX_READONLY : exclusive_ ? SX_EXCLUSIVE : SX_SHARED;
    const int area = sx_Use(EngineText::Path(path), EngineText::Text(alias), mode, driver);
    if (area == 0)
        throw TableError(QStringLiteral("Cannot open %1: %2").arg(path, EngineError()));
    area_ = area;
    try {
        AreaScope scope(area_);
        SyncFieldSizes();
        recSize_ = sx_RecSize();
        if (!indexName_.isEmpty())
            SelectIndexTag(indexName_);
    } catch (...) {
        {
            AreaScope scope(area_);
            sx_Close();
        }
        area_ = 0;
        if (!declared_)
            Close();
        throw;
    }
    current_ = TRecordBuffer{0, std::string(static_cast<std::size_t>(recSize_), ' '), {}};
    SetState(TDataSetState::Browse);
    First();
    emit activeChanged(true);
    RowsChanged();
}

void TTable::Close()
{
    QString unwritten;
    if (area_ != 0) {
        AreaScope scope(area_);
        if (state_ == TDataSetState::Edit)
            sx_Unlock(current_.recNo);
        if (!readOnly_ && !sx_Commit())
            unwritten = EngineError();
        sx_Close();
    }
    const bool wasActive = Active();
    area_ = 0;
    modified_ = false;
    bof_ = eof_ = true;
    current_ = TRecordBuffer{};
    if (!declared_) {
        std::erase_if(order_, [](TField* field) { return !field->calculated_; });
        std::erase_if(fields_, [](const auto& field) { return !field->calculated_; });
    }
    if (!unwritten.isEmpty())
        emit writeFailed(QStringLiteral("%1 could not be written to disk: %2. The changes not written before are lost.")
                             .arg(tableName_, unwritten));
    if (!wasActive)
        return;
    SetState(TDataSetState::Inactive);
    emit activeChanged(false);
    RowsChanged();
}

int TTable::SelectIndexTag(const QString& tag)
{
    AreaScope scope(area_);
    const int order = tag.isEmpty() ? 0 : sx_TagArea(EngineText::Text(tag));
    if (order == 0 && !tag.isEmpty())
        throw TableError(QStringLiteral("Index tag %1 not found in %2").arg(tag, tableName_));
    sx_SetOrder(order);
    return order;
}

void TTable::SetIndexName(const QString& tag)
{
    if (!Active()) {
        indexName_ = tag;
        return;
    }
    CheckBrowseMode();
    SelectIndexTag(tag);
    indexName_ = tag;
    if (current_.recNo != 0) {
        AreaScope scope(area_);
        sx_Go(current_.recNo);
    }
    RowsChanged();
}

// ---- the current record ------------------------------------------------------------------

void TTable::SetState(TDataSetState state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged();
}

void TTable::FireDataChange(TField* field)
{
    if (!ControlsDisabled())
        emit recordChanged(field);
}

void TTable::AfterMove()
{
    FireDataChange(nullptr);
}

void TTable::SyncEngine() const
{
    if (current_.recNo != 0)
        sx_Go(current_.recNo);
}

// Call with the table's area selected and the engine on a record.
void TTable::LoadFromEngine()
{
    current_.recNo = sx_RecNo();
    current_.bytes.resize(static_cast<std::size_t>(recSize_));
    sx_GetRecord(current_.bytes.data());
    modified_ = false;
    CalculateFields(current_);
}

void TTable::ClearCurrent()
{
    current_.recNo = 0;
    current_.bytes.assign(static_cast<std::size_t>(recSize_), ' ');
    current_.calc.clear();
    modified_ = false;
}

void TTable::CalculateFields(TRecordBuffer& record)
{
    record.calc.assign(static_cast<std::size_t>(calcCount_), QVariant());
    if (calcCount_ == 0 || !OnCalcFields || calculating_)
        return;
    struct Restore {
        TTable* t;
        TRecordBuffer* active;
        TDataSetState state;
        ~Restore()
        {
            t->active_ = active;
            t->state_ = state;
            t->calculating_ = false;
        }
    } restore{this, active_, state_};
    active_ = &record;
    state_ = TDataSetState::CalcFields;
    calculating_ = true;
    OnCalcFields(*this);
}

void TTable::FieldChanged(TField* field)
{
    if (active_ != &current_)
        return;
    modified_ = true;
    CalculateFields(current_);
    FireDataChange(field);
}

long TTable::CurrentRecNo() const
{
    return state_ == TDataSetState::Insert ? 0 : current_.recNo;
}

QString TTable::MemoText(const TField& field, long recNo) const
{
    if (recNo == 0 || area_ == 0)
        return {};
    AreaScope scope(area_);
    sx_Go(recNo);
    return Cp1252ToString(sx_GetMemo(EngineText::Text(field.FieldName())));
}

TRecordBuffer TTable::ReadRecord(long recNo)
{
    CheckActive();
    TRecordBuffer record{recNo, std::string(static_cast<std::size_t>(recSize_), ' '), {}};
    {
        AreaScope scope(area_);
        sx_Go(recNo);
        sx_GetRecord(record.bytes.data());
    }
    CalculateFields(record);
    return record;
}

// ---- moving ------------------------------------------------------------------------------

void TTable::CheckBrowseMode()
{
    if (!Editing(state_))
        return;
    if (modified_)
        Post();
    else
        Cancel();
}

// Call with the table's area selected, after moving the engine: takes its record, or
// none when it stands past the end.
void TTable::LoadOrClear()
{
    if (sx_Eof())
        ClearCurrent();
    else
        LoadFromEngine();
}

void TTable::MoveToEnd(bool top)
{
    CheckActive();
    CheckBrowseMode();
    AreaScope scope(area_);
    if (top)
        sx_GoTop();
    else
        sx_GoBottom();
    LoadOrClear();
    const bool empty = current_.recNo == 0;
    bof_ = top || empty;
    eof_ = !top || empty;
    AfterMove();
}

void TTable::First()
{
    MoveToEnd(true);
}

void TTable::Last()
{
    MoveToEnd(false);
}

void TTable::Next()
{
    CheckActive();
    CheckBrowseMode();
    bof_ = false;
    if (current_.recNo == 0) {
        eof_ = true;
        return;
    }
    AreaScope scope(area_);
    SyncEngine();
    sx_Skip(1);
    if (sx_Eof()) {
        SyncEngine();
        eof_ = true;
        return;
    }
    LoadFromEngine();
    eof_ = false;
    AfterMove();
}

void TTable::Prior()
{
    CheckActive();
    CheckBrowseMode();
    eof_ = false;
    if (current_.recNo == 0) {
        bof_ = true;
        return;
    }
    AreaScope scope(area_);
    SyncEngine();
    sx_Skip(-1);
    if (sx_Bof() || sx_RecNo() == current_.recNo) {
        SyncEngine();
        bof_ = true;
        return;
    }
    LoadFromEngine();
    bof_ = false;
    AfterMove();
}

void TTable::GotoRecord(long recNo)
{
    CheckActive();
    CheckBrowseMode();
    {
        AreaScope scope(area_);
        sx_Go(recNo);
    }
    Resync();
}

void TTable::Resync()
{
    CheckActive();
    CheckBrowseMode();
    {
        AreaScope scope(area_);
        if (sx_Eof() || sx_RecNo() <= 0) {
            sx_GoBottom();
            LoadOrClear();
            eof_ = true;
            bof_ = current_.recNo == 0;
        } else {
            LoadFromEngine();
            bof_ = eof_ = false;
        }
    }
    AfterMove();
}

void TTable::RowsChanged()
{
    if (!ControlsDisabled())
        emit datasetChanged();
}

// ---- record life cycle --------------------------------------------------------------------

void TTable::StartInsert()
{
    CheckActive();
    if (readOnly_)
        throw TableError(QStringLiteral("Table %1 is read-only").arg(tableName_));
    CheckBrowseMode();
    if (BeforeInsert)
        BeforeInsert(*this);
    insertReturn_ = current_.recNo;
    ClearCurrent();
    CalculateFields(current_);
    SetState(TDataSetState::Insert);
    AfterMove();
    if (AfterInsert)
        AfterInsert(*this);
}

void TTable::Insert()
{
    StartInsert();
}

void TTable::Append()
{
    StartInsert();
}

void TTable::Edit()
{
    CheckActive();
    if (Editing(state_))
        return;
    if (readOnly_)
        throw TableError(QStringLiteral("Table %1 is read-only").arg(tableName_));
    if (current_.recNo == 0)
        throw TableError(QStringLiteral("There is no current record to edit"));
    {
        AreaScope scope(area_);
        SyncEngine();
        if (!sx_Rlock(current_.recNo))
            throw TableError(QStringLiteral("Record locked by another user"));
        LoadFromEngine();
    }
    SetState(TDataSetState::Edit);
    AfterMove();
    if (AfterEdit)
        AfterEdit(*this);
}

void TTable::Post()
{
    CheckActive();
    if (!Editing(state_))
        return;
    const bool inserted = state_ == TDataSetState::Insert;
    QString unwritten;
    {
        AreaScope scope(area_);
        if (inserted) {
            unwritten = AddToEngine(current_.bytes.data());
        } else {
            SyncEngine();
            // Still editing, and still locked, if this fails.
            if (!sx_PutRecord(current_.bytes.data()))
                throw TableError(QStringLiteral("Cannot save the record in %1: %2").arg(tableName_, EngineError()));
            sx_Unlock(current_.recNo);
            // The record is taken; what did not reach the disk is written by the next commit.
            if (!sx_Commit())
                unwritten = EngineError();
        }
        LoadFromEngine();
    }
    bof_ = eof_ = false;
    SetState(TDataSetState::Browse);
    if (inserted)
        RowsChanged();
    else if (!ControlsDisabled())
        emit recordPosted(current_.recNo);
    AfterMove();
    if (AfterPost)
        AfterPost(*this);
    if (!unwritten.isEmpty())
        throw NotWritten(unwritten);
}

// Call with the table's area selected. Gives why the record did not reach the disk (it is
// taken, and the next commit writes it), or nothing.
QString TTable::AddToEngine(const char* bytes)
{
    if (!sx_AppendBlank() || !sx_PutRecord(bytes))
        throw TableError(QStringLiteral("Cannot add the record to %1: %2").arg(tableName_, EngineError()));
    return batchInserts_ || sx_Commit() ? QString() : EngineError();
}

void TTable::AppendRecord(const std::string& bytes)
{
    CheckActive();
    if (readOnly_)
        throw TableError(QStringLiteral("Table %1 is read-only").arg(tableName_));
    if (bytes.size() != static_cast<std::size_t>(recSize_))
        throw TableError(QStringLiteral("A record of %1 bytes does not fit %2").arg(bytes.size()).arg(tableName_));
    CheckBrowseMode();
    QString unwritten;
    {
        AreaScope scope(area_);
        unwritten = AddToEngine(bytes.data());
        LoadFromEngine();
    }
    bof_ = eof_ = false;
    RowsChanged();
    AfterMove();
    if (!unwritten.isEmpty())
        throw NotWritten(unwritten);
}

void TTable::SetBatchInserts(bool on)
{
    batchInserts_ = on;
    if (on || !Active())
        return;
    AreaScope scope(area_);
    if (!sx_Commit())
        throw NotWritten(EngineError());
}

void TTable::Commit()
{
    CheckActive();
    AreaScope scope(area_);
    if (!sx_Commit())
        throw TableError(QStringLiteral("%1 could not be written to disk: %2").arg(tableName_, EngineError()));
}

// The engine took a change but could not put it on disk; its next commit tries again.
TableError TTable::NotWritten(const QString& reason) const
{
    return TableError(QStringLiteral("The change is kept, but %1 could not be written to disk: %2. "
                                     "It is written with the next change.")
                          .arg(tableName_, reason));
}

void TTable::Cancel()
{
    if (!Editing(state_))
        return;
    {
        AreaScope scope(area_);
        if (state_ == TDataSetState::Edit)
            sx_Unlock(current_.recNo);
        else
            current_.recNo = insertReturn_;
        if (current_.recNo != 0) {
            SyncEngine();
            LoadFromEngine();
        } else {
            ClearCurrent();
        }
    }
    SetState(TDataSetState::Browse);
    AfterMove();
    if (AfterCancel)
        AfterCancel(*this);
}

void TTable::Delete()
{
    CheckActive();
    if (state_ == TDataSetState::Insert) {
        Cancel();
        return;
    }
    CheckBrowseMode();
    if (readOnly_)
        throw TableError(QStringLiteral("Table %1 is read-only").arg(tableName_));
    if (current_.recNo == 0)
        throw TableError(QStringLiteral("There is no current record to delete"));
    QString unwritten;
    {
        AreaScope scope(area_);
        SyncEngine();
        if (!sx_Rlock(current_.recNo))
            throw TableError(QStringLiteral("Record locked by another user"));
        if (!sx_Delete()) {
            unwritten = EngineError();
            SyncEngine();
            if (!sx_Deleted()) {
                sx_Unlock(current_.recNo);
                LoadFromEngine();
                throw TableError(QStringLiteral("Cannot delete the record from %1: %2").arg(tableName_, unwritten));
            }
        }
        sx_Unlock(current_.recNo);
        sx_Skip(1);
        if (sx_Eof())
            sx_GoBottom();
        LoadOrClear();
    }
    bof_ = eof_ = current_.recNo == 0;
    RowsChanged();
    AfterMove();
    if (!unwritten.isEmpty())
        throw NotWritten(unwritten);
}

// ---- controls ------------------------------------------------------------------------------

void TTable::DisableControls()
{
    ++disableCount_;
}

void TTable::EnableControls()
{
    if (disableCount_ == 0 || --disableCount_ > 0)
        return;
    emit datasetChanged();
    emit recordChanged(nullptr);
}
