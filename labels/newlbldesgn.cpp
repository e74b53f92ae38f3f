#include "labels/newlbldesgn.h"

#include "labels/addressformat.h"
#include "labels/dialogrow.h"
#include "labels/gzintpanel.h"
#include "labels/labello.h"
#include "labels/setupfiles.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/roomynote.h"
#include "platform/settings.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1073;

QComboBox* Choices(const char* name, const QStringList& items)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QLatin1StringView(name));
    combo->addItems(items);
    return combo;
}

QPushButton* NavigationButton(QHBoxLayout* row, const char* name, const QString& caption, const char* where)
{
    QPushButton* button = DialogButton(row, name, caption);
    button->setToolTip(QStringLiteral("Move to the %1 database records").arg(QLatin1StringView(where)));
    return button;
}

} // namespace

TNewLabelDesignScreen::FontChooser& TNewLabelDesignScreen::ChooseFont()
{
    static FontChooser chooser = [](const QFont& current, QWidget* parent) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, current, parent);
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    return chooser;
}

TNewLabelDesignScreen::ColorChooser& TNewLabelDesignScreen::ChooseColor()
{
    static ColorChooser chooser = [](const QColor& current, QWidget* parent) -> std::optional<QColor> {
        const QColor color = QColorDialog::getColor(current, parent, QStringLiteral("Label Text Color"));
        return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
    };
    return chooser;
}

