#include "addressfile/fieldlengths.h"

#include "platform/settings.h"

namespace {

const QString kSection = QStringLiteral("NewFileFieldLengths");

QString KeyOf(const FieldLengthDef& def)
{
    return QStringLiteral("Field") + def.field;
}

int IndexOf(const QString& field)
{
    const auto& defs = FieldLengthDefs();
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (defs[i].field == field)
            return static_cast<int>(i);
    return -1;
}

} // namespace

const std::vector<FieldLengthDef>& FieldLengthDefs()
{
    static const std::vector<FieldLengthDef> defs = {
        {"LNAME", 30, 30},   {"FNAME", 30, 30},   {"PREFIX", 12, 12},   {"TITLE", 30, 30},
        {"ORG", 30, 30},     {"STREET", 40, 40},  {"STREET2", 40, 40},  {"CITY", 30, 30},
        {"STATE", 20, 20},   {"ZIP", 10, 10},     {"COUNTRY", 30, 30},  {"PHONE", 30, 30},
        {"PHONE2", 30, 30},  {"FAX", 40, 30},     {"EMAIL", 40, 40},    {"CODES", 30, 30},
        {"COMMENTS", 80, 80}, {"WEBPAGE", 80, 80},
    };
    return defs;
}

NewFileWidths::NewFileWidths()
{
    for (const FieldLengthDef& def : FieldLengthDefs())
        widths_.push_back(def.defaultWidth);
}

int NewFileWidths::Width(const QString& field) const
{
    const int i = IndexOf(field);
    return i < 0 ? 0 : widths_[static_cast<std::size_t>(i)];
}

void NewFileWidths::SetWidth(const QString& field, int width)
{
    if (const int i = IndexOf(field); i >= 0)
        widths_[static_cast<std::size_t>(i)] = width;
}

void NewFileWidths::Clamp()
{
    const auto& defs = FieldLengthDefs();
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (widths_[i] < kMinSettingWidth || widths_[i] > kMaxWidth)
            widths_[i] = defs[i].defaultWidth;
}

void NewFileWidths::SetDialogDefaults()
{
    const auto& defs = FieldLengthDefs();
    for (std::size_t i = 0; i < defs.size(); ++i)
        widths_[i] = defs[i].dialogDefault;
}

NewFileWidths& CurrentNewFileWidths()
{
    static NewFileWidths widths;
    return widths;
}

void LoadFieldLengths()
{
    NewFileWidths& widths = CurrentNewFileWidths();
    for (const FieldLengthDef& def : FieldLengthDefs())
        widths.SetWidth(def.field, ReadSettingInteger(kSection, KeyOf(def), def.defaultWidth));
    widths.Clamp();
}

bool SaveFieldLengths()
{
    NewFileWidths& widths = CurrentNewFileWidths();
    widths.Clamp();
    return WriteSettingsBatch([&] {
        for (const FieldLengthDef& def : FieldLengthDefs())
            WriteSettingInteger(kSection, KeyOf(def), widths.Width(def.field));
    });
}
