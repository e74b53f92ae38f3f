#include "addressfile/createaddressfile.h"

#include "addressfile/addressschema.h"
#include "addressfile/fieldlengths.h"
#include "platform/messages.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/ttable.h"
#include "xbase/sx.h"

#include <QFile>

bool RemoveIndexFile(TApollo& apollo, QString* why)
{
    // A freshly opened table stands in natural order; its structural index is order 1's.
    const int order = apollo.IndexOrd();
    const QString file = apollo.IndexFileName(order > 0 ? order : 1);
    if (file.isEmpty())
        return true;
    apollo.CloseIndexes();
    QFile index(file);
    if (!index.exists() || index.remove())
        return true;
    if (why)
        *why = file + QStringLiteral(": ") + index.errorString();
    return false;
}

bool BuildIndexTags(TTable& table, TApollo& apollo, QString* why)
{
    QString reason;
    // On a closed table the engine would act on whatever area is current: another file.
    if (!table.Active())
        reason = QStringLiteral("The address file is not open");
    if (!reason.isEmpty() || !RemoveIndexFile(apollo, &reason)) {
        if (why)
            *why = reason;
        return false;
    }
    // All 26 from one reading of the records, rather than one reading per tag.
    QList<TApollo::NewTag> tags;
    for (const AddressTagDef& tag : AddressTags())
        tags.append({tag.name, tag.keyExpression});
    try {
        apollo.IndexTags(QString(), tags);
    } catch (const std::exception& error) {
        if (why)
            *why = QString::fromStdString(error.what());
        return false;
    }
    return true;
}

bool CreateIndexTags(TTable& table, TApollo& apollo)
{
    if (BuildIndexTags(table, apollo))
        return true;
    ShowInformation(QStringLiteral("Unable to create index files"));
    return false;
}

bool CreateAddressFile(const QString& path, TTable& table, TApollo& apollo)
{
    const auto& fields = AddressFields();
    table.Close();
    bool created = false;
    try {
        if (!apollo.CreateNew(path, SX_DRIVER_CDX, static_cast<int>(fields.size()))) {
            ShowInformation(QStringLiteral("Create failed"));
            return false;
        }
        const NewFileWidths& widths = CurrentNewFileWidths();
        for (const AddressFieldDef& field : fields)
            apollo.CreateField(field.name, field.type, 0,
                               field.fixedWidth > 0 ? field.fixedWidth : widths.Width(field.name));
        created = apollo.CreateExec() && QFile::exists(path);
    } catch (const std::exception&) {
        // A path over the engine's limit: nothing was started.
        ShowInformation(QStringLiteral("Create failed"));
        return false;
    }
    if (created && !OpenTableFile(path, table)) {
        ShowInformation(QStringLiteral("File creation failed"));
        return false;
    }
    if (!CreateIndexTags(table, apollo)) {
        ShowInformation(QStringLiteral("File creation failed"));
        return false;
    }
    table.Close();
    return true;
}
