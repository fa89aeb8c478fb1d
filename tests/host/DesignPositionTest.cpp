// A component's place on the design surface is kept by the core and travels with the form file.

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "host/DesignHost.h"
#include "host/FormFile.h"
#include "tests/TempFolder.h"
#include "vcl50/Controls.h"
#include "vcl50/Formresources.h"
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

// On a form wider than a form file's positions reach, every action that sets a position ends
// inside that range, also when asked for the ends of an int, so that undo, redo and a form file
// give back exactly what the action left.
TEST(DesignPosition, EveryActionEndsInsideTheRangeAFormFileHolds)
{
    constexpr int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    struct TCase {
        const char* What;
        std::function<bool(TDesignerCommands&, TDesigner&)> Act;
        const char* Name;  // the component whose place is checked
        int Left, Top;
    };
    const TCase cases[] = {
        {"move past the range", [](auto& c, auto& d) { return c.MoveTo(d.GetComponent("A"), 40000, 40000); }, "A",
         32767, 32767},
        {"move to an int's ends", [](auto& c, auto& d) { return c.MoveTo(d.GetComponent("A"), most, least); }, "A",
         32767, 0},
        {"move by the most an int holds",
         [](auto& c, auto& d) { return c.MoveBy({d.GetComponent("A")}, most, most, false); }, "A", 32767, 32767},
        {"move by the least, snapped",
         [](auto& c, auto& d) { return c.MoveBy({d.GetComponent("A")}, least, least, true); }, "A", 0, 0},
        {"place at an int's ends",
         [](auto& c, auto&) { return c.Place(TSQLiteDataSet::StaticClass(), "P", most, least) != nullptr; }, "P",
         32767, 0},
        // Its own place is taken: a step back from the end, not past it.
        {"paste at the end",
         [](auto& c, auto& d) { return c.Copy({d.GetComponent("Edge")}) && c.Paste().has_value(); },
         "SQLiteDataSet1", 32759, 32759},
    };
    TTempFolder temp("design-range-test");
    const std::string path = (temp.Path() / "form.dfm").string();
    for (const TCase& c : cases) {
        TDesignHost host;
        TDesigner& designer = host.NewForm("Wide");
        As<TControl>(designer.GetRoot())->SetClientWidth(60000);
        As<TControl>(designer.GetRoot())->SetClientHeight(60000);
        designer.AddComponent(TSQLiteDataSet::StaticClass(), "A", 100, 100);
        designer.AddComponent(TSQLiteDataSet::StaticClass(), "Edge", 32767, 32767);
        const AnsiString before = WriteComponentResourceText(designer.GetRoot());

        ASSERT_TRUE(c.Act(host.Commands(), designer)) << c.What;
        TComponent* moved = designer.GetComponent(c.Name);
        ASSERT_NE(moved, nullptr) << c.What;
        EXPECT_EQ(moved->DesignLeft(), c.Left) << c.What;
        EXPECT_EQ(moved->DesignTop(), c.Top) << c.What;
        const AnsiString after = WriteComponentResourceText(designer.GetRoot());
        ASSERT_TRUE(host.Commands().Undo()) << c.What;
        EXPECT_EQ(WriteComponentResourceText(host.CurrentForm()->GetRoot()), before) << c.What;
        ASSERT_TRUE(host.Commands().Redo()) << c.What;
        EXPECT_EQ(WriteComponentResourceText(host.CurrentForm()->GetRoot()), after) << c.What;
        host.SaveForm(*host.CurrentForm(), path);
        EXPECT_EQ(WriteComponentResourceText(host.OpenForm(path).GetRoot()), after) << c.What;
    }
}
