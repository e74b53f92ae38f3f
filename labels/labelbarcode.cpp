#include "labels/labelbarcode.h"

#include "exchange/vcardwriter.h"
#include "table/tableerror.h"
#include "table/tfield.h"
#include "table/ttable.h"

namespace {

const TField& Field(const TTable& table, const QString& name)
{
    const TField* field = table.FindField(name);
    if (!field)
        throw BarcodeError(QStringLiteral("The address file has no field \"%1\" for the barcode.").arg(name));
    return *field;
}

} // namespace

QByteArray LabelBarcodeData(const BarcodeChoice& choice, const IntelligentMailSettings& mail, const TTable& table)
{
    switch (choice.kind) {
    case BarcodeKind::QrVCard: {
        ExportValues values;
        try {
            ExportFieldSet(table).Read(values);
        } catch (const TableError& e) {
            throw BarcodeError(e.Message());
        }
        QByteArray card;
        AppendVCard(values, card);
        return card;
    }
    case BarcodeKind::Code128:
    case BarcodeKind::DataMatrix:
        return Field(table, choice.field).AsString().trimmed().toUtf8();
    case BarcodeKind::IntelligentMail:
        return IntelligentMailData(mail, Field(table, QStringLiteral("ZIP")).AsString(), table.CurrentRecNo());
    case BarcodeKind::None:
        break;
    }
    return {};
}
