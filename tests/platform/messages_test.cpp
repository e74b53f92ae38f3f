#include "platform/mainwindow.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "support/modal.h"
#include "support/scripted_messages.h"

#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

TEST(Messages, RoutinesUseTheirCaptionsIconsAndDefaultButtons)
{
    ScriptedMessages boxes;
    boxes.AnswerYes().AnswerNo().AnswerYes();
    ShowInformation("Saved.");
    EXPECT_FALSE(AskYesNo("Delete this record?", "DELETE"));
    EXPECT_TRUE(AskYesNoDefaultNo("Overwrite?", "Export"));

    ASSERT_EQ(boxes.Boxes().size(), 3);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Information");
    EXPECT_EQ(boxes.Boxes()[0].flags, 64u);
    EXPECT_EQ(boxes.Boxes()[1].text, "Delete this record?");
    EXPECT_EQ(boxes.Boxes()[1].caption, "DELETE");
    EXPECT_EQ(boxes.Boxes()[1].flags, 36u);
    EXPECT_EQ(boxes.Boxes()[2].flags, 292u);
    EXPECT_EQ(boxes.Pending(), 0);
    EXPECT_EQ(boxes.Unanswered(), 0);
}

TEST(Messages, UnscriptedBoxesTakeTheDefaultButtonAndAreCounted)
{
    ScriptedMessages boxes;
    EXPECT_TRUE(AskYesNo("Add another record?", "Add"));
    EXPECT_FALSE(AskYesNoDefaultNo("Really?", "Question"));
    EXPECT_EQ(ShowMessageBox("Go on?", "Copy", MbOkCancel | MbDefButton2), IdCancel);
    EXPECT_EQ(boxes.Unanswered(), 3);
}

TEST(Messages, ButtonsAndDefaultsFollowTheStyleBits)
{
    EXPECT_EQ(MessageButtons(MbOk | MbIconInformation), QVector<int>({IdOk}));
    EXPECT_EQ(MessageButtons(MbYesNoCancel), QVector<int>({IdYes, IdNo, IdCancel}));
    EXPECT_EQ(DefaultAnswer(MbYesNoCancel | MbDefButton3), IdCancel);
    EXPECT_EQ(DefaultAnswer(MbYesNo | MbIconQuestion), IdYes);
    // A default beyond the buttons falls back to the first.
    EXPECT_EQ(DefaultAnswer(MbOk | MbDefButton3), IdOk);
}

TEST(Messages, ANestedDoubleHandsTheBoxesBackWhenItEnds)
{
    ScriptedMessages outer;
    {
        ScriptedMessages inner;
        ShowInformation("to inner");
        EXPECT_EQ(inner.Texts(), QStringList{"to inner"});
    }
    ShowInformation("to outer");
    EXPECT_EQ(outer.Texts(), QStringList{"to outer"});
}

TEST(Messages, ABoxIsWideEnoughForItsCaption)
{
    MessageService* scripted = SetMessageService(nullptr);
    int width = 0;
    WhenModalOpens([&width](QWidget* box) {
        width = box->width();
        static_cast<QDialog*>(box)->accept();
    });
    ShowMessageBox(QStringLiteral("Is this the same person?"), QStringLiteral("Possible Duplicate"), MbOk);
    SetMessageService(scripted);
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_GE(width, TitleBarWidth(QStringLiteral("Possible Duplicate")));
}

TEST(Messages, ABoxOpensOverTheDialogInFrontElseOverTheMainWindow)
{
    MessageService* scripted = SetMessageService(nullptr);
    QWidget main;
    SetMainWindow(&main);
    QWidget* owner = nullptr;
    const auto takeOwner = [&owner](QMessageBox* box) {
        owner = box->parentWidget();
        box->accept();
    };
    WhenShown<QMessageBox>(takeOwner);
    ShowInformation(QStringLiteral("Saved."));
    EXPECT_EQ(owner, &main);

    QDialog dialog(&main);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    EXPECT_EQ(DialogOwner(), &dialog);
    WhenShown<QMessageBox>(takeOwner);
    ShowInformation(QStringLiteral("Saved."));
    EXPECT_EQ(owner, &dialog);

    dialog.close();
    SetMainWindow(nullptr);
    SetMessageService(scripted);
}
