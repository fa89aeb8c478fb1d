// Actions made as real Qt events come out exactly as the same actions made on the model's input
// path: the same handlers in the same order, the same selection, focus and result.

#include "tests/qt/QtFormFixture.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Inputdriver.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtSyntheticInput.h"

namespace {

class QtSyntheticInputTest : public QtFormTest {
protected:
    // One session on a fresh form: what the handlers saw, in order, then the final state.
    std::vector<std::string> Session(TInputDriver& act)
    {
        std::vector<std::string> log;
        auto note = [&log](std::string what) { log.push_back(std::move(what)); };
        TForm* form = NewForm(320, 200);
        auto* cell = Add<TPanel>(form, "Cell", 10, 10, 80, 30);
        auto* off = Add<TButton>(form, "Off", 100, 10, 60, 25);
        off->SetEnabled(false);
        auto* cancel = Add<TButton>(form, "btCancel", 240, 170, 75, 25);
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        auto* combo = Add<TComboBox>(form, "cbx", 170, 10, 100, 21);
        combo->SetStyle(csDropDownList);
        auto* src = Add<TListBox>(form, "Src", 10, 50, 100, 110);
        auto* dst = Add<TListBox>(form, "Dst", 120, 50, 100, 110);
        auto* edit = Add<TEdit>(form, "Edit", 230, 50, 80, 21);
        auto* checks = Add<TCheckListBox>(form, "Checks", 230, 80, 80, 80);
        checks->Items()->SetCommaText("p,q");
        edit->OnChange = [note, edit](TObject*) { note("text " + edit->Text()); };
        checks->OnClickCheck = [note, checks](TObject*) { note(std::string("check ") + (checks->Checked(1) ? "q" : "-")); };
        for (const char* entry : {"One", "Two", "Three"})
            combo->Items()->Add(entry);
        for (const char* entry : {"A", "B", "C", "D", "E"})
            src->Items()->Add(entry);
        for (TListBox* list : {src, dst}) {
            list->SetMultiSelect(true);
            list->SetDragMode(dmAutomatic);
            list->OnClick = [note, list](TObject*) { note(list->Name() + " click"); };
            list->OnDblClick = [note, list](TObject*) { note(list->Name() + " dblclick"); };
        }
        cell->OnClick = [note](TObject*) { note("cell click"); };
        cell->OnDblClick = [note](TObject*) { note("cell dblclick"); };
        off->OnClick = [note](TObject*) { note("disabled button clicked"); };
        combo->OnChange = [note, combo](TObject*) { note("change " + std::to_string(combo->ItemIndex())); };
        dst->OnDragOver = [note, src](TObject*, TObject* source, int, int, TDragState, bool& accept) {
            accept = source == src;
        };
        dst->OnDragDrop = [note, src, dst](TObject*, TObject*, int, int) {
            note("drop");
            for (int i = src->Items()->Count() - 1; i >= 0; --i)
                if (src->Selected(i)) {
                    dst->Items()->Add(src->Items()->Get(i));
                    src->Items()->Delete(i);
                }
        };
        cancel->OnKeyDown = [note](TObject*, WORD& key, TShiftState) { note("key " + std::to_string(key)); };

        Interaction::QueueModalHandler([&](TCustomForm*) {
            act.Click(cell);
            act.DblClick(cell);
            act.Click(off);
            act.SelectItem(src, 1, {});
            act.SelectItem(src, 3, {ssCtrl});
            act.SelectItem(src, 4, {ssShift});
            act.KeyDown(src, 0x28, {});  // Down: the model has no list keys of its own
            act.ChooseItem(combo, 2);
            act.ChooseItem(combo, 2);
            note(act.DragDrop(src, dst, 50, 50) ? "dropped" : "refused");
            note(act.DragDrop(dst, dst, 50, 50) ? "dropped" : "refused");
            act.SelectItem(dst, 0, {});
            act.DblClick(dst);
            act.TypeText(edit, "orders.csv");
            act.TypeText(edit, "orders.csv");
            act.SelectItem(checks, 1, {});
            act.KeyDown(checks, 0x20, {});
            note("focus " + form->ActiveControl()->Name());
            act.KeyDown(cancel, 'A', {});
            act.KeyDown(cancel, VK_ESCAPE, {});
        });
        int result = form->ShowModal();
        note("result " + std::to_string(result));
        std::string lists;
        for (TListBox* list : {src, dst})
            for (int i = 0; i < list->Items()->Count(); ++i)
                lists += (list->Selected(i) ? "*" : "") + list->Items()->Get(i) + " ";
        note(lists);
        return log;
    }
};

TEST_F(QtSyntheticInputTest, RealEventsGiveWhatTheInputPathGives)
{
    TInputDriver direct;
    TQtSyntheticInput qt;
    std::vector<std::string> viaInput = Session(direct);
    std::vector<std::string> viaQt = Session(qt);
    EXPECT_EQ(viaQt, viaInput);
    // The session did what it says, so the comparison compares something.
    EXPECT_NE(std::find(viaInput.begin(), viaInput.end(), "drop"), viaInput.end());
    EXPECT_EQ(std::count(viaInput.begin(), viaInput.end(), "change 2"), 2);
    EXPECT_EQ(std::count(viaInput.begin(), viaInput.end(), "text orders.csv"), 1) << "typing it again is no change";
    EXPECT_NE(std::find(viaInput.begin(), viaInput.end(), "check q"), viaInput.end());
    EXPECT_EQ(viaInput.back(), "A B C *E D ") << "Shift extends from the Ctrl click: D and E moved";
}

TEST_F(QtSyntheticInputTest, WhatNoWidgetShowsIsReportedAsTheInputPathReportsIt)
{
    TForm* form = NewForm(200, 100);
    auto* cell = Add<TPanel>(form, "Cell", 10, 10, 80, 30);
    TQtSyntheticInput qt;
    EXPECT_THROW(qt.Click(cell), EInteractionError) << "a form that is not shown";
    form->Show();
    cell->SetVisible(false);
    EXPECT_THROW(qt.Click(cell), EInteractionError);
    form->SetBorderIcons({});
    EXPECT_THROW(qt.CloseBox(form), EInteractionError);
}

}  // namespace
