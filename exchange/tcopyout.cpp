#include "exchange/tcopyout.h"

#include "exchange/copyouttarget.h"
#include "exchange/exportrun.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "session/addresssession.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TCopyOut::TCopyOut(AddressSession& session, QWidget* parent)
    : QDialog(parent), Table1(new TTable(this)), session_(session)
{
    setObjectName(QStringLiteral("CopyOut"));
    setWindowTitle(QStringLiteral("Copy Records Out"));
    SetHelpContext(this, HelpContext);

    ChoicePanel = Named(new QWidget(this), "ChoicePanel");
    ToDBF = Named(new QRadioButton(QStringLiteral("Copy to a &DBF file"), ChoicePanel), "ToDBF");
    ToAscii =
        Named(new QRadioButton(QStringLiteral("Copy to an &ASCII file (comma delimited)"), ChoicePanel), "ToAscii");
    ToCsv =
        Named(new QRadioButton(QStringLiteral("Copy to a &CSV file (with column names, UTF-8)"), ChoicePanel), "ToCsv");
    ToVCard = Named(new QRadioButton(QStringLiteral("Copy to a v&Card file"), ChoicePanel), "ToVCard");
    ToDBF->setChecked(true);
    FileName = Named(new QLabel(QStringLiteral("(none)"), ChoicePanel), "FileName");
    FileName->hide();
    Label1 = Named(
        new QLabel(QStringLiteral("Note: this is NOT a backup. The program does its best to verify that data is "
                                  "accurately and reliably copied, but it is up to you to verify it by opening and "
                                  "viewing the exported file."),
                   ChoicePanel),
        "Label1");
    Label1->setWordWrap(true);
    auto* choices = new QVBoxLayout(ChoicePanel);
    for (QWidget* w : {static_cast<QWidget*>(ToDBF), static_cast<QWidget*>(ToAscii), static_cast<QWidget*>(ToCsv),
                       static_cast<QWidget*>(ToVCard), static_cast<QWidget*>(FileName), static_cast<QWidget*>(Label1)})
        choices->addWidget(w);

    ProgressPanel = Named(new QWidget(this), "ProgressPanel");
    WhatAmIDoing = Named(new QLabel(ProgressPanel), "WhatAmIDoing");
    Gauge1 = Named(new QProgressBar(ProgressPanel), "Gauge1");
    Gauge1->setRange(0, 100);
    auto* progress = new QVBoxLayout(ProgressPanel);
    progress->addWidget(WhatAmIDoing);
    progress->addWidget(Gauge1);
    ProgressPanel->hide();

    SaveAsButton = Named(new QPushButton(QStringLiteral("Save As"), this), "SaveAsButton");
    SaveAsButton->setDefault(true);
    Cancelbutton = Named(new QPushButton(QStringLiteral("Cancel"), this), "Cancelbutton");
    Helpbutton = Named(new QPushButton(QStringLiteral("Help"), this), "Helpbutton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SaveAsButton);
    buttons->addWidget(Cancelbutton);
    buttons->addWidget(Helpbutton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ChoicePanel);
    layout->addWidget(ProgressPanel);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    for (QRadioButton* kind : {ToDBF, ToAscii, ToCsv, ToVCard})
        connect(kind, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                KindChosen();
        });
    connect(SaveAsButton, &QPushButton::clicked, this, &TCopyOut::SaveAsButtonClick);
    connect(Cancelbutton, &QPushButton::clicked, this, &TCopyOut::CancelbuttonClick);
    connect(Helpbutton, &QPushButton::clicked, this, &TCopyOut::HelpbuttonClick);

    SaveDialog = [this](const QString& startFolder, const QString& fileName, const QString& filter,
                        const QString& extension) {
        QFileDialog dialog(this, QStringLiteral("Save As"), startFolder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(extension);
        // The overwrite question is our own, with No as its default.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.selectFile(fileName);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                       : QString();
    };
}

TCopyOut::~TCopyOut() = default;

CopyOutKind TCopyOut::Kind() const
{
    if (ToAscii->isChecked())
        return CopyOutKind::Ascii;
    if (ToCsv->isChecked())
        return CopyOutKind::Csv;
    if (ToVCard->isChecked())
        return CopyOutKind::VCard;
    return CopyOutKind::Dbf;
}

void TCopyOut::KindChosen()
{
    FileName->setText(QStringLiteral("(none)"));
}

void TCopyOut::SaveAsButtonClick()
{
    if (copying_)
        return;
    const CopyOutKind kind = Kind();
    const CopyOutFileType type = CopyOutFileTypeOf(kind);
    const QFileInfo proposed(ProposedCopyOutPath(kind, session_.TableBook.FilePath()));
    const QString chosen = SaveDialog(proposed.absolutePath(), proposed.fileName(), type.filter, type.extension);
    const QString path = AcceptCopyOutTarget(kind, chosen, session_.TableBook.FilePath());
    FileName->setText(path.isEmpty() ? QStringLiteral("(none)") : path);
    if (path.isEmpty())
        return;
    RememberCopyOutFolder(kind, path);
    Copy(path);
}

void TCopyOut::Copy(const QString& path)
{
    ChoicePanel->hide();
    Helpbutton->hide();
    ProgressPanel->show();
    copying_ = true;
    stopRequested_ = false;
    outcome_ = RunExport(Kind(), path, session_.TableBook, session_.Apollo1, *Table1, *this);
    copying_ = false;
    Table1->Close();
    if (const QString message = ExportOutcomeMessage(outcome_, path, stopRequested_); !message.isEmpty())
        ShowInformation(message);
    accept();
}

void TCopyOut::Stage(const QString& status, bool)
{
    WhatAmIDoing->setText(status);
    Gauge1->setValue(0);
}

void TCopyOut::Gauge(int percent)
{
    Gauge1->setValue(percent);
}

void TCopyOut::Breathe()
{
    QApplication::processEvents();
}

void TCopyOut::CancelbuttonClick()
{
    if (!copying_) {
        QDialog::reject();
        return;
    }
    if (AskYesNoDefaultNo(QStringLiteral("Cancel copy?"), QStringLiteral("Cancel")))
        stopRequested_ = true;
}

void TCopyOut::HelpbuttonClick()
{
    ShowHelpTopic(HelpContext);
}

void TCopyOut::reject()
{
    CancelbuttonClick();
}
