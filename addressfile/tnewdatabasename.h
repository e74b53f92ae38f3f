#pragma once
// The dialog "Create new database": the user names a new address file (no extension).
// "Ok" is enabled only for a valid name; "Specify Field Lengths" adjusts the
// widths the new file will get (and saves them when asked to).

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// 1 to 64 letters, digits, "_", "-" and blanks, without a blank at either end.
bool IsValidDatabaseName(const QString& name);

// The first of ADD0001..ADD9999 with no "<name>.DBF" in the directory (letter case
// ignored), or ADD0001 when all are taken.
QString ProposeDatabaseName(const QString& dataDirectory);

class TNewDataBaseName : public QDialog {
    Q_OBJECT
public:
    // Loads the new-file widths from the settings file.
    explicit TNewDataBaseName(QWidget* parent = nullptr);

    QLineEdit* DBFFileName;
    QLabel* InvalidNameLabel;
    QPushButton* OKButton;
    QPushButton* SpecifyFieldLengthsButton;

private:
    void DBFFileNameChange();
    void SpecifyFieldLengthsButtonClick();
};
