// The designer's command layer: every action guards its package calls, and an edit is one undo
// step under one label, which undo takes back exactly.

#include <gtest/gtest.h>

#include <functional>

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "tests/host/TestComponents.h"
#include "vcl50/Formresources.h"

namespace {

struct TActionCase {
    const char* What;
    std::function<bool(TDesignHost&, TDesigner&)> Act;
    const char* Label;    // the step it records; "" for none
    const char* Failure;  // the message it reports; "" for none
};

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
             h.SetClipboardText("object");
             return h.Commands().Paste().has_value();
         },
         "", "*"},
    };
    for (const TActionCase& c : cases) {
        TDesignHost host;
        RegisterTestComponents();
        std::vector<AnsiString> reported;
        host.Commands().SetReport([&](std::exception_ptr failure) {
            try {
                std::rethrow_exception(failure);
            } catch (const Exception& e) {
                reported.push_back(e.Message());
            }
        });
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
