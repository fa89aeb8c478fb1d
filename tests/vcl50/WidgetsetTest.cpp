// A back end that only learns of changes through its peers' notifications, and reads everything
// else from the public model, must end up showing exactly what the model holds. These peers keep
// such a copy; after many kinds of change the copy must equal a fresh read. The clipboard is the
// installed widget set's.

#include "VisualSupport.h"

#include <map>

#include "vcl50/Buttons.h"
#include "vcl50/Clipbrd.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"

namespace {

std::string Flag(bool b)
{
    return b ? "1" : "0";
}

std::string ItemsOf(const TStrings* items)
{
    return items->CommaText();
}

// What a widget shows for each kind of notice, read through the public model only.
std::string Read(TPeerNotice notice, const TControl* c)
{
    auto* list = dynamic_cast<const TCustomListBox*>(c);
    auto* checks = dynamic_cast<const TCheckListBox*>(c);
    auto* combo = dynamic_cast<const TComboBox*>(c);
    auto* edit = dynamic_cast<const TEdit*>(c);
    auto* win = dynamic_cast<const TWinControl*>(c);
    switch (notice) {
    case TPeerNotice::Bounds: {
        TRect r = c->BoundsRect();
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(c->ClientWidth()) + "x" +
               std::to_string(c->ClientHeight());
    }
    case TPeerNotice::Visible: return Flag(c->Visible());
    case TPeerNotice::Enabled: return Flag(c->Enabled());
    case TPeerNotice::Caption: {
        auto* label = dynamic_cast<const TLabel*>(c);
        return (combo ? combo->Text() : edit ? edit->Text() : c->Caption()) + (label ? Flag(label->ShowAccelChar()) : "");
    }
    case TPeerNotice::Color: return IntToHex(ColorToRGB(c->Color()), 6);
    case TPeerNotice::Font: {
        const TFont* f = c->Font();
        return f->Name() + std::to_string(f->Height()) + IntToHex(f->Color(), 8) + std::to_string(f->Style().Mask());
    }
    case TPeerNotice::Cursor: return std::to_string(c->Cursor());
    case TPeerNotice::Hint: return c->Hint() + Flag(c->ShowHint());
    case TPeerNotice::Focus: return Flag(win && win->Focused());
    case TPeerNotice::TabOrder: {
        std::vector<std::pair<int, std::string>> order;
        for (int i = 0; win && i < win->ControlCount(); ++i)
            if (auto* child = dynamic_cast<const TWinControl*>(win->Controls(i)))
                order.push_back({child->TabOrder(), child->Name() + Flag(child->TabStop())});
        std::sort(order.begin(), order.end());
        std::string text;
        for (auto& [index, name] : order)
            text += name + " ";
        return text;
    }
    case TPeerNotice::Appearance: {
        if (auto* form = dynamic_cast<const TCustomForm*>(c))
            return std::to_string(form->BorderStyle()) + std::to_string(form->BorderIcons().Mask()) +
                   std::to_string(form->Position());
        if (auto* panel = dynamic_cast<const TPanel*>(c))
            return std::to_string(panel->BevelOuter()) + std::to_string(panel->BevelInner()) +
                   std::to_string(panel->BevelWidth()) + std::to_string(panel->BorderWidth()) +
                   std::to_string(panel->Alignment());
        if (auto* bevel = dynamic_cast<const TBevel*>(c))
            return std::to_string(bevel->Shape()) + std::to_string(bevel->Style());
        if (auto* label = dynamic_cast<const TLabel*>(c))
            return std::to_string(label->Alignment()) + std::to_string(label->Layout()) +
                   Flag(label->Transparent()) + Flag(label->AutoSize());
        if (auto* bit = dynamic_cast<const TBitBtn*>(c))
            return std::to_string(bit->Kind()) + Flag(bit->Default()) + Flag(bit->Cancel());
        if (auto* button = dynamic_cast<const TButton*>(c))
            return Flag(button->Default()) + Flag(button->Cancel());
        if (auto* speed = dynamic_cast<const TSpeedButton*>(c))
            return Flag(speed->Flat());
        if (combo)
            return std::to_string(combo->Style());
        if (list)
            return Flag(list->MultiSelect()) + std::to_string(list->ItemHeight());
        return "";
    }
    case TPeerNotice::Items:
        return list ? ItemsOf(list->Items()) : combo ? ItemsOf(combo->Items()) : "";
    case TPeerNotice::Selection: {
        std::string text;
        for (int i = 0; list && i < list->Items()->Count(); ++i)
            text += Flag(list->Selected(i));
        return text;
    }
    case TPeerNotice::ItemIndex:
        return list ? std::to_string(list->ItemIndex()) : combo ? std::to_string(combo->ItemIndex()) : "";
    case TPeerNotice::Checked: {
        std::string text;
        for (int i = 0; checks && i < checks->Items()->Count(); ++i)
            text += Flag(checks->Checked(i));
        return text;
    }
    case TPeerNotice::ModalResult: {
        auto* form = dynamic_cast<const TCustomForm*>(c);
        return form ? std::to_string(form->ModalResult()) : "";
    }
    }
    return "";
}

const TPeerNotice AllNotices[] = {
    TPeerNotice::Bounds, TPeerNotice::Visible, TPeerNotice::Enabled, TPeerNotice::Caption,
    TPeerNotice::Color, TPeerNotice::Font, TPeerNotice::Cursor, TPeerNotice::Hint,
    TPeerNotice::Focus, TPeerNotice::TabOrder, TPeerNotice::Appearance, TPeerNotice::Items,
    TPeerNotice::Selection, TPeerNotice::ItemIndex, TPeerNotice::Checked, TPeerNotice::ModalResult,
};

class TMirrorPeer : public TControlPeer {
public:
    explicit TMirrorPeer(TControl* control) : FControl(control)
    {
        for (TPeerNotice n : AllNotices)
            Shown[n] = Read(n, control);
    }
    void BoundsChanged() override { Refresh(TPeerNotice::Bounds); }
    void VisibleChanged() override { Refresh(TPeerNotice::Visible); }
    void EnabledChanged() override { Refresh(TPeerNotice::Enabled); }
    void CaptionChanged() override { Refresh(TPeerNotice::Caption); }
    void ColorChanged() override { Refresh(TPeerNotice::Color); }
    void FontChanged() override { Refresh(TPeerNotice::Font); }
    void CursorChanged() override { Refresh(TPeerNotice::Cursor); }
    void HintChanged() override { Refresh(TPeerNotice::Hint); }
    void FocusChanged() override { Refresh(TPeerNotice::Focus); }
    void TabOrderChanged() override { Refresh(TPeerNotice::TabOrder); }
    void AppearanceChanged() override { Refresh(TPeerNotice::Appearance); }
    void ItemsChanged() override { Refresh(TPeerNotice::Items); }
    void SelectionChanged() override { Refresh(TPeerNotice::Selection); }
    void ItemIndexChanged() override { Refresh(TPeerNotice::ItemIndex); }
    void CheckedChanged() override { Refresh(TPeerNotice::Checked); }
    void ModalResultChanged() override { Refresh(TPeerNotice::ModalResult); }

