// A component's place on the design surface is kept by the core and travels with the form file.

#include <gtest/gtest.h>

#include "host/DesignHost.h"
#include "host/FormFile.h"
#include "tests/TempFolder.h"
#include "vcldb50/Sqlitedataset.h"

TEST(DesignPosition, PlacedAndMovedComponentsKeepTheirPlaceThroughAFormFile)
{
    TTempFolder temp("design-position-test");
    const std::string path = (temp.Path() / "form.dfm").string();
    TDesignHost host;
    TDesigner& designer = host.NewForm("Placed");
    TComponent* moved = designer.AddComponent(TSQLiteDataSet::StaticClass(), "", 16, 32);
    designer.AddComponent(TSQLiteDataSet::StaticClass(), "Origin");
    designer.ClearModified();
    designer.MoveComponent(moved, 40, -8);
    EXPECT_TRUE(designer.IsModified());
    designer.ClearModified();
    designer.MoveComponent(moved, 40, -8);
    EXPECT_FALSE(designer.IsModified()) << "a move to where it is changes nothing";
    EXPECT_THROW(designer.MoveComponent(designer.GetRoot(), 1, 1), EInvalidOperation);
    host.SaveForm(designer, path);

    // Nothing is written for the origin, as for any default.
    EXPECT_EQ(ReadWholeFile(path), "object Placed: TForm\n"
                                   "  Caption = 'Placed'\n"
                                   "  object SQLiteDataSet1: TSQLiteDataSet\n"
                                   "    Left = 40\n"
                                   "    Top = -8\n"
                                   "  end\n"
                                   "  object Origin: TSQLiteDataSet\n"
                                   "  end\n"
                                   "end\n");
    WriteFileAtomically(path, "object Placed: TForm\n"
                              "  object Far: TSQLiteDataSet\n"
                              "    Left = 99999\n"
                              "    Top = 12\n"
                              "  end\n"
                              "end\n");
    TComponent* far = host.OpenForm(path).GetComponent("Far");
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(far->DesignLeft(), 32767);
    EXPECT_EQ(far->DesignTop(), 12);
    WriteFileAtomically(path, "object Placed: TForm\n  object Bad: TSQLiteDataSet\n    Left = 'x'\n  end\nend\n");
    EXPECT_THROW(host.OpenForm(path), EReadError);
}
