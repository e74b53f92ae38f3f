#include "duplicates/duplicatesdialog.h"

#include "duplicates/contactreader.h"
#include "duplicates/phonekey.h"
#include "platform/messages.h"
#include "platform/whatsthis.h"
#include "select/tags.h"
#include "session/addresssession.h"
#include "table/tableerror.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QString Numbers(const std::vector<long>& records)
{
    QStringList numbers;
    for (const long recNo : records)
        numbers.append(QString::number(recNo));
    return numbers.join(QStringLiteral(", "));
}

} // namespace

TFindDuplicates::TFindDuplicates(AddressSession& session, QWidget* parent)
    : QDialog(parent), session_(session), notDuplicates_(NotDuplicates::FileFor(session.TableBook.FilePath()))
{
    setObjectName(QStringLiteral("FindDuplicates"));
    setWindowTitle(QStringLiteral("Find Duplicates"));
    LevelBox = new QComboBox;
    LevelBox->setObjectName(QStringLiteral("LevelBox"));
    LevelBox->addItems({QStringLiteral("Exact"), QStringLiteral("Likely"), QStringLiteral("Possible")});
    LevelBox->setCurrentIndex(static_cast<int>(MatchLevel::Likely));
    GroupList = new QListWidget;
    GroupList->setObjectName(QStringLiteral("GroupList"));
    KeepBox = new QComboBox;
    KeepBox->setObjectName(QStringLiteral("KeepBox"));
    FieldGrid = new QTableWidget(0, 1);
    FieldGrid->setObjectName(QStringLiteral("FieldGrid"));
    FieldGrid->setHorizontalHeaderLabels({QStringLiteral("Value kept")});
    FieldGrid->horizontalHeader()->setStretchLastSection(true);
    MergeButton = Button(QStringLiteral("Merge"), "MergeButton");
    NotDuplicatesButton = Button(QStringLiteral("Not duplicates"), "NotDuplicatesButton");
    TagAllButton = Button(QStringLiteral("Tag All"), "TagAllButton");
    CloseButton = Button(QStringLiteral("Close"), "CloseButton");
    StatusLabel = new QLabel;
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));

    auto* levelLine = new QHBoxLayout;
    levelLine->addWidget(new QLabel(QStringLiteral("Strictness:")));
    levelLine->addWidget(LevelBox);
    levelLine->addWidget(StatusLabel, 1);
    auto* keepLine = new QHBoxLayout;
    keepLine->addWidget(new QLabel(QStringLiteral("Keep:")));
    keepLine->addWidget(KeepBox, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {MergeButton, NotDuplicatesButton, TagAllButton})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(levelLine);
    layout->addWidget(GroupList, 1);
    layout->addLayout(keepLine);
    layout->addWidget(FieldGrid, 2);
    layout->addLayout(buttons);
    resize(640, 560);
    SetWhatsThis(this,
                 {
                     {"LevelBox", "How alike records must be to be offered: exact (the same name and nothing that "
                                  "disagrees), likely, or possible (worth a look)."},
                     {"GroupList", "The groups of records that seem to be one person, with why they match."},
                     {"KeepBox", "The record that stays; Merge marks the others of the group deleted."},
                     {"FieldGrid", "For each field, the value the kept record takes; the fullest is proposed."},
                     {"MergeButton", "Writes the chosen values into the kept record and deletes the others."},
                     {"NotDuplicatesButton", "Remembers that these records are different people, so they are not "
                                             "offered again."},
                     {"TagAllButton", "Tags the group's records, to look at them in the main window."},
                     {"CloseButton", "Closes the window."},
                 });

    connect(LevelBox, &QComboBox::currentIndexChanged, this, &TFindDuplicates::Find);
    connect(GroupList, &QListWidget::currentRowChanged, this, &TFindDuplicates::ShowGroup);
    connect(KeepBox, &QComboBox::currentIndexChanged, this, [this](int index) { plan_.keep = std::max(0, index); });
    connect(MergeButton, &QPushButton::clicked, this, &TFindDuplicates::MergeButtonClick);
    connect(NotDuplicatesButton, &QPushButton::clicked, this, &TFindDuplicates::NotDuplicatesButtonClick);
    connect(TagAllButton, &QPushButton::clicked, this, &TFindDuplicates::TagAllButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    Find();
}

