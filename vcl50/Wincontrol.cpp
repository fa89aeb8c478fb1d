#include <algorithm>

#include "vcl50/Controls.h"
#include "vcl50/Widgetset.h"

TWinControl::TWinControl(TComponent* owner) : TDerived(owner) {}

TWinControl::~TWinControl()
{
    FComponentState << csDestroying;
    DestroyPeers();
    RemoveFocus();
    // Leave the parent's tab list while this is still a whole windowed control.
    if (Parent()) {
        std::erase(Parent()->FTabList, this);
        Parent()->NotifyPeer(&TControlPeer::TabOrderChanged);
    }
    // Children go with their parent; each leaves FControls as it goes.
    while (!FControls.empty())
        delete FControls.back();
}

TClass TWinControl::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TWinControl, TControl>("TWinControl")
        .Unpublished("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Unpublished("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Unpublished("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::OnKeyDown)
        .Build();
    return &meta;
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw EListError(Format("List index out of bounds (%d)", {index}));
    return FControls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    while (control && control != this)
        control = control->Parent();
    return control == this;
}

void TWinControl::InsertControl(TControl* control)
{
    FControls.push_back(control);
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win)
        FTabList.push_back(win);
    control->FParent = this;
    if (control->FParentColor)
        control->InheritColor(FColor);
    if (control->FParentFont)
        control->InheritFont(FFont);
    if (control->FParentShowHint)
        control->InheritShowHint(FShowHint);
    if (control->FAlign != alNone)
        Realign();
    if (win)
        NotifyPeer(&TControlPeer::TabOrderChanged);
}

void TWinControl::RemoveControl(TControl* control)
{
    bool destroying = FComponentState.Contains(csDestroying);
    // A windowed child under destruction has already left the tab list and given up the focus;
    // dynamic_cast no longer sees it as windowed.
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win && !destroying)
        win->RemoveFocus();
    std::erase(FControls, control);
    bool tabbed = win && std::erase(FTabList, win) > 0;
    control->FParent = nullptr;
    if (destroying)
        return;
    if (control->FAlign != alNone)
        Realign();
    if (tabbed)
        NotifyPeer(&TControlPeer::TabOrderChanged);
}

void TWinControl::ForEachChild(const std::function<void(TControl*)>& proc) const
{
    for (TControl* c : FControls)
        proc(c);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    for (TControl* c : FControls)
        if (c->Owner() == root)
            proc(c);
}

// ---- alignment --------------------------------------------------------------------------------

void TWinControl::Realign()
{
    if (FAligning || FComponentState.Contains(csDestroying))
        return;
    FAligning = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{FAligning};

    TRect rect = ClientRect();
    AdjustClientRect(rect);
    // Top edges first, then bottom, left, right; what is left goes to the client-aligned ones.
    // Controls of one edge stack outwards-in in their current order.
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->FVisible && c->FAlign == align)
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](const TControl* a, const TControl* b) {
            switch (align) {
            case alTop: return a->FTop < b->FTop;
            case alBottom: return a->FTop + a->FHeight > b->FTop + b->FHeight;
            case alLeft: return a->FLeft < b->FLeft;
            case alRight: return a->FLeft + a->FWidth > b->FLeft + b->FWidth;
            default: return false;
            }
        });
        for (TControl* c : list) {
            int w = c->FWidth, h = c->FHeight;
            int spanW = std::max(0, rect.Width()), spanH = std::max(0, rect.Height());
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, spanW, h);
                rect.Top += h;
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - h, spanW, h);
                rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, w, spanH);
                rect.Left += w;
                break;
            case alRight:
                c->SetBounds(rect.Right - w, rect.Top, w, spanH);
                rect.Right -= w;
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, spanW, spanH);
                break;
            }
        }
    }
}

// ---- tab order --------------------------------------------------------------------------------

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int tabOrder)
{
    // A resource's values refer to the finished list, so they wait for the parent's Loaded.
    if (FComponentState.Contains(csLoading)) {
        FLoadedTabOrder = tabOrder;
        return;
    }
    UpdateTabOrder(tabOrder);
}

