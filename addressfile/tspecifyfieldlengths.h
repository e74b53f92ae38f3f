#pragma once
// The dialog "Specify Field Lengths": one edit per chosen field width, edited in place in
// CurrentNewFileWidths(). Ok takes the typed widths (each 10..80; anything else falls
// back to the value the edit showed before), "Defaults" sets the standard ones, Cancel
// leaves the widths as they were when the dialog opened. The caller saves them when the
// dialog ends with Ok and UseTheseSettings is ticked.

#include "addressfile/fieldlengths.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;

// A typed width the dialog accepts: a whole number from 10 to 80.
std::optional<int> ParseDialogWidth(const QString& text);

class TSpecifyFieldLengths : public QDialog {
    Q_OBJECT
public:
    explicit TSpecifyFieldLengths(QWidget* parent = nullptr);

    QCheckBox* UseTheseSettings;
    QLabel* WidthNote; // says why a typed width was not taken

private:
    void ShowWidths();
    void CheckEdit(QLineEdit* edit);
    void OkButtonClick();
    void DefaultsButtonClick();
    void reject() override;

    // Edit of each field, and the value it last showed.
    QHash<QString, QLineEdit*> edits_;
    QHash<QLineEdit*, int> remembered_;
    // The widths as they were when the dialog opened, for Cancel.
    NewFileWidths original_;
};
