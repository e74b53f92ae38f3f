#pragma once
// "Tagging": writes the current tag id into every record the active query lets through,
// showing the count as it goes. Cancel takes effect between records; records tagged
// before it stay tagged.

#include <QDialog>

class QLabel;
class QPushButton;
class TTable;

class TTagAllRecords : public QDialog {
    Q_OBJECT
public:
    TTagAllRecords(TTable& table, const QString& tagId, QWidget* parent = nullptr);

    // Runs the tagging once, on the dialog's first showing; tests may call it directly.
    void Run();
    long Tagged() const { return count_; }

    void CancelbuttonClick();
    void CloseButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    // Closing the window mid-run counts as a cancel request.
    void reject() override;

private:
    TTable& table_;
    QString tagId_;
    bool started_ = false;
    bool finished_ = false;
    bool cancelRequested_ = false;
    long count_ = 0;

    QLabel* ActivityLabel = nullptr;
    QLabel* progresslabel = nullptr;
    QPushButton* Cancelbutton = nullptr;
    QPushButton* CloseButton = nullptr;
};
