#pragma once
// "Label Layout": whether a setup's sheet comes from the template catalogue or is typed
// in by hand, and the command that runs the chosen dialog.

#include <QDialog>

class QRadioButton;
class TZintLabelFile;

class TChooseLabelLayout : public QDialog {
    Q_OBJECT
public:
    explicit TChooseLabelLayout(QWidget* parent = nullptr);

    // True when the user chose to type the values in.
    bool Manual() const;

    QRadioButton* TemplateRadio;
    QRadioButton* ManualRadio;
};

// Asks how to choose, then runs the template picker or the user-defined layout dialog on
// the setup. True when the setup's sheet was changed; Cancel anywhere changes nothing.
bool ChangeLabelLayout(TZintLabelFile& setup, const QString& catalogPath, QWidget* parent);
