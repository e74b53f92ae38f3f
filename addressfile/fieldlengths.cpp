#include "addressfile/fieldlengths.h"

#include "addressfile/addresslayout.h"
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
    // The settings keep the main table's field order.
    static const std::vector<FieldLengthDef> defs = [] {
        std::vector<FieldLengthDef> list;
        for (const addresslayout::FieldSpec* f : addresslayout::ChosenFields(&addresslayout::FieldSpec::declaredAt))
            list.push_back({QString::fromLatin1(f->name), f->width, f->dialogDefault});
        return list;
    }();
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
