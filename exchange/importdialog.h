#pragma once
// What the three import dialogs share: the file line, the buttons, the status text and
// gauge, and the run of an import (drop the index, append with a live Cancel, report,
// rebuild, close). Each dialog names its controls as its own form does.

#include "exchange/importloop.h"

#include <QDialog>
#include <functional>

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class TApollo;
class TTable;

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(const QString& caption, int helpTopic, const char* fileLabelName, const QString& fileLabel,
                 const char* fileNameName, const QString& selectCaption, QWidget* parent);

    QLabel* FileNameLabel;
    QLabel* FileName; // the chosen file's path, "(none)" without one
    QPushButton* SelectButton;
    QPushButton* MatchButton; // hidden where there is no matching
    QPushButton* ImportButton;
    QPushButton* Cancelbutton;
    QLabel* StatusLabel;
    QProgressBar* Gauge1;
    QPushButton* Helpbutton;

    // The file choice; tests put their own here. Gives the chosen path or "".
    std::function<QString(const QString& startFolder)> OpenDialog1;

    bool Importing() const { return importing_; }
    bool Reindexing() const { return reindexing_; }

protected:
    // Between the file line and the buttons, for a dialog's own controls.
    QVBoxLayout* Body() const { return body_; }
    void SetStatus(const QString& text);
    // Appends the source's records to the table, reports through report (given the
    // result), rebuilds the table's index and closes the dialog.
    void RunImport(TTable& table, TApollo& apollo, ImportSource& source,
                   const std::function<void(const ImportResult&)>& report);
    // The report of an import from another table: a failure first says so, then the count.
    static void ReportTableImport(const ImportResult& result);
    void reject() override;

private:
    void CancelbuttonClick();
    void ShowButtons(bool visible);

    QVBoxLayout* body_;
    QWidget* buttonPanel_;
    ImportLoop* loop_ = nullptr;
    bool importing_ = false;
    bool reindexing_ = false;
};
