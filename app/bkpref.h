#pragma once

#include "app/addingprefs.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QComboBox;
class QLineEdit;
struct PreferenceFlag;

// The "Preferences" dialog: the data-entry preferences and the aggressive saving level.
// It reads the settings file when created; Ok writes every key, Cancel writes nothing.
class TPreferences : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1038;

    explicit TPreferences(QWidget* parent = nullptr);

    QLineEdit* DefCountry;
    QComboBox* AggressiveSave;

private:
    QCheckBox* AddCheck(QWidget* group, const PreferenceFlag& flag, const char* objectName);
    void OkButtonClick();
    void HelpButtonClick();

    // Values as read, so keys without a control (Skipcomments2) go back unchanged.
    AddingPreferences read_;
    int readAggressiveSave_ = 0;
    QMap<QString, QCheckBox*> checks_; // by settings key
};
