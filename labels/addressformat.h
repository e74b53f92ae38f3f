#pragma once
// The dialog "Address Label Layout": which parts of the address a label shows, capitals,
// and where the postal code goes. The four placements can be chosen only while the
// postal code is shown; the checked one is kept either way.

#include "labels/labellayout.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

class TZintAddressLayout : public QDialog {
    Q_OBJECT
public:
    explicit TZintAddressLayout(const LabelLineOptions& options, QWidget* parent = nullptr);

    // The choices as shown; the caller takes them on Ok.
    LabelLineOptions Options() const;

    QCheckBox* Namecheck;
    QCheckBox* TitleCheck;
    QCheckBox* CompanyCheck;
    QCheckBox* StreetCheck;
    QCheckBox* Street2Check;
    QCheckBox* CityStateCheck;
    QCheckBox* ZipCheck;
    QCheckBox* PhoneCheck;
    QCheckBox* CountryCheck;
    QCheckBox* Uppercasecheck;
    QRadioButton* rAfterState;
    QRadioButton* rBeforecity;
    QRadioButton* rAftercountry;
    QRadioButton* rBeforecountry;

private:
    void ZipCheckClick();
};
