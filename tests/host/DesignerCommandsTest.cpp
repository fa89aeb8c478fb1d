// The designer's command layer: every action guards its package calls, and an edit is one undo
// step under one label, which undo takes back exactly.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "tests/TempFolder.h"
#include "tests/host/TestComponents.h"
#include "vcl50/Clipbrd.h"
#include "vcl50/Formresources.h"

namespace {

struct TActionCase {
    const char* What;
    std::function<bool(TDesignHost&, TDesigner&)> Act;
    const char* Label;    // the step it records; "" for none
    const char* Failure;  // the message it reports; "" for none
};

// What the command layer reports goes into `reported`, as a view would show it.
void CollectReports(TDesignHost& host, std::vector<AnsiString>& reported)
{
    host.Commands().SetReport([&reported](std::exception_ptr failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const Exception& e) {
            reported.push_back(e.Message());
        }
    });
}

TPropertyGridRow& RowOf(std::unique_ptr<TPropertyGrid>& grid, TDesigner& designer, TComponent* component,
                        const char* path)
{
    designer.Select({component});
    grid = std::make_unique<TPropertyGrid>(designer.Selection(), &designer);
    return *grid->Find(path);
}

}  // namespace

TEST(DesignerCommands, EachActionIsGuardedAndOneUndoStepUnderOneLabel)
{
    std::unique_ptr<TPropertyGrid> grid;
    auto component = [](TDesigner& d, const char* name) { return d.GetComponent(name); };
    const TActionCase cases[] = {
        {"place", [](TDesignHost& h, TDesigner&) { return h.Commands().Place(TTestWidget::StaticClass(), "", 8, 8); },
         "Add TTestWidget", ""},
        {"place with a taken name",
         [](TDesignHost& h, TDesigner&) { return h.Commands().Place(TTestWidget::StaticClass(), "W", 8, 8); }, "",
         "A component named W already exists"},
        {"delete one", [&](TDesignHost& h, TDesigner& d) { return h.Commands().Delete({component(d, "W")}); },
         "Delete W", ""},
        {"delete two",
         [&](TDesignHost& h, TDesigner& d) { return h.Commands().Delete({component(d, "W"), component(d, "S")}); },
         "Delete", ""},
        {"delete the form", [](TDesignHost& h, TDesigner& d) { return h.Commands().Delete({d.GetRoot()}); }, "",
         "Only a component on the form can be deleted"},
        {"move to", [&](TDesignHost& h, TDesigner& d) { return h.Commands().MoveTo(component(d, "W"), 40, 16); },
         "Move W", ""},
        {"move by, snapped",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().MoveBy({component(d, "W"), component(d, "S")}, 13, 3, true);
         },
         "Move", ""},
        {"set",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().Set(RowOf(grid, d, component(d, "W"), "Count"), "5");
         },
         "Set W.Count", ""},
        {"set a sub-row",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().Set(RowOf(grid, d, component(d, "W"), "Formats.DateFormat"), "yyyy");
         },
         "Set W.Formats.DateFormat", ""},
        {"set a refused value",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().Set(RowOf(grid, d, component(d, "W"), "Count"), "many");
         },
         "", "'many' is not a valid integer value"},
        {"reset",
         [&](TDesignHost& h, TDesigner& d) {
             d.Select({component(d, "W")});
             return h.Commands().Reset("Count");
         },
         "Reset W.Count", ""},
        {"dialog button",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().EditRow(RowOf(grid, d, component(d, "W"), "FileName"));
         },
         "Edit W.FileName", ""},
        // What the editor wrote before it raised stays, as one step.
        {"dialog button that fails half way",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().EditRow(RowOf(grid, d, component(d, "S"), "Caption"));
         },
         "Edit S.Caption", "the editor fails half way"},
        {"string list",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().SetLines(RowOf(grid, d, component(d, "W"), "Items"), "one\ntwo\n");
         },
         "Set W.Items", ""},
        {"font",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().SetFont(RowOf(grid, d, d.GetRoot(), "Font"), {"Liberation Serif", 14, {fsBold}});
         },
         "Set F.Font", ""},
        {"verb", [&](TDesignHost& h, TDesigner& d) { return h.Commands().Verb(component(d, "W"), 0); }, "Count", ""},
        {"verb that refuses", [&](TDesignHost& h, TDesigner& d) { return h.Commands().Verb(component(d, "W"), 1); },
         "", "verb 1 refuses"},
        {"cut", [&](TDesignHost& h, TDesigner& d) { return h.Commands().Cut({component(d, "W")}); }, "Cut W", ""},
        {"paste",
         [&](TDesignHost& h, TDesigner& d) {
             return h.Commands().Copy({component(d, "W")}) && h.Commands().Paste().has_value();
         },
         "Paste", ""},
        {"paste of no form text",
         [](TDesignHost& h, TDesigner&) {
             Clipboard()->SetAsText("object");
             return h.Commands().Paste().has_value();
         },
         "", "*"},
    };
    for (const TActionCase& c : cases) {
        TDesignHost host;
        RegisterTestComponents();
        std::vector<AnsiString> reported;
        CollectReports(host, reported);
        TDesigner& designer = host.NewForm("F");
        // Its Count differs from the default, for the reset.
        As<TTestWidget>(designer.AddComponent(TTestWidget::StaticClass(), "W"))->Count = 3;
        designer.AddComponent(TTestSource::StaticClass(), "S");
        const AnsiString before = WriteComponentResourceText(designer.GetRoot());
        const size_t steps = designer.History().DoneCount();

        const bool done = c.Act(host, *host.CurrentForm());

        TDesigner& now = *host.CurrentForm();
        EXPECT_FALSE(host.Commands().Running()) << c.What;
        EXPECT_EQ(done, *c.Failure == 0) << c.What;
        if (*c.Failure == 0)
            EXPECT_TRUE(reported.empty()) << c.What;
        else if (std::string(c.Failure) != "*")
            EXPECT_EQ(reported, std::vector<AnsiString>{c.Failure}) << c.What;
        else
            EXPECT_EQ(reported.size(), 1u) << c.What;
        if (*c.Label == 0) {
            EXPECT_EQ(now.History().DoneCount(), steps) << c.What;
            EXPECT_EQ(WriteComponentResourceText(now.GetRoot()), before) << c.What << ": a refused action changes nothing";
            continue;
        }
        ASSERT_EQ(now.History().DoneCount(), steps + 1) << c.What;
        EXPECT_EQ(now.History().NextUndo().Label, c.Label) << c.What;
        EXPECT_TRUE(host.Commands().Undo()) << c.What;
        EXPECT_EQ(WriteComponentResourceText(now.GetRoot()), before) << c.What;
        EXPECT_TRUE(host.Commands().Redo()) << c.What;
        EXPECT_FALSE(host.Commands().Redo()) << c.What << ": nothing more to redo";
    }
}