void TWinControl::UpdateTabOrder(int tabOrder)
{
    int current = TabOrder();
    if (current < 0)
        return;
    auto& list = Parent()->FTabList;
    tabOrder = std::clamp(tabOrder, 0, static_cast<int>(list.size()) - 1);
    if (tabOrder == current)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + tabOrder, this);
    Parent()->NotifyPeer(&TControlPeer::TabOrderChanged);
}

void TWinControl::FixupTabList()
{
    // As the platform does: each child in range takes its slot, later ones winning a tie.
    size_t count = FTabList.size();
    std::vector<TWinControl*> slots(count, nullptr);
    for (TWinControl* c : FTabList)
        if (c->FLoadedTabOrder >= 0 && static_cast<size_t>(c->FLoadedTabOrder) < count)
            slots[static_cast<size_t>(c->FLoadedTabOrder)] = c;
    for (TWinControl* c : FTabList)
        c->FLoadedTabOrder = -1;
    for (size_t i = 0; i < count; ++i)
        if (slots[i])
            slots[i]->UpdateTabOrder(static_cast<int>(i));
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    FixupTabList();
    // Read into a parent that was not itself loading: nobody else places it.
    if (FLoadedTabOrder >= 0 && Parent() && !Parent()->ComponentState().Contains(csLoading))
        UpdateTabOrder(FLoadedTabOrder);
    FLoadedTabOrder = -1;
}

void TWinControl::SetTabStop(bool tabStop)
{
    if (tabStop == FTabStop)
        return;
    FTabStop = tabStop;
    if (Parent())
        Parent()->NotifyPeer(&TControlPeer::TabOrderChanged);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const
{
    std::vector<TWinControl*> list;
    AddTabOrderList(list);
    return list;
}

void TWinControl::AddTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->AddTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list = TabOrderList();
    if (list.empty())
        return nullptr;
    int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        if (goForward)
            i = (i + 1) % count;
        else
            i = (i + count - 1) % count;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (c->FTabStop || !checkTabStop) && (c->Parent() == this || !checkParent))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

// ---- focus ------------------------------------------------------------------------------------

TWinControl* TWinControl::FocusKeeper() const
{
    const TWinControl* top = this;
    while (top->Parent())
        top = top->Parent();
    return top->KeepsFocus() ? const_cast<TWinControl*>(top) : nullptr;
}

bool TWinControl::CanFocus() const
{
    const TWinControl* form = FocusKeeper();
    if (!form)
        return false;
    for (const TWinControl* c = this; c != form; c = c->Parent())
        if (!c->FVisible || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    const TWinControl* form = FocusKeeper();
    return form && form->FocusIsOn(this);
}

void TWinControl::SetFocus()
{
    TWinControl* form = FocusKeeper();
    if (!form)
        throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
    form->MoveFocusTo(this);
}

void TWinControl::RemoveFocus()
{
    // A form keeps the control it will focus when shown again.
    if (!Parent())
        return;
    if (TWinControl* form = FocusKeeper())
        form->TakeFocusFrom(this);
}

void TWinControl::VisibleChanged()
{
    TControl::VisibleChanged();
    if (!FVisible)
        RemoveFocus();
}

void TWinControl::EnabledChanged()
{
    TControl::EnabledChanged();
    if (!Enabled())
        RemoveFocus();
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    OnKeyDown(this, key, shift);
}

// ---- peers ------------------------------------------------------------------------------------

void TWinControl::CreatePeers()
{
    TControl::CreatePeers();
    for (TControl* c : FControls)
        c->CreatePeers();
}

void TWinControl::DestroyPeers()
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        (*it)->DestroyPeers();
    TControl::DestroyPeers();
}

// ---- TGraphicControl --------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TDerived(owner) {}
TGraphicControl::~TGraphicControl() = default;

TClass TGraphicControl::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TGraphicControl, TControl>("TGraphicControl").Build();
    return &meta;
}

