#pragma once
// One field of a TTable: a stored column of the DBF file or a calculated value that the
// table's OnCalcFields handler fills for each record read.
//
//   QString last = table.FieldByName("lname").AsString();   // trailing blanks removed
//   table.Edit();  table.FieldByName("ISDEL").SetAsBoolean(true);  table.Post();
//
// Writing is allowed only while the table is in Edit or Insert state (calculated fields:
// only from OnCalcFields). A text with a character that Windows-1252 cannot hold is
// refused with a TableError; a text longer than the field is cut to its Size.

#include <QString>
#include <QVariant>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TTable;

enum class TFieldType { String, Boolean, Numeric, Date, Memo, Other };

// The bytes of one record (delete mark first) and the calculated values that go with it.
struct TRecordBuffer {
    long recNo = 0;
    std::string bytes;
    std::vector<QVariant> calc;
};

class TField {
public:
    const QString& FieldName() const { return name_; }
    int Size() const { return size_; }
    // Where the field's bytes start in a record (the delete mark is byte 0).
    int Offset() const { return offset_; }
    TFieldType DataType() const { return type_; }
    bool Calculated() const { return calculated_; }

    const QString& DisplayLabel() const { return label_; }
    void SetDisplayLabel(const QString& label) { label_ = label; }
    // Width in characters for grids; 0 means the field's Size.
    int DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : size_; }
    void SetDisplayWidth(int width) { displayWidth_ = width; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // For Boolean fields: the texts AsString gives for true and false, as "Yes;No".
    void SetDisplayValues(const QString& trueAndFalse);

    // Position in the table's field list; SetIndex moves the field there.
    int Index() const;
    void SetIndex(int index);

    QString AsString() const;
    void SetAsString(const QString& text);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    // Takes the value of a field of another table as the file stores it, cut or padded to
    // this field's width, without turning it into text and back (copies of many records).
    // Fields that are not both stored character fields go through AsString.
    void AssignStored(const TField& from);

    // The value in another record than the current one (grids).
    QString AsStringIn(const TRecordBuffer& record) const;
    // The same, into a string whose room is kept from one record to the next (a pass
    // over every record makes no string a field).
    void AsStringInto(const TRecordBuffer& record, QString& into) const;

    TTable& Table() const { return *table_; }

private:
    friend class TTable;
    TField(TTable* table, const QString& name, TFieldType type, int size, bool calculated);

    QString TextOf(const TRecordBuffer& record) const;
    // The stored bytes that are the text of a character, numeric or date field, without
    // their padding; nothing for the fields whose text is made otherwise.
    std::optional<std::string_view> StoredText(const TRecordBuffer& record) const;
    bool BoolOf(const TRecordBuffer& record) const;
    void Store(const std::string& bytes);
    void CheckWritable() const;

    TTable* table_;
    QString name_;
    TFieldType type_;
    int size_;
    bool calculated_;
    QString label_;
    int displayWidth_ = 0;
    bool visible_ = true;
    QString trueText_ = QStringLiteral("True");
    QString falseText_ = QStringLiteral("False");
    // Stored fields: where the value lies in the record. Calculated: slot in the calc list.
    int offset_ = 0;
    int calcSlot_ = -1;
};
