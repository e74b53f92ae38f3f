#pragma once
// What the import dialogs share: the file line, the buttons, the status text and gauge,
// and showing an import's run (importrun.h) with a live Cancel, its outcome, and closing.
// Each dialog names its controls as its own form does.

#include "exchange/importrun.h"
#include "exchange/runprogress.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class TApollo;
class TTable;

class BusyCursor;

class ImportDialog : public QDialog, private RunProgress {
    Q_OBJECT
public:
    ImportDialog(const QString& caption, int helpTopic, const char* fileLabelName, const QString& fileLabel,
                 const char* fileNameName, const QString& selectCaption, QWidget* parent);
    ~ImportDialog() override;

    QLabel* FileNameLabel;
    QLabel* FileName; // the chosen file's path, "(none)" without one
    QPushButton* SelectButton;
    QPushButton* MatchButton; // hidden where there is no matching
    QPushButton* ImportButton;
    QPushButton* Cancelbutton;
    QLabel* StatusLabel;
    QProgressBar* Gauge1;
    QPushButton* Helpbutton;
    // "Skip contacts already in the file" and how strictly a contact must match to count.
    QCheckBox* SkipKnownBox;
    QComboBox* SkipLevelBox;

    // The file choice; tests put their own here. Gives the chosen path or "".
    std::function<QString(const QString& startFolder)> OpenDialog1;

    bool Importing() const { return importing_; }
    bool Reindexing() const { return reindexing_; }

protected:
    // Between the file line and the buttons, for a dialog's own controls.
    QVBoxLayout* Body() const { return body_; }
    void SetStatus(const QString& text);
    // Runs the import from the file at path into the table, shows the message that
    // describe gives for its outcome and closes the dialog.
    void Import(ImportKind kind, const QString& path, ImportSource& source, TTable& table, TApollo& apollo,
                const std::function<QString(const ImportOutcome&)>& describe);
    // Shows the outcome of an import that could not begin and closes the dialog.
    void Report(const QString& message);
    void reject() override;

private:
    void CancelbuttonClick();
    void ShowButtons(bool visible);
    void Stage(const QString& status, bool stoppable) override;
    void Gauge(int percent) override;
    void Breathe() override;
    bool StopRequested() override { return stopRequested_; }

    QVBoxLayout* body_;
    QWidget* buttonPanel_;
    std::unique_ptr<BusyCursor> busy_;
    bool importing_ = false;
    bool reindexing_ = false;
    bool stopRequested_ = false;
};
