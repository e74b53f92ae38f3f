#pragma once

#include "report/recordastext.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

// "Copy Record To Clipboard": which parts of the current record go on the clipboard.
class TCopyToClipBoard : public QDialog {
    Q_OBJECT

public:
    explicit TCopyToClipBoard(QWidget* parent = nullptr);

    QCheckBox* name;
    QCheckBox* address;
    QCheckBox* phonenumbers;
    QCheckBox* codes;
    QCheckBox* comments;
    QCheckBox* email;
    QCheckBox* webpage;
    QPushButton* OkButton;
    QPushButton* CancelButton;

    RecordTextParts Parts() const;
};
