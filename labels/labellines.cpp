#include "labels/labellines.h"

#include "platform/trim.h"
#include "select/upperfold.h"
#include "table/ttable.h"

namespace {

// Collects the lines; `Read` fails once a field is missing and everything after it is
// skipped.
class Composer {
public:
    Composer(const AddressFieldReader& field) : field_(field) {}

    bool Read(const char* name, QString* value)
    {
        if (failed_)
            return false;
        auto text = field_(QLatin1StringView(name));
        if (!text) {
            failed_ = true;
            return false;
        }
        *value = std::move(*text);
        return true;
    }

    void Add(const QString& line)
    {
        if (!line.isEmpty())
            lines.append(line);
    }

    QStringList lines;

private:
    const AddressFieldReader& field_;
    bool failed_ = false;
};

void AddCityLine(Composer& c, const LabelLineOptions& o)
{
    QString city, state, zip;
    if (!c.Read("CITY", &city) || !c.Read("STATE", &state) || !c.Read("ZIP", &zip))
        return;
    const bool zipHere = o.UseZip && (o.ZipOptions == zoAfterState || o.ZipOptions == zoBeforeCity);
    if (o.UseCityState && zipHere && o.ZipOptions == zoAfterState) {
        const QString line = AddressPart(city) + QLatin1Char(' ') + AddressPart(state) + TrimLeading(zip);
        if (!TrimBoth(line).isEmpty())
            c.Add(line);
    } else if (o.UseCityState && zipHere) {
        c.Add(AddressPart(zip) + AddressPart(city) + AddressPart(state));
    } else if (o.UseCityState) {
        c.Add(AddressPart(city) + TrimLeading(state));
    } else if (zipHere) {
        c.Add(TrimLeading(zip));
    }
}

void AddCountryLine(Composer& c, const LabelLineOptions& o)
{
    QString country, zip;
    if (!c.Read("COUNTRY", &country) || !c.Read("ZIP", &zip))
        return;
    const bool zipHere = o.UseZip && (o.ZipOptions == zoAfterCountry || o.ZipOptions == zoBeforeCountry);
    if (o.UseCountry && zipHere && o.ZipOptions == zoAfterCountry)
        c.Add(AddressPart(country) + TrimLeading(zip));
    else if (o.UseCountry && zipHere)
        c.Add(AddressPart(zip) + TrimLeading(country));
    else if (o.UseCountry)
        c.Add(TrimLeading(country));
    else if (zipHere)
        c.Add(TrimLeading(zip));
}

} // namespace

QStringList ComposeLabelLines(const AddressFieldReader& field, const LabelLineOptions& o)
{
    Composer c(field);
    QString a, b, m, d;
    if (o.UseName && c.Read("PREFIX", &a) && c.Read("FNAME", &b) && c.Read("MIDDLE", &m) && c.Read("LNAME", &d))
        c.Add(ComposeNameLine(a, b, m, d));
    const std::pair<bool, const char*> singles[] = {
        {o.UseTitle, "TITLE"}, {o.UseCompany, "ORG"}, {o.UseStreet, "STREET"}, {o.UseStreet2, "STREET2"}};
    for (const auto& [use, name] : singles)
        if (use && c.Read(name, &a))
            c.Add(a);
    AddCityLine(c, o);
    AddCountryLine(c, o);
    if (o.UsePhone && c.Read("PHONE", &a))
        c.Add(a);
    if (o.UpperCase)
        for (QString& line : c.lines)
            line = upperCaseLikeEngine(line);
    return c.lines;
}

AddressFieldReader TableFieldReader(const TTable& table)
{
    return [&table](const QString& name) -> std::optional<QString> {
        if (!table.Active() || table.IsEmpty())
            return std::nullopt;
        const TField* f = table.FindField(name);
        if (!f)
            return std::nullopt;
        return f->AsString();
    };
}
