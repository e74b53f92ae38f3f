#include "labels/addressformat.h"

#include "labels/dialogrow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QCheckBox* Check(QLayout* column, const char* name, const char* caption, bool checked)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption));
    box->setObjectName(QLatin1StringView(name));
    box->setChecked(checked);
    column->addWidget(box);
    return box;
}

QRadioButton* Radio(QLayout* column, const char* name, const char* caption, bool checked)
{
    auto* button = new QRadioButton(QString::fromUtf8(caption));
    button->setObjectName(QLatin1StringView(name));
    button->setChecked(checked);
    column->addWidget(button);
    return button;
}

} // namespace

TZintAddressLayout::TZintAddressLayout(const LabelLineOptions& o, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ZintAddressLayout"));
    setWindowTitle(QStringLiteral("Address Label Layout"));

    auto* parts = new QGroupBox(QStringLiteral("Print"));
    auto* partsColumn = new QVBoxLayout(parts);
    Namecheck = Check(partsColumn, "Namecheck", "&Name", o.UseName);
    TitleCheck = Check(partsColumn, "TitleCheck", "&Title", o.UseTitle);
    CompanyCheck = Check(partsColumn, "CompanyCheck", "&Organization", o.UseCompany);
    StreetCheck = Check(partsColumn, "StreetCheck", "Address &1", o.UseStreet);
    Street2Check = Check(partsColumn, "Street2Check", "Address &2", o.UseStreet2);
    CityStateCheck = Check(partsColumn, "CityStateCheck", "City + &State", o.UseCityState);
    ZipCheck = Check(partsColumn, "ZipCheck", "&Zip/Postal code", o.UseZip);
    PhoneCheck = Check(partsColumn, "PhoneCheck", "&Phone #1", o.UsePhone);
    CountryCheck = Check(partsColumn, "CountryCheck", "&Country", o.UseCountry);
    Uppercasecheck = Check(partsColumn, "Uppercasecheck", "&Uppercase", o.UpperCase);

    auto* zip = new QGroupBox(QStringLiteral("Zip/Postal code placement"));
    auto* zipColumn = new QVBoxLayout(zip);
    rAfterState = Radio(zipColumn, "rAfterState", "&After state", o.ZipOptions == zoAfterState);
    rBeforecity = Radio(zipColumn, "rBeforecity", "&Before city", o.ZipOptions == zoBeforeCity);
    rAftercountry = Radio(zipColumn, "rAftercountry", "A&fter country", o.ZipOptions == zoAfterCountry);
    rBeforecountry = Radio(zipColumn, "rBeforecountry", "B&efore country", o.ZipOptions == zoBeforeCountry);
    zipColumn->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addWidget(parts);
    columns->addWidget(zip);
    auto* buttons = new QHBoxLayout;
    connect(DialogButton(buttons, "OkButton", QStringLiteral("Ok"), true), &QPushButton::clicked, this,
            &QDialog::accept);
    connect(DialogButton(buttons, "CancelButton", QStringLiteral("Cancel")), &QPushButton::clicked, this,
            &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(ZipCheck, &QCheckBox::toggled, this, &TZintAddressLayout::ZipCheckClick);
    ZipCheckClick();
}

void TZintAddressLayout::ZipCheckClick()
{
    for (QRadioButton* button : {rAfterState, rBeforecity, rAftercountry, rBeforecountry})
        button->setEnabled(ZipCheck->isChecked());
}

LabelLineOptions TZintAddressLayout::Options() const
{
    LabelLineOptions o;
    o.UseName = Namecheck->isChecked();
    o.UseTitle = TitleCheck->isChecked();
    o.UseCompany = CompanyCheck->isChecked();
    o.UseStreet = StreetCheck->isChecked();
    o.UseStreet2 = Street2Check->isChecked();
    o.UseCityState = CityStateCheck->isChecked();
    o.UseZip = ZipCheck->isChecked();
    o.UsePhone = PhoneCheck->isChecked();
    o.UseCountry = CountryCheck->isChecked();
    o.UpperCase = Uppercasecheck->isChecked();
    const QRadioButton* placements[] = {rAfterState, rBeforecity, rAftercountry, rBeforecountry};
    for (int i = 0; i < 4; ++i)
        if (placements[i]->isChecked())
            o.ZipOptions = i;
    return o;
}