TNewLabelDesignScreen::TNewLabelDesignScreen(const TZintLabelFile& setup, bool isNew, TTable* table, TApollo* apollo,
                                             const QString& catalogPath, QWidget* parent)
    : QDialog(parent), setup_(setup), isNew_(isNew), table_(table), catalogPath_(catalogPath)
{
    setObjectName(QStringLiteral("NewLabelDesignScreen"));
    setWindowTitle(QStringLiteral("Label Design Screen"));

    LabelSetupDescription = new QLineEdit(setup_.Description);
    LabelSetupDescription->setObjectName(QStringLiteral("LabelSetupDescription"));
    TemplateType = new QLabel;
    TemplateType->setObjectName(QStringLiteral("TemplateType"));

    LabelPanel = new TZintLabelPanel;
    LabelPanel->setObjectName(QStringLiteral("LabelPanel"));
    LabelPanel->SetBGColor(palette().color(QPalette::Button));
    LabelPanel->SetDrawOutline(true);
    LabelPanel->SetDataTable(table);
    LabelPanel->SetDataApollo(apollo);
    ScrollBox = new QScrollArea;
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setWidget(LabelPanel);
    ScrollBox->setAlignment(Qt::AlignCenter);
    LostLinesNote = RoomyNote("LostLinesNote");
    BarcodeNote = RoomyNote("BarcodeNote");

    BarcodeKindCombo = Choices("BarcodeKindCombo", BarcodeKindCaptions());
    QStringList fields;
    if (table)
        for (const TField* field : table->Fields())
            fields << field->FieldName().toUpper();
    BarcodeFieldCombo = Choices("BarcodeFieldCombo", fields);
    BarcodeCornerCombo = Choices("BarcodeCornerCombo", BarcodeCornerCaptions());
    const IntelligentMailSettings mail = ReadIntelligentMailSettings();
    const auto mailEdit = [](const char* name, const QString& text, int digits) {
        auto* edit = new QLineEdit(text);
        edit->setObjectName(QLatin1StringView(name));
        edit->setMaxLength(digits);
        return edit;
    };
    BarcodeIdEdit = mailEdit("BarcodeIdEdit", mail.barcodeId, 2);
    ServiceTypeEdit = mailEdit("ServiceTypeEdit", mail.serviceType, 3);
    MailerIdEdit = mailEdit("MailerIdEdit", mail.mailerId, 9);
    SerialEdit = mailEdit("SerialEdit", mail.serial, 9);
    MailSettings = new QWidget;
    MailSettings->setObjectName(QStringLiteral("MailSettings"));
    auto* mailRow = new QHBoxLayout(MailSettings);
    mailRow->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QLineEdit*> mailEdits[] = {{"Barcode ID:", BarcodeIdEdit},
                                                            {"Service type:", ServiceTypeEdit},
                                                            {"Mailer ID:", MailerIdEdit},
                                                            {"First serial:", SerialEdit}};
    for (const auto& [caption, edit] : mailEdits) {
        mailRow->addWidget(new QLabel(QLatin1StringView(caption)));
        mailRow->addWidget(edit);
    }
    auto* barcodeRow = new QHBoxLayout;
    const std::pair<const char*, QWidget*> barcodeControls[] = {
        {"Barcode:", BarcodeKindCombo}, {"Field:", BarcodeFieldCombo}, {"Corner:", BarcodeCornerCombo}};
    for (const auto& [caption, control] : barcodeControls) {
        barcodeRow->addWidget(new QLabel(QLatin1StringView(caption)));
        barcodeRow->addWidget(control);
    }
    barcodeRow->addStretch();

    auto* tools = new QHBoxLayout;
    ChangeLayoutButton = DialogButton(tools, "ChangeLayoutButton", QStringLiteral("Label Layout"));
    AddressFormatButton = DialogButton(tools, "AddressFormatButton", QStringLiteral("Address Format"));
    Fontbutton = DialogButton(tools, "Fontbutton", QStringLiteral("Font"));
    ColorButton = DialogButton(tools, "ColorButton", QStringLiteral("Color..."));

    LeftMarg = Choices("LeftMarg", MarginChoices());
    TopMarg = Choices("TopMarg", MarginChoices());
    RightMarg = Choices("RightMarg", MarginChoices());
    BottomMarg = Choices("BottomMarg", MarginChoices());
    Aligncombo = Choices("Aligncombo", {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Center")});
    AdjustFont = new QCheckBox(QStringLiteral("Adjust to Fit"));
    AdjustFont->setObjectName(QStringLiteral("AdjustFont"));
    auto* face = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {{"Left margin:", LeftMarg},
                                                     {"Top margin:", TopMarg},
                                                     {"Right margin:", RightMarg},
                                                     {"Bottom margin:", BottomMarg},
                                                     {"Alignment:", Aligncombo}};
    int column = 0;
    for (const auto& [caption, control] : rows) {
        face->addWidget(new QLabel(QLatin1StringView(caption)), 0, column);
        face->addWidget(control, 1, column++);
    }
    face->addWidget(AdjustFont, 1, column);

    auto* records = new QHBoxLayout;
    RecordFirst = NavigationButton(records, "RecordFirst", QStringLiteral("|<"), "First");
    RecordPrev = NavigationButton(records, "RecordPrev", QStringLiteral("<"), "Previous");
    RecordNext = NavigationButton(records, "RecordNext", QStringLiteral(">"), "Next");
    RecordLast = NavigationButton(records, "RecordLast", QStringLiteral(">|"), "Last");
    records->addStretch();
    SaveButton = DialogButton(records, "SaveButton", QStringLiteral("Save"));
    QPushButton* cancel = DialogButton(records, "CancelButton", QStringLiteral("Cancel"));
    QPushButton* help = DialogButton(records, "HelpButton", QStringLiteral("Help"));

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Description:")), 0, 0);
    top->addWidget(LabelSetupDescription, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Layout:")), 1, 0);
    top->addWidget(TemplateType, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(tools);
    layout->addLayout(face);
    layout->addWidget(ScrollBox, 1);
    layout->addLayout(barcodeRow);
    layout->addWidget(MailSettings);
    layout->addWidget(LostLinesNote);
    layout->addWidget(BarcodeNote);
    layout->addLayout(records);
    SetHelpContext(this, kHelpTopic);
    // Sized before the first showing, so that the window opens around the whole label.
    LabelPanel->SetStyle(setup_.Face());
    FitScrollBoxToFace();

    connect(LabelSetupDescription, &QLineEdit::textEdited, this, &TNewLabelDesignScreen::Changed);
    connect(ChangeLayoutButton, &QPushButton::clicked, this, &TNewLabelDesignScreen::ChangeLayoutButtonClick);
    connect(AddressFormatButton, &QPushButton::clicked, this, &TNewLabelDesignScreen::AddressFormatButtonClick);
    connect(Fontbutton, &QPushButton::clicked, this, &TNewLabelDesignScreen::FontbuttonClick);
    connect(ColorButton, &QPushButton::clicked, this, &TNewLabelDesignScreen::ColorButtonClick);
    const std::pair<QComboBox*, void (TZintLabelPanel::*)(double)> margins[] = {
        {LeftMarg, &TZintLabelPanel::SetMarginLeft},
        {TopMarg, &TZintLabelPanel::SetMarginTop},
        {RightMarg, &TZintLabelPanel::SetMarginRight},
        {BottomMarg, &TZintLabelPanel::SetMarginBottom}};
    for (const auto& margin : margins)
        connect(margin.first, &QComboBox::currentIndexChanged, this, [this, setter = margin.second](int index) {
            if (activating_)
                return;
            (LabelPanel->*setter)(MarginOfChoice(index));
            Changed();
        });
    connect(Aligncombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (activating_)
            return;
        LabelPanel->SetAlignment(index);
        Changed();
    });
    connect(AdjustFont, &QCheckBox::toggled, this, [this](bool fit) {
        if (activating_)
            return;
        LabelPanel->SetAdjustFontSizeToFit(fit);
        Changed();
    });
    for (QComboBox* combo : {BarcodeKindCombo, BarcodeFieldCombo, BarcodeCornerCombo})
        connect(combo, &QComboBox::currentIndexChanged, this, &TNewLabelDesignScreen::BarcodeChanged);
    for (QLineEdit* edit : {BarcodeIdEdit, ServiceTypeEdit, MailerIdEdit, SerialEdit})
        connect(edit, &QLineEdit::textEdited, this, &TNewLabelDesignScreen::BarcodeChanged);
    connect(RecordFirst, &QPushButton::clicked, this, [this] { MoveRecord(&TTable::First); });
    connect(RecordPrev, &QPushButton::clicked, this, [this] { MoveRecord(&TTable::Prior); });
    connect(RecordNext, &QPushButton::clicked, this, [this] { MoveRecord(&TTable::Next); });
    connect(RecordLast, &QPushButton::clicked, this, [this] { MoveRecord(&TTable::Last); });
    // Shortcuts reach the dialog before the focused list would take the keys; the
    // description edit keeps Home and End for its cursor.
    const std::pair<Qt::Key, QPushButton*> recordKeys[] = {{Qt::Key_PageUp, RecordPrev},
                                                           {Qt::Key_PageDown, RecordNext},
                                                           {Qt::Key_Home, RecordFirst},
                                                           {Qt::Key_End, RecordLast}};
    for (const auto& [key, button] : recordKeys)
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, button, &QPushButton::click);
    connect(SaveButton, &QPushButton::clicked, this, &TNewLabelDesignScreen::SaveButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
}

void TNewLabelDesignScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

void TNewLabelDesignScreen::FormActivate()
{
    activating_ = true;
    LabelPanel->SetStyle(setup_.Face());
    FitScrollBoxToFace();
    layout()->activate();
    RestorePlacement(this);
    ShowTemplateType();
    LeftMarg->setCurrentIndex(MarginChoiceIndex(setup_.TextMarginLeft));
    TopMarg->setCurrentIndex(MarginChoiceIndex(setup_.TextMarginTop));
    RightMarg->setCurrentIndex(MarginChoiceIndex(setup_.TextMarginRight));
    BottomMarg->setCurrentIndex(MarginChoiceIndex(setup_.TextMarginBottom));
    Aligncombo->setCurrentIndex(std::clamp(setup_.Alignment, 0, 2));
    AdjustFont->setChecked(setup_.AdjustFontSizeToFit);
    BarcodeKindCombo->setCurrentIndex(static_cast<int>(setup_.Barcode.kind));
    BarcodeFieldCombo->setCurrentIndex(std::max(0, BarcodeFieldCombo->findText(setup_.Barcode.field)));
    BarcodeCornerCombo->setCurrentIndex(static_cast<int>(setup_.Barcode.corner));
    BarcodeFieldCombo->setEnabled(setup_.Barcode.NeedsField());
    MailSettings->setVisible(setup_.Barcode.kind == BarcodeKind::IntelligentMail);
    LabelPanel->SetLinesDirty();
    LabelPanel->update();
    SaveButton->setVisible(isNew_);
    activating_ = false;
    FaceChanged();
    if (isNew_)
        ShowInformation(
            QStringLiteral("A new label has been created using the Avery 5160\rformat. To change to another "
                           "label format, click on\rthe Label Layout button.\r\rFor additional "
                           "assistance, press F1 or click Help on the design screen"));
}

void TNewLabelDesignScreen::ShowTemplateType()
{
    TemplateType->setText(setup_.MakerCode == QLatin1StringView("USER") ? QStringLiteral("User Defined Label Layout")
                                                                        : setup_.TemplateName);
}

void TNewLabelDesignScreen::SetsaveButtonVisible()
{
    SaveButton->setVisible(true);
}

void TNewLabelDesignScreen::Changed()
{
    if (activating_)
        return;
    SetsaveButtonVisible();
    FaceChanged();
}

// The note beside the face says when the address shown loses lines.
void TNewLabelDesignScreen::FaceChanged()
{
    const FaceLines lines = LabelPanel->MeasureLines();
    LostLinesNote->setText(
        QStringLiteral("This address needs %1 lines; the label holds %2").arg(lines.had).arg(lines.drawn));
    LostLinesNote->setVisible(lines.Lost());
    const QString refusal = LabelPanel->BarcodeRefusal();
    BarcodeNote->setText(refusal);
    BarcodeNote->setVisible(!refusal.isEmpty());
}

void TNewLabelDesignScreen::BarcodeChanged()
{
    if (activating_)
        return;
    BarcodeChoice choice;
    choice.kind = static_cast<BarcodeKind>(std::max(0, BarcodeKindCombo->currentIndex()));
    choice.corner = static_cast<BarcodeCorner>(std::max(0, BarcodeCornerCombo->currentIndex()));
    if (choice.NeedsField())
        choice.field = BarcodeFieldCombo->currentText();
    BarcodeFieldCombo->setEnabled(choice.NeedsField());
    MailSettings->setVisible(choice.kind == BarcodeKind::IntelligentMail);
    LabelPanel->SetBarcode(choice, MailSettingsShown());
    LabelPanel->update();
    Changed();
}

IntelligentMailSettings TNewLabelDesignScreen::MailSettingsShown() const
{
    return {BarcodeIdEdit->text(), ServiceTypeEdit->text(), MailerIdEdit->text(), SerialEdit->text()};
}

// The face is shown at actual size: the view grows with it, within most of the screen.
void TNewLabelDesignScreen::FitScrollBoxToFace()
{
    const int frame = 2 * ScrollBox->frameWidth();
    QSize wanted = LabelPanel->size() + QSize(frame, frame);
    if (const QScreen* shown = screen())
        wanted = wanted.boundedTo(shown->availableSize() * 3 / 4);
    ScrollBox->setMinimumSize(wanted);
}

void TNewLabelDesignScreen::ChangeLayoutButtonClick()
{
    // The face on screen may hold changes the setup has not taken yet.
    setup_.TakeFace(LabelPanel->Style());
    if (!ChangeLabelLayout(setup_, catalogPath_, this))
        return;
    LabelPanel->SetStyle(setup_.Face());
    FitScrollBoxToFace();
    ShowTemplateType();
    Changed();
}

void TNewLabelDesignScreen::AddressFormatButtonClick()
{
    TZintAddressLayout format(LabelPanel->LineOptions(), this);
    if (format.exec() != QDialog::Accepted)
        return;
    LabelPanel->SetLineOptions(format.Options());
    LabelPanel->SetLinesDirty();
    LabelPanel->update();
    Changed();
}

void TNewLabelDesignScreen::FontbuttonClick()
{
    const std::optional<QFont> font = ChooseFont()(LabelPanel->Font(), this);
    if (!font)
        return;
    LabelPanel->SetFont(*font);
    Changed();
}

void TNewLabelDesignScreen::ColorButtonClick()
{
    const std::optional<QColor> color = ChooseColor()(LabelPanel->FontColor(), this);
    if (!color)
        return;
    LabelPanel->SetFontColor(*color);
    Changed();
}

void TNewLabelDesignScreen::MoveRecord(void (TTable::*move)())
{
    if (!table_ || !table_->Active())
        return;
    (table_->*move)();
    LabelPanel->SetLinesDirty();
    LabelPanel->update();
    FaceChanged();
}

void TNewLabelDesignScreen::SaveButtonClick()
{
    // The description names the setup's file: a blank one would make a hidden ".lbl".
    if (LabelSetupDescription->text().trimmed().isEmpty()) {
        ShowInformation(QStringLiteral("Please type a description for this label setup.\r"
                                       "It names the setup in the list of label setups."));
        LabelSetupDescription->setFocus();
        return;
    }
    if (LabelPanel->Barcode().kind == BarcodeKind::IntelligentMail &&
        !WriteSettingsBatch([this] { WriteIntelligentMailSettings(MailSettingsShown()); }))
        return;
    setup_.Description = LabelSetupDescription->text();
    setup_.TakeFace(LabelPanel->Style());
    accept();
}

void TNewLabelDesignScreen::done(int result)
{
    SavePlacement(this);
    QDialog::done(result);
}
