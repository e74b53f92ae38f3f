#pragma once
// "Copy Records Out": asks for the kind of target and its file, then copies the records of
// the current selection, in the current order, at once. While copying, Cancel asks
// "Cancel copy?" and a Yes stops after the current record. The dialog copies at most once
// and closes after the copy, completed or not.

#include "exchange/exportcopy.h"
#include "exchange/runprogress.h"

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;
class AddressSession;
class TTable;

class TCopyOut : public QDialog, private RunProgress {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1047;

    // Copies what the session's table lets through, in its current order.
    explicit TCopyOut(AddressSession& session, QWidget* parent = nullptr);
    ~TCopyOut() override;

    // The save dialog; tests put their own choice here. Gives the chosen path or "".
    std::function<QString(const QString& startFolder, const QString& fileName, const QString& filter,
                          const QString& extension)>
        SaveDialog;

    CopyOutKind Kind() const;
    bool Copying() const { return copying_; }
    const CopyOutcome& Outcome() const { return outcome_; }

    void SaveAsButtonClick();
    void CancelbuttonClick();
    void HelpbuttonClick();

    QRadioButton* ToDBF;
    QRadioButton* ToAscii;
    QRadioButton* ToCsv;
    QRadioButton* ToVCard;
    QLabel* FileName;
    QLabel* Label1;
    QPushButton* SaveAsButton;
    QPushButton* Cancelbutton;
    QPushButton* Helpbutton;
    QWidget* ChoicePanel;
    QWidget* ProgressPanel;
    QProgressBar* Gauge1;
    QLabel* WhatAmIDoing;

    // The dialog's own table for the DBF target.
    TTable* Table1;

protected:
    // Closing the window while copying counts as Cancel.
    void reject() override;

private:
    void KindChosen();
    void Copy(const QString& path);
    void Stage(const QString& status, bool stoppable) override;
    void Gauge(int percent) override;
    void Breathe() override;
    bool StopRequested() override { return stopRequested_; }

    AddressSession& session_;
    bool copying_ = false;
    bool stopRequested_ = false;
    CopyOutcome outcome_;
};