    std::map<TPeerNotice, std::string> Shown;

private:
    void Refresh(TPeerNotice n) { Shown[n] = Read(n, FControl); }
    TControl* FControl;
};

class TMirrorWidgetSet : public THeadlessWidgetSet {
public:
    std::unique_ptr<TControlPeer> CreatePeer(TControl* control) override
    {
        return std::make_unique<TMirrorPeer>(control);
    }
};

class MirrorTest : public VisualTest {
protected:
    void SetUp() override
    {
        VisualTest::SetUp();
        SetWidgetSet(std::make_unique<TMirrorWidgetSet>());
    }
    void TearDown() override
    {
        SetWidgetSet(nullptr);
        VisualTest::TearDown();
    }

    static void ExpectMirrored(const TControl* c)
    {
        auto* peer = dynamic_cast<TMirrorPeer*>(c->Peer());
        ASSERT_NE(peer, nullptr) << c->Name();
        for (TPeerNotice n : AllNotices)
            EXPECT_EQ(peer->Shown[n], Read(n, c)) << c->Name() << " notice " << static_cast<int>(n);
        if (auto* win = dynamic_cast<const TWinControl*>(c))
            for (int i = 0; i < win->ControlCount(); ++i)
                ExpectMirrored(win->Controls(i));
    }
};

TEST_F(MirrorTest, EveryChangeReachesTheWidgetThatShowsIt)
{
    auto form = NewForm(400, 300);
    auto* page = Add<TPanel>(form.get(), "Page");
    auto* cell = Add<TPanel>(page, "Cell");
    cell->SetParentColor(true);
    cell->SetAlign(alClient);
    auto* text = Add<TLabel>(cell, "Text");
    auto* bar = Add<TPanel>(form.get(), "Bar");
    bar->SetAlign(alBottom);
    auto* ok = Add<TBitBtn>(bar, "Ok");
    auto* plain = Add<TButton>(form.get(), "Plain");
    auto* list = Add<TListBox>(form.get(), "List");
    auto* combo = Add<TComboBox>(form.get(), "Combo");
    auto* bevel = Add<TBevel>(form.get(), "Bevel");
    auto* speed = Add<TSpeedButton>(form.get(), "Speed");
    auto* edit = Add<TEdit>(form.get(), "Edit");
    auto* checks = Add<TCheckListBox>(form.get(), "Checks");
    checks->Items()->SetCommaText("p,q,r");
    form->Show();

    page->SetColor(clYellow);
    form->Font()->SetName("Arial");
    text->Font()->SetStyle({fsBold});
    page->SetShowHint(true);
    cell->SetHint("cell");
    text->SetCursor(crHandPoint);
    text->SetCaption("&Text");
    text->SetShowAccelChar(false);
    text->SetLayout(tlCenter);
    form->SetClientHeight(320);
    page->SetBevelInner(bvLowered);
    page->SetHeight(100);
    form->SetBorderStyle(bsDialog);
    form->SetBorderIcons({biSystemMenu});
    ok->SetKind(bkOK);
    plain->SetCancel(true);
    bevel->SetShape(bsTopLine);
    speed->SetFlat(true);
    list->SetMultiSelect(true);
    list->Items()->BeginUpdate();
    list->Items()->SetCommaText("d,b,a,c");
    list->Items()->EndUpdate();
    Input::SelectItem(list, 1);
    Input::SelectItem(list, 3, {ssShift});
    list->SetSorted(true);
    list->Items()->Delete(0);
    list->SetMultiSelect(false);
    combo->Items()->SetCommaText("x,y,z");
    combo->SetItemIndex(1);
    Input::ChooseItem(combo, 2);
    combo->SetStyle(csDropDownList);
    combo->SetText("x");
    combo->SetTabOrder(0);
    plain->SetTabStop(false);
    Input::KeyDown(combo, VK_TAB);
    edit->SetText("typed by code");
    Input::TypeText(edit, "typed by a person");
    checks->SetChecked(2, true);
    checks->Items()->Delete(1);
    Input::ClickCheck(checks, 0);
    Input::KeyDown(checks, 0x20);
    bar->SetEnabled(false);
    speed->SetVisible(false);
    cell->SetParentColor(false);
    page->SetColor(clAqua);
    form->SetModalResult(mrOk);

    ExpectMirrored(form.get());

    // Another form taking the focus and giving it back.
    list->SetFocus();
    auto second = NewForm();
    Add<TButton>(second.get(), "Other");
    second->Show();
    ExpectMirrored(form.get());
    ExpectMirrored(second.get());
    second->Hide();
    ExpectMirrored(form.get());
}

TEST_F(MirrorTest, TheWidgetSetCannotChangeUnderAShownForm)
{
    auto form = NewForm();
    form->Show();
    EXPECT_THROW(SetWidgetSet(nullptr), EInvalidOperation);
    form->Hide();
}

// Each change replaces what the clipboard held: text alone leaves no HTML behind.
TEST(HeadlessClipboard, EachChangeReplacesBothRepresentations)
{
    struct TChange {
        const char* Text;
        const char* Html;  // null: text alone
    };
    const TChange changes[] = {
        {"a\tb\r\n1\t2\r\n", "<table><tr><td>a</td><td>b</td></tr></table>"},
        {"plain", nullptr},
        {"Gr\xC3\xB6\xC3\x9F" "e", "<b>Gr\xC3\xB6\xC3\x9F" "e</b>"},
        {"", "<p>only html</p>"},
        {"", nullptr},
    };
    for (const TChange& c : changes) {
        SCOPED_TRACE(c.Text);
        if (c.Html)
            Clipboard()->SetTextAndHtml(c.Text, c.Html);
        else
            Clipboard()->SetAsText(c.Text);
        EXPECT_EQ(Clipboard()->AsText(), c.Text);
        EXPECT_EQ(Clipboard()->AsHtml(), c.Html ? c.Html : "");
    }
}

// Clipboard() reaches whichever widget set is installed; the headless one's memory outlives the
// widget sets installed meanwhile, as the system clipboard outlives a program's windows.
TEST(HeadlessClipboard, FollowsTheInstalledWidgetSetAndOutlivesIt)
{
    class TOwnClipboard : public THeadlessWidgetSet {
    public:
        AnsiString ClipboardText() const override { return FText; }
        AnsiString ClipboardHtml() const override { return FHtml; }
        void SetClipboard(const AnsiString& text, const AnsiString& html) override
        {
            FText = text;
            FHtml = html;
        }

    private:
        AnsiString FText = "own", FHtml;
    };
    Clipboard()->SetTextAndHtml("kept", "<i>kept</i>");
    SetWidgetSet(std::make_unique<TOwnClipboard>());
    EXPECT_EQ(Clipboard()->AsText(), "own");
    Clipboard()->SetTextAndHtml("elsewhere", "<i>elsewhere</i>");
    EXPECT_EQ(Clipboard()->AsHtml(), "<i>elsewhere</i>");
    SetWidgetSet(nullptr);
    EXPECT_EQ(Clipboard()->AsText(), "kept");
    EXPECT_EQ(Clipboard()->AsHtml(), "<i>kept</i>");
}

}  // namespace
