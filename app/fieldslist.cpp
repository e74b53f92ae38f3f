#include "app/fieldslist.h"

#include "table/ttable.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

QString FieldsListPath(const QString& programDirectory)
{
    return QDir(programDirectory).filePath(QStringLiteral("FIELDS.LST"));
}

std::optional<QStringList> ReadFieldsList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Field names are plain ASCII, so no code page question arises: a line in any other
    // encoding names no field and is skipped like any other unknown name.
    QStringList names;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

bool WriteFieldsList(const QString& path, const QStringList& names)
{
    QByteArray text;
    for (const QString& name : names)
        text += name.toUtf8() + "\r\n";
    // Written whole or not at all, so a full disk never leaves half a column list.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text);
    return file.commit();
}

QStringList ArrangeFields(const QStringList& fields, const QStringList& listed)
{
    QStringList arranged = fields;
    qsizetype next = 0;
    for (const QString& name : listed) {
        // Fields before `next` are placed already, so a repeated name finds nothing.
        for (qsizetype at = next; at < arranged.size(); ++at) {
            if (arranged.at(at).compare(name, Qt::CaseInsensitive) == 0) {
                arranged.move(at, next++);
                break;
            }
        }
    }
    return arranged;
}

QStringList FieldNames(const TTable& table)
{
    QStringList names;
    for (const TField* field : table.Fields())
        names << field->FieldName();
    return names;
}

void ArrangeTableFields(TTable& table, const QStringList& listed)
{
    const QStringList arranged = ArrangeFields(FieldNames(table), listed);
    for (int i = 0; i < arranged.size(); ++i) {
        TField& field = table.FieldByName(arranged.at(i));
        if (field.Index() != i)
            field.SetIndex(i);
    }
}
