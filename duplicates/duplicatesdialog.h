#pragma once
// "Find Duplicates": the groups of duplicates among the records the selection lets
// through, each with why its records match, at the strictness chosen. For the group
// chosen the user picks the record to keep and, field by field, the value that wins
// (the fullest proposed); then Merge, Not duplicates (remembered beside the address file)
// or Tag All.

#include "duplicates/duplicatefinder.h"
#include "duplicates/mergeplan.h"
#include "duplicates/notduplicates.h"

#include <QDialog>

class AddressSession;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

class TFindDuplicates : public QDialog {
    Q_OBJECT
public:
    TFindDuplicates(AddressSession& session, QWidget* parent = nullptr);

    QComboBox* LevelBox;
    QListWidget* GroupList;
    QComboBox* KeepBox;
    QTableWidget* FieldGrid; // one row a field, its values to choose from
    QPushButton* MergeButton;
    QPushButton* NotDuplicatesButton;
    QPushButton* TagAllButton;
    QPushButton* CloseButton;
    QLabel* StatusLabel;

    const std::vector<DuplicateGroup>& Groups() const { return groups_; }
    // Looks for the groups again at the chosen strictness.
    void Find();
    void MergeButtonClick();
    void NotDuplicatesButtonClick();
    void TagAllButtonClick();

private:
    void ShowGroup(int row);
    MergePlan ChosenPlan() const;
    void Run(const std::function<void()>& write);
    // The keys of the record, as the last search read them.
    const MatchKeys& KeysAt(long recNo) const;

    AddressSession& session_;
    NotDuplicates notDuplicates_;
    std::vector<MatchKeys> keys_; // in record order
    std::vector<DuplicateGroup> groups_;
    MergePlan plan_;
};
