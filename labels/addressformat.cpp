#include "labels/addressformat.h"

#include "labels/dialogrow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TZintAddressLayout::TZintAddressLayout(const LabelLineOptions& o, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ZintAddressLayout"));
    setWindowTitle(QStringLiteral("Address Label Layout"));

    auto* parts = new QGroupBox(QStringLiteral("Print"));
    auto* partsColumn = new QVBoxLayout(parts);
    Namecheck = DialogCheck(partsColumn, "Namecheck", QStringLiteral("&Name"), o.UseName);
    TitleCheck = DialogCheck(partsColumn, "TitleCheck", QStringLiteral("&Title"), o.UseTitle);
    CompanyCheck = DialogCheck(partsColumn, "CompanyCheck", QStringLiteral("&Organization"), o.UseCompany);
    StreetCheck = DialogCheck(partsColumn, "StreetCheck", QStringLiteral("Address &1"), o.UseStreet);
    Street2Check = DialogCheck(partsColumn, "Street2Check", QStringLiteral("Address &2"), o.UseStreet2);
    CityStateCheck = DialogCheck(partsColumn, "CityStateCheck", QStringLiteral("City + &State"), o.UseCityState);
    ZipCheck = DialogCheck(partsColumn, "ZipCheck", QStringLiteral("&Zip/Postal code"), o.UseZip);
    PhoneCheck = DialogCheck(partsColumn, "PhoneCheck", QStringLiteral("&Phone #1"), o.UsePhone);
    CountryCheck = DialogCheck(partsColumn, "CountryCheck", QStringLiteral("&Country"), o.UseCountry);
    Uppercasecheck = DialogCheck(partsColumn, "Uppercasecheck", QStringLiteral("&Uppercase"), o.UpperCase);

    auto* zip = new QGroupBox(QStringLiteral("Zip/Postal code placement"));
    auto* zipColumn = new QVBoxLayout(zip);
    rAfterState = DialogRadio(zipColumn, "rAfterState", QStringLiteral("&After state"), o.ZipOptions == zoAfterState);
    rBeforecity = DialogRadio(zipColumn, "rBeforecity", QStringLiteral("&Before city"), o.ZipOptions == zoBeforeCity);
    rAftercountry =
        DialogRadio(zipColumn, "rAftercountry", QStringLiteral("A&fter country"), o.ZipOptions == zoAfterCountry);
    rBeforecountry =
        DialogRadio(zipColumn, "rBeforecountry", QStringLiteral("B&efore country"), o.ZipOptions == zoBeforeCountry);
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
