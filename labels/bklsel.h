#pragma once
// "Select Label Template": the catalogue's sheets under their seven categories. Choosing
// a sheet takes its geometry into the dialog's copy of the setup and describes it; "Ok"
// closes only while a sheet (not a category) is chosen.

#include "labels/tzintlabelfile.h"

#include <QDialog>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// Adds the seven categories and each catalogue sheet under its own, in catalogue order.
void FillCatalogTree(const QString& catalogPath, QTreeWidget* tree);

class TSelectLabel : public QDialog {
    Q_OBJECT
public:
    TSelectLabel(const TZintLabelFile& setup, const QString& catalogPath, QWidget* parent = nullptr);

    // The setup with the chosen sheet's geometry.
    const TZintLabelFile& Setup() const { return setup_; }

    QTreeWidget* TV1;
    QLabel* LabelDesc;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PositionCurrentLabel();
    void TV1Change(QTreeWidgetItem* node);
    void OkButtonClick();

    TZintLabelFile setup_;
    QString catalogPath_;
    bool activated_ = false;
};
