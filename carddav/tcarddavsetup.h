#pragma once
// "Sync with CardDAV Address Book": the server, the user and password, the address book
// (found on the server with "Find"), what the first sync does, and whether the program
// syncs whenever it opens the file.

#include "carddav/cardsync.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TCardDavSetup : public QDialog {
    Q_OBJECT
public:
    explicit TCardDavSetup(QWidget* parent = nullptr);

    QLineEdit* ServerEdit;
    QLineEdit* UserEdit;
    QLineEdit* PasswordEdit;
    QPushButton* FindButton;
    QComboBox* BookCombo;
    QComboBox* FirstCombo;
    QCheckBox* SyncOnOpenCheck;
    QLabel* StatusLabel;
    QPushButton* OkButton;

    void FindButtonClick();
    // The choices as options for the first sync (file and progress left to the caller).
    SyncOptions Options() const;
    bool SyncOnOpen() const;
};
