#pragma once
// The dialog "User Defined Label Layout": the ten values of a sheet typed in inches or
// millimetres, the paper size and the label shape. "Ok" checks the layout (ValidLabel)
// and closes only when it passes; the caller then takes Values() into its setup with
// TakeUserDefinedLayout. "Cancel" changes nothing.

#include "labels/userlayout.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class TLabelEdit : public QDialog {
    Q_OBJECT
public:
    explicit TLabelEdit(const LabelTemplate& sheet, QWidget* parent = nullptr);

    // The values as "Ok" took them, in inches.
    const LabelTemplate& Values() const { return values_; }

    QLineEdit* elblHeight;
    QLineEdit* elblwidth;
    QSpinBox* enbracross;
    QSpinBox* enbrdown;
    QLineEdit* etopmarg;
    QLineEdit* eleftmarg;
    QLineEdit* eHorizPitch;
    QLineEdit* eVertPitch;
    QLineEdit* esheetwidth;
    QLineEdit* esheetdepth;
    QComboBox* eLabelShape;
    QComboBox* epapersize;
    QRadioButton* Inchesbutton;
    QRadioButton* MMButton;

private:
    void ShowLengths(const std::array<double, 8>& lengths);
    std::array<double, 8> ShownLengths() const;
    void UnitsChanged(bool millimetres);
    void RaisePitch(QLineEdit* size, QLineEdit* pitch);
    void epapersizeChange(int index);
    void OkButtonClick();

    std::array<QLineEdit*, 8> lengthEdits_{};
    bool millimetres_ = false;
    LabelTemplate values_;
};
