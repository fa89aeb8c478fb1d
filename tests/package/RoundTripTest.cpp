// Saving and reopening a form keeps every stored value: the sample form and forms generated over
// the package's classes, each row of each component set, save, open and save again to the same
// bytes; an unrelated edit undone gives back the same text.

#include <gtest/gtest.h>

#include "PackageTesting.h"
#include "host/DesignHost.h"
#include "host/FormFile.h"
#include "host/PropertyGrid.h"
#include "vcl50/Formresources.h"

namespace {

class RoundTrip : public testing::Test {
protected:
    RoundTrip()
    {
        Host.RegisterPackage(Host.LoadPackage(PackageFile));
    }
    // Saves, reopens and saves again; the two files must be the same bytes.
    void ExpectSameAfterReopening(TDesigner& designer, const std::string& what)
    {
        const std::string first = (Folder.Path() / "first.dfm").string();
        const std::string second = (Folder.Path() / "second.dfm").string();
        Host.SaveForm(designer, first);
        Host.SaveForm(Host.OpenForm(first), second);
        EXPECT_EQ(ReadWholeFile(second), ReadWholeFile(first)) << what;
    }

    TScratchFolder Folder;
    TDesignHost Host;
};

// Sets about three rows in five that a person can type into, to values picked by `seed`: a
// drop-down's entry, a number, a text. Values the editor refuses are left as they were.
// With `keepSize`, the size rows stay as they are, so a form's size comes from its border style.
void SetRows(TDesigner& designer, TComponent* component, int seed, bool keepSize = false)
{
    designer.Select({component});
    TPropertyGrid grid(designer.Selection(), &designer);
    int k = seed;
    for (const auto& row : grid.Rows()) {
        TPropertyEditor& editor = row->Editor();
        const TPropertyAttributes attributes = editor.GetAttributes();
        const AnsiString name = row->Name();
        if (attributes.Contains(paReadOnly) || name == "Name")
            continue;
        if (keepSize && (name == "Width" || name == "Height" || name == "ClientWidth" || name == "ClientHeight"))
            continue;
        ++k;
        if ((k * k * 31 + seed * 17) % 5 < 2)
            continue;
        AnsiString value;
        if (attributes.Contains(paValueList)) {
            const std::vector<AnsiString> values = row->DropDownValues();
            if (values.empty())
                continue;
            value = values[static_cast<size_t>(k) % values.size()];
        } else if (editor.GetPropType()->Kind == tkInteger) {
            value = IntToStr(k * 37 % 700 - 20);
        } else if (editor.GetPropType()->Kind == tkString) {
            value = "text " + IntToStr(k);
        } else {
            continue;
        }
        try {
            editor.SetValue(value);
        } catch (const Exception&) {
        }
    }
}

}  // namespace

TEST_F(RoundTrip, TheSampleFormReopensToTheSameBytes)
{
    ExpectSameAfterReopening(Host.OpenForm(std::string(EXAMPLES_DIR) + "/shop.dfm"), "shop.dfm");
}

TEST_F(RoundTrip, GeneratedFormsReopenToTheSameBytesAndUndoGivesBackTheirText)
{
    std::vector<TComponentClass> classes;
    for (const auto& page : Host.Registry().Pages())
        for (const auto& entry : page.Classes)
            classes.push_back(entry.Class);
    ASSERT_GE(classes.size(), 11u);
    for (int i = 0; i < 80; ++i) {
        TDesigner& designer = Host.NewForm("Generated" + IntToStr(i));
        SetRows(designer, designer.GetRoot(), i, i % 2 == 1);
        for (int c = 0; c < 3; ++c) {
            TComponent* component = designer.AddComponent(classes[static_cast<size_t>(i + c) % classes.size()], "",
                                                          (i * 13 + c * 40) % 400, (i * 7 + c * 30) % 200);
            SetRows(designer, component, i + c);
        }
        const std::string what = "form " + IntToStr(i) + ":\n" + WriteComponentResourceText(designer.GetRoot());
        ExpectSameAfterReopening(designer, what);
        TDesigner& reopened = *Host.CurrentForm();
        const AnsiString text = WriteComponentResourceText(reopened.GetRoot());
        reopened.MoveComponent(reopened.GetRoot()->Components(0), 8, 8);
        ASSERT_TRUE(reopened.Undo());
        EXPECT_EQ(WriteComponentResourceText(Host.CurrentForm()->GetRoot()), text) << what;
        Host.CloseForm(*Host.CurrentForm());
    }
}
