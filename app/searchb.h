#pragma once
// The "Search" dialog: the user picks an order and types the start of a value.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TSearchBox : public QDialog {
    Q_OBJECT
public:
    // `orders` are the sort texts in menu order; `checked` is the one in use.
    TSearchBox(const QStringList& orders, int checked, QWidget* parent = nullptr);

    int SelectedOrder() const;
    QString SelectedText() const;
    QString SearchText() const;

    QComboBox* OrderCombo;
    QLabel* SearchLabel;
    QLineEdit* SearchForEdit;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OrderComboChange();
    void HelpButtonClick();
};