TEST(DesignerCommands, ActionsWithoutAFormDoNothingAndAFailureWithoutAViewIsKept)
{
    TDesignHost host;
    RegisterTestComponents();
    TDesignerCommands& commands = host.Commands();
    EXPECT_EQ(commands.Place(TTestWidget::StaticClass(), "", 0, 0), nullptr);
    EXPECT_FALSE(commands.Undo());
    EXPECT_FALSE(commands.Paste().has_value());
    EXPECT_FALSE(commands.LastFailure().has_value());
    // No view listens: the failure is kept, and the host goes on.
    EXPECT_EQ(commands.Open("/nonexistent/form.dfm"), nullptr);
    ASSERT_TRUE(commands.LastFailure().has_value());
    EXPECT_NE(commands.LastFailure()->Message.find("form.dfm"), std::string::npos);
    int idle = 0;
    commands.SetOnIdle([&] { ++idle; });
    // A call inside a call is part of it: the views hear once, when the outer one ends.
    commands.Guarded([&] { commands.Guarded([&] { EXPECT_TRUE(commands.Running()); }); });
    EXPECT_EQ(idle, 1);
}

// A form file that names classes or properties nothing registered: an open refuses it listing
// them all; an open that may ask lists them, and a yes opens the rest (marked modified) while a
// no keeps the current form. A file malformed or wrong in another way is refused by both.
TEST(DesignerCommands, UnknownNamesAreRefusedTogetherOrLeftOutWhenAccepted)
{
    const struct {
        const char* What;
        const char* Body;     // inside "object F: TForm", from line 2
        const char* Refusal;  // a part of what the unasked open reports; "" when it opens
        const char* Unknown;  // what the asking open lists, a line each; "" when nothing
        const char* Kept;     // the components of the form the asking open opens; "" when none
    } cases[] = {
        {"every name known", "  object W: TTestWidget\n    Count = 2\n  end\n", "", "", "W"},
        {"unknown names",
         "  Colour = clRed\n"                // 2
         "  object W: TTestWidget\n"         // 3
         "    Count = 2\n"                   // 4
         "    Shade = 3\n"                   // 5
         "    Source = X\n"                  // 6
         "    Formats.Century = 'x'\n"       // 7
         "  end\n"                           // 8
         "  object X: TNoSuchSource\n"       // 9
         "    object Inner: TAlsoMissing\n"  // 10: left out with X
         "    end\n"
         "  end\n"
         "  object S: TTestSource\n"
         "    Caption = 'kept'\n"
         "  end\n",
         "Error reading F.Colour: property Colour does not exist (line 2); "
         "Error reading W.Shade: property Shade does not exist (line 5); "
         "Error reading W.Source: component X not found (line 6); "
         "Error reading W.Formats.Century: property Century does not exist (line 7); "
         "Error reading X: Class TNoSuchSource not found (line 9)",
         "2 F.Colour: property Colour does not exist\n"
         "5 W.Shade: property Shade does not exist\n"
         "6 W.Source: component X not found\n"
         "7 W.Formats.Century: property Century does not exist\n"
         "9 X: Class TNoSuchSource not found\n",
         "W S"},
        {"malformed", "  object W TTestWidget\n  end\n", "'=' expected but 'end' found (line 3)", "", ""},
        {"an unknown class and a wrong value",
         "  object X: TNoSuch\n  end\n  object W: TTestWidget\n    Count = 'many'\n  end\n",
         "Error reading W.Count: invalid property value: integer expected but string found (line 5)", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TTempFolder folder("unknown-names");
        const std::string path = (folder.Path() / "f.dfm").string();
        std::ofstream(path) << "object F: TForm\n" << c.Body << "end\n";
        TDesignHost host;
        RegisterTestComponents();
        std::vector<AnsiString> reported;
        CollectReports(host, reported);
        TDesigner& before = host.NewForm("Before");
        std::string listed;
        auto answer = [&listed](bool yes) {
            return [&listed, yes](const std::vector<TUnknownFormName>& names) {
                for (const TUnknownFormName& name : names)
                    listed += std::to_string(name.Line) + " " + name.Component +
                              (name.Property.empty() ? "" : "." + name.Property) + ": " + name.What + "\n";
                return yes;
            };
        };

        if (*c.Refusal) {
            EXPECT_EQ(host.Commands().Open(path), nullptr);
            ASSERT_EQ(reported.size(), 1u);
            EXPECT_NE(reported[0].find(c.Refusal), std::string::npos) << reported[0];
            EXPECT_EQ(host.CurrentForm(), &before);
            reported.clear();
        }
        if (*c.Unknown) {
            EXPECT_EQ(host.Commands().Open(path, answer(false)), nullptr);
            EXPECT_EQ(listed, c.Unknown);
            EXPECT_TRUE(reported.empty());
            EXPECT_EQ(host.CurrentForm(), &before);
            listed.clear();
        }
        TDesigner* opened = host.Commands().Open(path, answer(true));
        EXPECT_EQ(listed, c.Unknown);
        ASSERT_EQ(opened == nullptr, *c.Kept == 0);
        if (!opened) {
            ASSERT_EQ(reported.size(), 1u);
            EXPECT_NE(reported[0].find(c.Refusal), std::string::npos) << reported[0];
            continue;
        }
        std::string kept;
        for (int i = 0; i < opened->GetRoot()->ComponentCount(); ++i)
            kept += (kept.empty() ? "" : " ") + opened->GetRoot()->Components(i)->Name();
        EXPECT_EQ(kept, c.Kept);
        EXPECT_EQ(opened->IsModified(), *c.Unknown != 0);
        EXPECT_EQ(opened->FileName(), path);
        EXPECT_EQ(host.CurrentForm(), opened);
    }
}
