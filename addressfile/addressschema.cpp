#include "addressfile/addressschema.h"

#include "addressfile/addresslayout.h"
#include "table/ttable.h"

#include <array>

const std::vector<AddressFieldDef>& AddressFields()
{
    static const std::vector<AddressFieldDef> fields = [] {
        std::vector<AddressFieldDef> list;
        for (const addresslayout::FieldSpec& f : addresslayout::kFields)
            list.push_back({QString::fromLatin1(f.name), QString::fromLatin1(f.type), f.chosen ? 0 : f.width});
        return list;
    }();
    return fields;
}

const std::vector<AddressTagDef>& AddressTags()
{
    static const std::vector<AddressTagDef> tags = [] {
        std::vector<AddressTagDef> list;
        for (const addresslayout::TagSpec& t : addresslayout::kTags)
            list.push_back({QString::fromLatin1(t.name), QString::fromLatin1(t.expression)});
        return list;
    }();
    return tags;
}

const QStringList& AddressTagNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const addresslayout::TagSpec& t : addresslayout::kTags)
            list << QString::fromLatin1(t.name);
        return list;
    }();
    return names;
}

void DeclareAddressFields(TTable& table)
{
    std::array<const addresslayout::FieldSpec*, addresslayout::kFields.size()> declared{};
    for (const addresslayout::FieldSpec& f : addresslayout::kFields)
        declared.at(static_cast<std::size_t>(f.declaredAt)) = &f;
    // Display widths are fixed, so a file with wider fields still shows the grid columns
    // users know.
    for (const addresslayout::FieldSpec* f : declared)
        table.AddField(QString::fromLatin1(f->name), f->width, QString::fromLatin1(f->label), f->displayWidth,
                       f->visible);
}
