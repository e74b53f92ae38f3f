#pragma once
// The table companion: the engine operations a TTable does not offer itself (seek, record
// numbers, index orders and tags, engine filters, counts, pack, file creation, progress).
// It serves the table of its data source:
//
//   TApollo apollo;  apollo.SetDataSource(&dataSource);
//   apollo.Query("!ISDEL");                  // kept as Filter and applied again on every open
//   apollo.SetOrder(apollo.TagArea("LNAME"));
//   if (!apollo.Seek("SMI")) ...             // a miss leaves the table at its end, Eof set
//
// Operations that "settle" first post a modified pending edit or insert (and cancel an
// unmodified one): Seek, Go, SetOrder, IndexTag, IndexOpen, Query, SetScope and Pack. Every engine call runs in the
// table's own work area. Failures throw TableError; so does a text over 255 characters.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class TDataSource;
class TTable;

class TApollo : public QObject {
    Q_OBJECT
public:
    explicit TApollo(QObject* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* dataSource);
    TTable* Table() const;

    // Further index files opened with the table (none for address files).
    const QStringList& ExtraIndexes() const { return extraIndexes_; }
    void SetExtraIndexes(const QStringList& files) { extraIndexes_ = files; }
    // The engine filter; setting it runs Query.
    const QString& Filter() const { return filter_; }
    void SetFilter(const QString& expression) { Query(expression); }
    bool TurboRead() const { return turboRead_; }
    void SetTurboRead(bool on);

    bool Seek(const QString& key);
    bool Found();
    void Go(long recNo);
    // The current record's number; RecCount() + 1 when there is none (empty table, or a
    // record being inserted).
    long RecNo();
    long RecCount();
    int RecSize();

    int IndexOrd();
    // 0 gives natural order, 1..tag count that tag; a larger order changes nothing.
    // Returns the order current before.
    int SetOrder(int order);
    // Order of the tag (letter case ignored), 0 when the index has no such tag.
    int TagArea(const QString& tag);
    QString TagName(int order);
    QString IndexFileName(int order);
    // Adds a tag (an empty file means the structural index) and makes it the order.
    int IndexTag(const QString& file, const QString& tag, const QString& condition, bool descending, int options,
                 const QString& keyExpression);
    struct NewTag {
        QString tag;
        QString keyExpression;
    };
    // Adds ascending tags as IndexTag each, reading the records once per group of tags
    // instead of once per tag; the last becomes the order.
    int IndexTags(const QString& file, const QList<NewTag>& tags);
    int IndexOpen(const QString& file);
    void CloseIndexes();
    // Keys of the index that another program upper-cased otherwise (letters such as ü):
    // they sort alike, but a seek in our capitals may miss them until a rebuild.
    long ForeignCaseKeys();

    // Sets the engine filter ("" clears it) and moves to the first record it lets
    // through; gives the number of matches. On a closed table only stores the text
    // (applied when the table opens) and gives 0.
    long Query(const QString& expression);
    int QueryTest(const QString& expression);
    // The value of a logical expression for the current record.
    bool EvalLogical(const QString& expression);
    long QueryRecCount();
    QString DBFilter();
    bool SetScope(const QString& low, const QString& high);
    // Removes the records bearing the delete mark, then stands at the first record.
    void Pack();
    // Receives the percentage (0..100) of packing and of each tag being built; an empty
    // function ends the reports.
    void SetGaugeHook(std::function<void(int percent)> hook);

    bool CopyStructure(const QString& file);
    // Creating a file: CreateNew, then CreateField once per field in order, then
    // CreateExec, which completes and closes it. Note the argument order of CreateField.
    bool CreateNew(const QString& file, int driver, int fieldCount);
    void CreateField(const QString& name, const QString& type, int decimals, int width);
    bool CreateExec();

    long SysProp(int code, long value);
    // Posts the table when it is in Edit or Insert state.
    void PostPending();

private:
    int Area() const;
    bool Active() const;
    void Settle();
    void MoveEngineToCurrent();
    void Reload();
    void TableActivated(bool active);
    int TagCount();
    // After adding tags: the last one, tag, named the order; or the engine's error thrown
    // as the failure to create what.
    int TagAdded(int order, const QString& tag, const QString& what);

    QPointer<TDataSource> dataSource_;
    QMetaObject::Connection link_;
    QStringList extraIndexes_;
    QString filter_;
    bool turboRead_ = false;
    int createArea_ = 0;
};
