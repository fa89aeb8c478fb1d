#include "VisualSupport.h"

#include "vcl50/Dialogs.h"

namespace {

using DialogsTest = VisualTest;

TEST_F(DialogsTest, AColourDialogTakesItsQueuedOutcome)
{
    TColorDialog dialog(nullptr);
    dialog.SetColor(clWhite);
    Interaction::QueueAnswer(TDialogAnswer::ColorValue(static_cast<TColor>(0x123456)));
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), 0x123456);

    Interaction::QueueAnswer(TDialogAnswer::Cancelled());
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), 0x123456);
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"color 00FFFFFF -> 00123456", "color 00123456 -> cancel"}));

    Interaction::QueueAnswer(TDialogAnswer::Raising("Disk full"));
    try {
        dialog.Execute();
        FAIL();
    } catch (const EInteractionError&) {
        FAIL() << "a queued exception is the dialog's own, not an interaction error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Disk full");
    }
}

TEST_F(DialogsTest, ADialogWithoutAnswerOrWithAnAnswerOfTheWrongKindIsAClearError)
{
    TColorDialog color(nullptr);
    TOpenDialog open(nullptr);
    TSaveDialog save(nullptr);
    auto message = [](auto& dialog) {
        try {
            dialog.Execute();
        } catch (const EInteractionError& e) {
            return std::string(e.Message());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message(color), "No answer for the colour dialog");
    EXPECT_EQ(message(open), "No answer for the open dialog");
    EXPECT_EQ(message(save), "No answer for the save dialog");
    Interaction::QueueAnswer(TDialogAnswer::FileValue("/tmp/a.htf"));
    EXPECT_EQ(message(color), "The answer queued for the colour dialog is a file name");
    Interaction::QueueAnswer(TDialogAnswer::ColorValue(clRed));
    EXPECT_EQ(message(save), "The answer queued for the save dialog is no file name");
    EXPECT_TRUE(Observer.Events.empty());
}

TEST_F(DialogsTest, AFileDialogAddsTheDefaultExtensionAndReportsWhatItShowed)
{
    TSaveDialog dialog(nullptr);
    dialog.SetTitle("Save as HTML template");
    dialog.SetFilter("HTML template file (*.htf)|*.htf");
    dialog.SetDefaultExt("htf");
    dialog.SetFileName("old.htf");
    Interaction::QueueAnswer(TDialogAnswer::FileValue("/tmp/scheme"));
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/scheme.htf");
    EXPECT_EQ(Observer.Events[0], "save title=Save as HTML template filter=HTML template file (*.htf)|*.htf "
                                  "ext=htf name=old.htf -> /tmp/scheme.htf");
    Interaction::QueueAnswer(TDialogAnswer::Cancelled());
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/scheme.htf");
}

TEST(DefaultExtTest, OnlyANameWithoutExtensionGetsOne)
{
    EXPECT_EQ(AddDefaultExt("/tmp/a", "htf"), "/tmp/a.htf");
    EXPECT_EQ(AddDefaultExt("/tmp/a.txt", "htf"), "/tmp/a.txt");
    EXPECT_EQ(AddDefaultExt("/tmp/a.", ".htf"), "/tmp/a.htf");
    EXPECT_EQ(AddDefaultExt("/tmp.d/a", "htf"), "/tmp.d/a.htf") << "a dot in a folder is no extension";
    EXPECT_EQ(AddDefaultExt("/tmp/.hidden", "htf"), "/tmp/.hidden.htf");
    EXPECT_EQ(AddDefaultExt("/tmp/a", ""), "/tmp/a");
}

TEST_F(DialogsTest, MessagesNeedNoAnswerAndBoxesPressTheirDefaultButton)
{
    ShowMessage("Nothing to export");
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{"message Nothing to export"}));
    EXPECT_EQ(Application->MessageBox("Go on?", "Title", MB_YESNO), IDYES);
    EXPECT_EQ(Application->MessageBox("Go on?", "Title", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(Application->MessageBox("Stop", "Title", MB_OK | MB_DEFBUTTON2), IDOK);
    EXPECT_FALSE(Application->Title().empty());
    EXPECT_NE(Application->ExeName().find(Application->Title()), std::string::npos);
}

}  // namespace
