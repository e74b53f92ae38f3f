#pragma once

#include <QDialog>

class QFormLayout;
class QLineEdit;
class QStatusBar;

// "New Record": asks for the names (for the duplicate check) and the zip (for the
// city and state lookup) before a record is added. Only the edits asked for show.
class TGetFirstLastZip : public QDialog {
    Q_OBJECT
public:
    struct Widths {
        int last = 30;
        int first = 30;
        int zip = 10;
    };

    TGetFirstLastZip(bool askNames, bool askZip, Widths widths, QWidget* parent = nullptr);

    QString LastNameText() const;
    QString FirstNameText() const;
    QString ZipText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* AddEdit(const char* name, const QString& caption, int width);

    QFormLayout* Form = nullptr;
    QLineEdit* LastName = nullptr;
    QLineEdit* FirstName = nullptr;
    QLineEdit* ZipCode = nullptr;
    QStatusBar* Note = nullptr; // says why a character was refused
};
