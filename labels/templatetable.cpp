#include "labels/templatetable.h"

#include <QStringList>

namespace {

constexpr int kColumns = 18;

bool Number(const QString& text, double* value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok;
}

bool Whole(const QString& text, int* value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

bool ParseSheet(const QStringList& c, LabelTemplate* t)
{
    t->TemplateName = c[0];
    t->PrinterType = c[11];
    t->PaperCode = c[12];
    t->ShapeCode = c[13];
    t->MakerCode = c[14];
    t->ExtraCode = c[15];
    return Number(c[1], &t->LabelHeight) && Number(c[2], &t->LabelWidth) && Whole(c[3], &t->Across) &&
           Whole(c[4], &t->Down) && Number(c[5], &t->TopMargin) && Number(c[6], &t->LeftMargin) &&
           Number(c[7], &t->HorzPitch) && Number(c[8], &t->VertPitch) && Number(c[9], &t->SheetWidth) &&
           Number(c[10], &t->SheetHeight) && Number(c[16], &t->HorzGap) && Number(c[17], &t->VertGap);
}

} // namespace

std::optional<std::vector<LabelTemplate>> ParseTemplateTable(const QString& text, QString* error)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty() || lines.first().split(QLatin1Char('\t')).size() != kColumns) {
        *error = QStringLiteral("line 1: the header does not name %1 columns").arg(kColumns);
        return std::nullopt;
    }
    std::vector<LabelTemplate> sheets;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList columns = lines[i].split(QLatin1Char('\t'));
        LabelTemplate sheet;
        if (columns.size() != kColumns || !ParseSheet(columns, &sheet)) {
            *error = QStringLiteral("line %1: not %2 values of a label sheet").arg(i + 1).arg(kColumns);
            return std::nullopt;
        }
        sheets.push_back(sheet);
    }
    return sheets;
}
