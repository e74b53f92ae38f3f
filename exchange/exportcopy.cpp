#include "exchange/exportcopy.h"

#include "exchange/copyfailure.h"
#include "exchange/csvwriter.h"
#include "exchange/exportdates.h"
#include "exchange/exportfields.h"
#include "exchange/exportfile.h"
#include "exchange/exporttext.h"
#include "exchange/vcardwriter.h"
#include "table/tableerror.h"

CopyOutcome CopyToTextFile(ExportWalk& walk, TTable& source, CopyOutKind kind, const QString& path)
{
    CopyOutcome outcome;
    ExportFile file;
    try {
        const ExportFieldSet fields(source);
        if (!file.Create(path))
            throw TableError(file.Error());
        if (kind == CopyOutKind::Csv) {
            const QStringList labels = fields.Labels();
            AppendCsvLine(std::span<const QString>(labels.constData(), static_cast<std::size_t>(labels.size())),
                          file.Buffer());
        }
        walk.endAtCount = kind == CopyOutKind::Ascii;
        ExportValues values;
        walk.Run([&] {
            fields.Read(values);
            QByteArray& out = file.Buffer();
            if (kind == CopyOutKind::Csv) {
                // Spreadsheets take 2019-03-15 for a date, 20190315 for a number.
                values[ExDate] = ExportIsoDate(values[ExDate]);
                AppendCsvLine(values, out);
            } else if (kind == CopyOutKind::VCard)
                AppendVCard(values, out);
            else
                AppendTextLine(values, out);
            file.Flush();
            // A refused write ends the copy at once: nothing after it could reach the file.
            if (file.Failed())
                throw TableError(file.Error());
        });
        outcome.copied = walk.Copied();
        if (!file.Finish())
            throw TableError(file.Error());
    } catch (const TableError& error) {
        file.Abandon();
        outcome.copied = walk.Copied();
        outcome.failed = true;
        outcome.reason = error.Message();
        outcome.message = CopyFailureMessage(path, outcome.reason);
    }
    return outcome;
}