void TFindDuplicates::Find()
{
    const auto level = static_cast<MatchLevel>(LevelBox->currentIndex());
    keys_ = ReadMatchKeys(session_.TableBook, DefaultRegion());
    groups_ = FindDuplicateGroups(keys_, level, &notDuplicates_);
    GroupList->clear();
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        const DuplicateGroup& group = groups_[i];
        QStringList reasons;
        for (const MatchedPair& pair : group.pairs)
            if (!reasons.contains(pair.match.reasons))
                reasons.append(pair.match.reasons);
        GroupList->addItem(QStringLiteral("Records ") + Numbers(group.positions) + QStringLiteral(": ") +
                           reasons.join(QStringLiteral("; ")));
    }
    StatusLabel->setText(QString::number(groups_.size()) +
                         (groups_.size() == 1 ? QStringLiteral(" group") : QStringLiteral(" groups")));
    for (QPushButton* button : {MergeButton, NotDuplicatesButton, TagAllButton})
        button->setEnabled(!groups_.empty());
    if (!groups_.empty())
        GroupList->setCurrentRow(0);
    else
        ShowGroup(-1);
}

void TFindDuplicates::ShowGroup(int row)
{
    KeepBox->clear();
    FieldGrid->setRowCount(0);
    if (row < 0 || row >= static_cast<int>(groups_.size()))
        return;
    plan_ = ProposeMerge(session_.TableBook, groups_[row].positions);
    const int keep = plan_.keep;
    for (const long recNo : plan_.records)
        KeepBox->addItem(QStringLiteral("Record ") + QString::number(recNo));
    KeepBox->setCurrentIndex(keep);
    FieldGrid->setRowCount(static_cast<int>(plan_.fields.size()));
    QStringList names;
    for (int i = 0; i < static_cast<int>(plan_.fields.size()); ++i) {
        const MergeField& field = plan_.fields[i];
        names.append(field.name);
        auto* values = new QComboBox;
        values->addItems(field.values);
        values->setCurrentIndex(field.chosen);
        FieldGrid->setCellWidget(i, 0, values);
    }
    FieldGrid->setVerticalHeaderLabels(names);
}

MergePlan TFindDuplicates::ChosenPlan() const
{
    MergePlan plan = plan_;
    for (int i = 0; i < static_cast<int>(plan.fields.size()); ++i)
        plan.fields[i].chosen = static_cast<QComboBox*>(FieldGrid->cellWidget(i, 0))->currentIndex();
    return plan;
}

void TFindDuplicates::Run(const std::function<void()>& write)
{
    try {
        write();
    } catch (const TableError& error) {
        if (session_.TableBook.State() != TDataSetState::Browse)
            session_.TableBook.Cancel();
        ShowInformation(error.Message());
    }
    Find();
}

void TFindDuplicates::MergeButtonClick()
{
    if (plan_.records.empty())
        return;
    const MergePlan plan = ChosenPlan();
    Run([&] {
        ApplyMerge(session_.TableBook, plan);
        const std::vector<long> dropped = plan.Dropped();
        ShowInformation(
            QStringLiteral("Merged into record ") + QString::number(plan.records[plan.keep]) +
            (dropped.size() == 1 ? QStringLiteral("; deleted record ") : QStringLiteral("; deleted records ")) +
            Numbers(dropped) + QStringLiteral("."));
    });
}

void TFindDuplicates::NotDuplicatesButtonClick()
{
    const int row = GroupList->currentRow();
    if (row < 0)
        return;
    bool written = true;
    for (const MatchedPair& pair : groups_[row].pairs)
        written = notDuplicates_.Add(KeysAt(pair.first), KeysAt(pair.second)) && written;
    if (!written)
        ShowInformation(QStringLiteral("Cannot create file ") + NotDuplicates::FileFor(session_.TableBook.FilePath()));
    Find();
}

const MatchKeys& TFindDuplicates::KeysAt(long recNo) const
{
    return *std::lower_bound(keys_.begin(), keys_.end(), recNo,
                             [](const MatchKeys& keys, long position) { return keys.position < position; });
}

void TFindDuplicates::TagAllButtonClick()
{
    const int row = GroupList->currentRow();
    if (row < 0)
        return;
    const std::vector<long> records = groups_[row].positions;
    Run([&] {
        TTable& table = session_.TableBook;
        for (const long recNo : records) {
            table.GotoRecord(recNo);
            if (table.FieldByName(QStringLiteral("TAG")).AsString() != session_.GlobalTagId)
                ToggleTag(table, session_.GlobalTagId);
        }
        ShowInformation(QStringLiteral("Tagged records ") + Numbers(records) + QStringLiteral("."));
    });
}
