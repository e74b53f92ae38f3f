#pragma once
// "Select Label Template": the catalogue's sheets under their seven categories, then the
// sheets of the system's label library by maker, narrowed by a search text and a
// category. Choosing a sheet takes its geometry into the dialog's copy of the setup and
// describes it; "Ok" closes only while a sheet (not a group) is chosen.

#include "labels/sheetoffer.h"
#include "labels/tzintlabelfile.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// Adds the seven categories and each catalogue sheet under its own, in catalogue order,
// then "Label library" with a node per maker holding its sheets. Each sheet's node
// keeps its index into `offers`.
void FillOfferTree(const std::vector<SheetOffer>& offers, QTreeWidget* tree);
// The tree of the catalogue alone.
void FillCatalogTree(const QString& catalogPath, QTreeWidget* tree);

class TSelectLabel : public QDialog {
    Q_OBJECT
public:
    TSelectLabel(const TZintLabelFile& setup, const QString& catalogPath, QWidget* parent = nullptr);

    // The setup with the chosen sheet's geometry.
    const TZintLabelFile& Setup() const { return setup_; }

    QTreeWidget* TV1;
    QLabel* LabelDesc;
    QLineEdit* SearchEdit;
    QComboBox* CategoryCombo;
    QLabel* LibraryStatus;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PositionCurrentLabel();
    void TV1Change(QTreeWidgetItem* node);
    void OkButtonClick();
    void ApplyFilter();
    const SheetOffer* OfferOf(const QTreeWidgetItem* node) const;

    TZintLabelFile setup_;
    std::vector<SheetOffer> offers_;
    QString catalogPath_;
    bool activated_ = false;
};
