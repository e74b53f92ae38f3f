#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// "Configuration Information": what this machine is, for pasting into a support request.
class TConfigInformation : public QDialog {
    Q_OBJECT
public:
    explicit TConfigInformation(QWidget* parent = nullptr);

    QPlainTextEdit* InfoText;
    QPushButton* CopyButton;
    QPushButton* CloseButton;

    // Puts the whole text on the clipboard.
    void CopyButtonClick();
};
