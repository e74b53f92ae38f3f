#pragma once
// A dataset over one DBF file: its fields, a state, the current record's buffer and the
// events of its record life cycle. Windows pair it with a TDataSource (for data-aware
// controls) and a TApollo (for seek, orders, filters and the other engine operations).
//
//   TTable table;
//   table.AddField("LNAME", 30, "Last Name", 20);            // declare the fields used...
//   OpenTableFile("/data/add0001.DBF", table);               // ...and open with the file's widths
//   for (table.First(); !table.Eof(); table.Next())
//       use(table.FieldByName("LNAME").AsString());
//
// A table without declared fields gets one field per column of the file when opened.
// Moving (First, Next, ...) posts a modified pending edit or insert and cancels an
// unmodified one. Failures throw TableError.

#include "table/tableerror.h"
#include "table/tfield.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

enum class TDataSetState { Inactive, Browse, Edit, Insert, CalcFields };

class TTable : public QObject {
    Q_OBJECT
public:
    using Event = std::function<void(TTable&)>;

    explicit TTable(QObject* parent = nullptr);
    ~TTable() override;

    // Where the file is, set while the table is closed. DatabaseName always ends in "/".
    const QString& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const QString& directory);
    const QString& TableName() const { return tableName_; }
    void SetTableName(const QString& fileName);
    QString FilePath() const { return databaseName_ + tableName_; }
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool exclusive);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // Engine driver by name ("SXFOX", "SXNTX", "SXNSX", "AXNTX", "AXFOX"); empty chooses
    // by the file's first byte.
    const QString& DriverName() const { return driverName_; }
    void SetDriverName(const QString& name);

    // The current index tag; empty is natural record order. May be set while open.
    const QString& IndexName() const { return indexName_; }
    void SetIndexName(const QString& tag);

    // Field declarations, made while the table is closed.
    TField& AddField(const QString& name, int size, const QString& label = {}, int displayWidth = 0,
                     bool visible = true);
    TField& AddCalcField(const QString& name, TFieldType type, int size, const QString& label = {},
                         int displayWidth = 0, bool visible = true);
    // Fields in their current order. FindField and FieldByName ignore letter case;
    // FieldByName throws TableError for an unknown name.
    const std::vector<TField*>& Fields() const { return order_; }
    TField* FindField(const QString& name) const;
    TField& FieldByName(const QString& name) const;

    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::Inactive; }
    TDataSetState State() const { return state_; }

    void First();
    void Last();
    void Next();
    void Prior();
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    // Record number of the current record; 0 when there is none (empty, or inserting).
    long CurrentRecNo() const;
    bool IsEmpty() const { return current_.recNo == 0 && state_ != TDataSetState::Insert; }

    void Insert();
    void Append();
    void Edit();
    void Post();
    // Adds a record given whole (RecordSize bytes, delete mark first) as Append, setting its
    // fields and Post would, but without a field change or insert and post events: for
    // bulk copies that lay out their records themselves.
    void AppendRecord(const std::string& bytes);
    int RecordSize() const { return recSize_; }
    // The current record's bytes, delete mark first, for copies that read them whole.
    const std::string& RecordBytes() const { return active_->bytes; }
    void Cancel();
    void Delete();
    bool Modified() const { return modified_; }
    // While on, a posted insert joins the engine's batch of appends (written when the
    // batch fills, the table moves or closes) instead of being written at once; turning
    // it off writes the batch. For bulk imports, where a write per record dominates.
    void SetBatchInserts(bool on);
    // Writes the batch gathered so far and goes on gathering; throws TableError when the
    // disk refuses it (the batch is kept for the next try).
    void Commit();

    // Data-aware controls stop following the table until the matching EnableControls.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    Event BeforeInsert;
    Event AfterInsert;
    Event AfterEdit;
    Event AfterPost;
    Event AfterCancel;
    Event OnCalcFields;

    // For the companion and grids: the engine work area (0 when closed), and moves that
    // follow the engine.
    int WorkArea() const { return area_; }
    // Posts a modified pending edit or insert, cancels an unmodified one.
    void CheckBrowseMode();
    // Makes the given record current (it need not pass the filter).
    void GotoRecord(long recNo);
    // Re-reads the current record from wherever the engine stands in this table's area;
    // at the engine's end of file the table stands at its last record with Eof set.
    void Resync();
    // Tells grids that the rows changed as a whole (order, filter, scope, packing).
    void RowsChanged();
    // Reads another record with its calculated fields, without moving the table.
    TRecordBuffer ReadRecord(long recNo);

signals:
    // The current record changed (field null) or one of its fields did.
    void recordChanged(TField* field);
    // Rows may have changed order, number or content: grids reload.
    void datasetChanged();
    // An edited record was written back; it may have moved or left the filter.
    void recordPosted(long recNo);
    void stateChanged();
    // The table opened or closed; sent even while controls are disabled.
    void activeChanged(bool active);
    // The field list was reordered or its visibility changed.
    void layoutChanged();
    // Closing could not write changes the engine still held (a full disk): they are lost.
    void writeFailed(const QString& message);

private:
    friend class TField;

    TField& Add(std::unique_ptr<TField> field);
    void SyncFieldSizes();
    void LoadFromEngine();
    void ClearCurrent();
    void LoadOrClear();
    void MoveToEnd(bool top);
    void CalculateFields(TRecordBuffer& record);
    void FieldChanged(TField* field);
    void SetState(TDataSetState state);
    void SyncEngine() const;
    TableError NotWritten(const QString& reason) const;
    QString AddToEngine(const char* bytes);
    void CheckClosed() const;
    void CheckActive() const;
    void AfterMove();
    void FireDataChange(TField* field);
    void StartInsert();
    QString MemoText(const TField& field, long recNo) const;
    void MoveField(TField* field, int index);
    int SelectIndexTag(const QString& tag);
    const TRecordBuffer& ActiveRecord() const { return *active_; }
    TRecordBuffer& ActiveRecord() { return *active_; }

    QString databaseName_;
    QString tableName_;
    QString indexName_;
    QString driverName_;
    bool exclusive_ = false;
    bool readOnly_ = false;

    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<TField*> order_;
    bool declared_ = false;
    int calcCount_ = 0;

    int area_ = 0;
    int recSize_ = 0;
    TDataSetState state_ = TDataSetState::Inactive;
    TRecordBuffer current_;
    TRecordBuffer* active_ = &current_;
    long insertReturn_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    bool calculating_ = false;
    int disableCount_ = 0;
    bool batchInserts_ = false;
};
