#include "app/calcfields.h"

#include "platform/recorddate.h"
#include "platform/trim.h"
#include "table/ttable.h"

QString FullNameOf(const QString& first, const QString& middle, const QString& last)
{
    return TrimTrailing(first + " " + middle) + " " + last;
}

QString FullNameWithPrefixOf(const QString& prefix, const QString& first, const QString& middle, const QString& last)
{
    return TrimBoth(prefix + " " + first + " " + middle) + " " + last;
}

QString CityStateZipOf(const QString& city, const QString& state, const QString& zip)
{
    return TrimLeading(city + " ") + TrimLeading(state + " ") + zip;
}

bool IsTagged(const QString& tag, const QString& tagId)
{
    return !tagId.isEmpty() && tag == tagId;
}

AddressCalcFields::AddressCalcFields(TTable& table)
    : Date(&table.FieldByName("DATE")), Tag(&table.FieldByName("TAG")), First(&table.FieldByName("FNAME")),
      Middle(&table.FieldByName("MIDDLE")), Last(&table.FieldByName("LNAME")), Prefix(&table.FieldByName("PREFIX")),
      City(&table.FieldByName("CITY")), State(&table.FieldByName("STATE")), Zip(&table.FieldByName("ZIP")),
      DisplayDate(&table.AddCalcField("DisplayDate", TFieldType::String, 12, "Date", 12)),
      Tagged(&table.AddCalcField("Tagged", TFieldType::Boolean, 1)),
      FullName(&table.AddCalcField("FullName", TFieldType::String, 35, "Full Name", 35, false)),
      FullNameWithPrefix(
          &table.AddCalcField("FullNameWithPrefix", TFieldType::String, 35, "Full Name & Prefix", 35, false)),
      CityStateZip(&table.AddCalcField("CityStateZip", TFieldType::String, 35, "City, State & Zip", 35, false))
{
    Tagged->SetDisplayValues("Yes;No");
    // Grids show the tag mark first and the displayed date where the stored one would be.
    Tagged->SetIndex(0);
    DisplayDate->SetIndex(table.FieldByName("CODES").Index() + 1);
}

void AddressCalcFields::Calculate(const QString& tagId) const
{
    DisplayDate->SetAsString(RecordDateToDisplay(Date->AsString()));
    Tagged->SetAsBoolean(IsTagged(Tag->AsString(), tagId));
    if (!FullName->Visible())
        return;
    const QString first = First->AsString(), middle = Middle->AsString(), last = Last->AsString();
    FullName->SetAsString(FullNameOf(first, middle, last));
    FullNameWithPrefix->SetAsString(FullNameWithPrefixOf(Prefix->AsString(), first, middle, last));
    CityStateZip->SetAsString(CityStateZipOf(City->AsString(), State->AsString(), Zip->AsString()));
}
