#pragma once
// The "Label Design Screen": one setup's label at actual size showing the current
// record's address, with its description, sheet, address format, font, text margins,
// alignment, colour and fit. Any change shows "Save"; "Save" takes the face back into the
// setup and closes with Ok (not with a blank description, the setup's file name),
// "Cancel" discards. The caller saves the file. Page Up, Page Down, Home and End move
// through the records whatever control has the focus (Home and End stay with the
// description while it is being edited).

#include "labels/tzintlabelfile.h"

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class TApollo;
class TTable;
class TZintLabelPanel;

class TNewLabelDesignScreen : public QDialog {
    Q_OBJECT
public:
    // The font dialog, replaceable for tests: the chosen font, or nothing on Cancel.
    using FontChooser = std::function<std::optional<QFont>(const QFont& current, QWidget* parent)>;
    static FontChooser& ChooseFont();
    // The colour dialog, replaceable for tests: the chosen colour, or nothing on Cancel.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& current, QWidget* parent)>;
    static ColorChooser& ChooseColor();

    TNewLabelDesignScreen(const TZintLabelFile& setup, bool isNew, TTable* table, TApollo* apollo,
                          const QString& catalogPath, QWidget* parent = nullptr);

    // The setup as "Save" left it.
    const TZintLabelFile& Setup() const { return setup_; }

    QLineEdit* LabelSetupDescription;
    QLabel* TemplateType;
    QPushButton* ChangeLayoutButton;
    QPushButton* AddressFormatButton;
    QPushButton* Fontbutton;
    QPushButton* ColorButton;
    QComboBox* LeftMarg;
    QComboBox* TopMarg;
    QComboBox* RightMarg;
    QComboBox* BottomMarg;
    QComboBox* Aligncombo;
    QCheckBox* AdjustFont;
    QPushButton* RecordFirst;
    QPushButton* RecordPrev;
    QPushButton* RecordNext;
    QPushButton* RecordLast;
    QPushButton* SaveButton;
    QScrollArea* ScrollBox;
    TZintLabelPanel* LabelPanel;
    // Shown while the face loses address lines that do not fit.
    QLabel* LostLinesNote;
    // The barcode: its kind, the field it encodes (Code 128, Data Matrix), its corner, and
    // for Intelligent Mail the mailer's settings, kept in ADR.ini on Save.
    QComboBox* BarcodeKindCombo;
    QComboBox* BarcodeFieldCombo;
    QComboBox* BarcodeCornerCombo;
    QLineEdit* BarcodeIdEdit;
    QLineEdit* ServiceTypeEdit;
    QLineEdit* MailerIdEdit;
    QLineEdit* SerialEdit;
    QWidget* MailSettings;
    // Shown while the record shown would get no barcode, saying why.
    QLabel* BarcodeNote;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormActivate();
    void ShowTemplateType();
    void SetsaveButtonVisible();
    void Changed();
    void ChangeLayoutButtonClick();
    void AddressFormatButtonClick();
    void FontbuttonClick();
    void ColorButtonClick();
    void FaceChanged();
    void BarcodeChanged();
    IntelligentMailSettings MailSettingsShown() const;
    void FitScrollBoxToFace();
    void MoveRecord(void (TTable::*move)());
    void SaveButtonClick();

    TZintLabelFile setup_;
    bool isNew_;
    TTable* table_;
    QString catalogPath_;
    bool activating_ = false;
    bool activated_ = false;
};
