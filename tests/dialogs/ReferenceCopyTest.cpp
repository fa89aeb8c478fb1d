// The copy of a dialog that a designer writes the dialog's form against is made without its
// resource: read, it would hide every property the resource sets.

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/Kexpabout.h"
#include "dialogs/Kfieldseditdlg.h"
#include "dialogs/Khtmltemplateeditdlg.h"
#include "tests/ScriptFiles.h"
#include "vcl50/Formresources.h"

TEST(ReferenceCopy, EachDialogIsMadeWithoutItsResource)
{
    RegisterFormResource("TABOUTF", ReadText(ABOUT_DFM));
    RegisterFormResource("TFMKFIELDSEDITDLG", ReadText(FIELDSEDIT_DFM));
    RegisterFormResource("TFMKHTMLTEMPLATEEDITDLG", ReadText(HTMLTEMPLATE_DFM));
    for (TClass dialog : {TAboutF::StaticClass(), TfmKFieldsEditDlg::StaticClass(),
                          TfmKHTMLTemplateEditDlg::StaticClass()}) {
        std::unique_ptr<TObject> copy(dialog->CreateNew(nullptr));
        EXPECT_EQ(copy->ClassType(), dialog);
        EXPECT_EQ(As<TForm>(copy.get())->ComponentCount(), 0) << dialog->ClassName();
    }
}
