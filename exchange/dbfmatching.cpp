#include "exchange/dbfmatching.h"

#include "addressfile/addressschema.h"
#include "platform/identity.h"
#include "table/opentablefile.h"
#include "table/tableerror.h"
#include "table/tapollo.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QFile>
#include <sys/stat.h>

namespace {

bool Matchable(TFieldType type)
{
    return type == TFieldType::String || type == TFieldType::Boolean || type == TFieldType::Numeric ||
           type == TFieldType::Date;
}

int IndexOfLabel(const TTable& table, const QString& label)
{
    const auto& fields = table.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i]->DisplayLabel().compare(label, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return kUnassigned;
}

} // namespace

bool OpenSourceTable(const QString& path, TTable& source)
{
    source.SetReadOnly(true);
    source.SetDriverName(QString());
    if (OpenTableFile(path, source))
        return true;
    source.SetDriverName(QStringLiteral("SXNTX"));
    if (OpenTableFile(path, source))
        return true;
    source.SetDriverName(QString());
    return false;
}

std::vector<int> AutoAssign(const TTable& source, const TTable& destination)
{
    const auto& targets = destination.Fields();
    std::vector<bool> taken(targets.size(), false);
    std::vector<int> assignment;
    for (const TField* field : source.Fields()) {
        int chosen = kUnassigned;
        for (std::size_t t = 0; Matchable(field->DataType()) && t < targets.size(); ++t) {
            const bool named = targets[t]->DisplayLabel().compare(field->FieldName(), Qt::CaseInsensitive) == 0 ||
                               targets[t]->FieldName().compare(field->FieldName(), Qt::CaseInsensitive) == 0;
            if (named && !taken[t] && !targets[t]->Calculated()) {
                taken[t] = true;
                chosen = static_cast<int>(t);
                break;
            }
        }
        assignment.push_back(chosen);
    }
    return assignment;
}

QStringList OfferedSourceFields(const TTable& source, const TField& target)
{
    QStringList names;
    if (target.DataType() == TFieldType::Memo)
        return names;
    const bool dateOnly = target.DataType() == TFieldType::Date;
    for (const TField* field : source.Fields()) {
        const TFieldType type = field->DataType();
        if (type != TFieldType::Memo && (!dateOnly || type == TFieldType::Date))
            names.append(field->FieldName());
    }
    return names;
}

std::vector<int> AssignFromRows(const TTable& source, const TTable& destination, const QStringList& labels,
                                const QStringList& assigned)
{
    std::vector<int> assignment;
    for (const TField* field : source.Fields()) {
        const qsizetype row = assigned.indexOf(field->FieldName());
        assignment.push_back(row < 0 ? kUnassigned : IndexOfLabel(destination, labels.at(row)));
    }
    return assignment;
}

TField* AssignedField(const TTable& destination, int target)
{
    const auto& fields = destination.Fields();
    if (target == kUnassigned || target < 0 || static_cast<std::size_t>(target) >= fields.size())
        return nullptr;
    return fields[static_cast<std::size_t>(target)];
}

std::vector<TablePair> AssignedPairs(const TTable& source, const TTable& destination,
                                     const std::vector<int>& assignment)
{
    std::vector<TablePair> pairs;
    const auto& from = source.Fields();
    for (std::size_t i = 0; i < from.size() && i < assignment.size(); ++i) {
        TField* to = AssignedField(destination, assignment[i]);
        if (to && from[i]->DataType() != TFieldType::Memo)
            pairs.push_back({from[i], to});
    }
    return pairs;
}

bool HasAddressFields(const TTable& table)
{
    for (const AddressFieldDef& field : AddressFields())
        if (!table.FindField(field.name))
            return false;
    return true;
}

QString RefuseSource(const QString& path, TTable& source, TApollo& apollo, bool addressFile)
{
    QString refusal;
    if (!OpenSourceTable(path, source))
        refusal = QStringLiteral("Unable to open the file ") + path + QStringLiteral("\r\n\r\n") + EngineError();
    else if (apollo.RecCount() == 0)
        refusal = QStringLiteral("There are no records in ") + path;
    else if (addressFile && !HasAddressFields(source))
        refusal = path + QStringLiteral(" does not appear to be a ") + ProductName() + QStringLiteral(" DBF");
    if (!refusal.isEmpty())
        source.Close();
    return refusal;
}

std::vector<TablePair> OlderFilePairs(const TTable& source, const TTable& destination)
{
    static const char* const copied[] = {"LNAME",   "FNAME", "PREFIX",  "MIDDLE",  "TITLE",    "ORG",   "STREET",
                                         "CITY",    "STATE", "ZIP",     "COUNTRY", "PHONE",    "FAX",   "EMAIL",
                                         "WEBPAGE", "CODES", "STREET2", "PHONE2",  "COMMENTS", "ISDEL", "DATE"};
    std::vector<TablePair> pairs;
    for (const char* name : copied)
        pairs.push_back(
            {source.FindField(QString::fromLatin1(name)), destination.FindField(QString::fromLatin1(name))});
    return pairs;
}

bool IsSameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    if (stat(QFile::encodeName(a).constData(), &first) != 0 || stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
