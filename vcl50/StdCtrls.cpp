#include "vcl50/StdCtrls.h"

#include "vcl50/Forms.h"
#include "vcl50/Widgetset.h"

namespace {

const bool registered = (RegisterClasses({TLabel::StaticClass(), TButton::StaticClass(), TEdit::StaticClass(),
                                          TListBox::StaticClass(), TCheckListBox::StaticClass(),
                                          TComboBox::StaticClass()}),
                         true);

constexpr WORD VK_SPACE = 0x20;

}  // namespace

const TTypeInfo* TypeInfoTraits<TTextLayout>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TTextLayout>("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TComboBoxStyle>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TComboBoxStyle>(
        "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
    return &info;
}

// ---- TLabel -----------------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TDerived(owner)
{
    SetBounds(0, 0, 65, 17);
}

TLabel::~TLabel() = default;

TClass TLabel::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TLabel, TGraphicControl>("TLabel")
        .Publish({"Align"})
        .Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
        .Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
        .Publish({"Caption", "Color", "DragMode", "Enabled"})
        .Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
        .Publish({"Font"})
        .Property("Layout", &TLabel::Layout, &TLabel::SetLayout)
        .Publish({"ParentColor", "ParentFont", "ParentShowHint"})
        .Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
        .Publish({"ShowHint"})
        .Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
        .Publish({"Visible", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver"})
        .Build();
    return &meta;
}

void TLabel::SetAutoSize(bool autoSize)
{
    if (autoSize == FAutoSize)
        return;
    FAutoSize = autoSize;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TLabel::SetTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TLabel::SetLayout(TTextLayout layout)
{
    if (layout == FLayout)
        return;
    FLayout = layout;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TLabel::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TLabel::SetShowAccelChar(bool showAccelChar)
{
    if (showAccelChar == FShowAccelChar)
        return;
    FShowAccelChar = showAccelChar;
    NotifyPeer(&TControlPeer::CaptionChanged);
}

void TLabel::SetFocusControl(TWinControl* focusControl)
{
    if (focusControl == FFocusControl)
        return;
    FFocusControl = focusControl;
    if (focusControl)
        focusControl->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FFocusControl)
        FFocusControl = nullptr;
    TGraphicControl::Notification(component, operation);
}

bool TLabel::DialogChar(WORD key)
{
    if (!FFocusControl || !FShowAccelChar || !IsAccel(key, Caption()) || !FFocusControl->CanFocus())
        return false;
    FFocusControl->SetFocus();
    return true;
}

// ---- TButton ----------------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TDerived(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TButton::~TButton() = default;

TClass TButton::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TButton, TWinControl>("TButton")
        .Property("Cancel", &TButton::Cancel, &TButton::SetCancel)
        .Publish({"Caption"})
        .Property("Default", &TButton::Default, &TButton::SetDefault)
        .Publish({"DragMode", "Enabled", "Font"})
        .Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .Publish({"ParentFont", "ParentShowHint", "ShowHint", "TabOrder", "TabStop", "Visible",
                  "OnClick", "OnDragDrop", "OnDragOver", "OnKeyDown"})
        .Build();
    return &meta;
}

void TButton::SetDefault(bool isDefault)
{
    if (isDefault == FDefault)
        return;
    FDefault = isDefault;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TButton::SetCancel(bool cancel)
{
    if (cancel == FCancel)
        return;
    FCancel = cancel;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TWinControl::Click();
}

bool TButton::DialogKey(WORD key, TShiftState shift, const TControl* focused)
{
    if (!shift.Empty() || !CanFocus())
        return false;
    // Enter goes to the focused button, or to the default one when no button has the focus.
    bool enterTarget = Is<TButton>(focused) ? focused == this : FDefault;
    if ((key == VK_RETURN && enterTarget) || (key == VK_ESCAPE && FCancel)) {
        Click();
        return true;
    }
    return false;
}

bool TButton::DialogChar(WORD key)
{
    if (!IsAccel(key, Caption()) || !CanFocus())
        return false;
    Click();
    return true;
}

// ---- TEdit ------------------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TDerived(owner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TEdit::~TEdit() = default;

TClass TEdit::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TEdit, TWinControl>("TEdit")
        .Publish({"Color", "DragMode", "Enabled", "Font", "ParentColor", "ParentFont", "ParentShowHint",
                  "ShowHint", "TabOrder", "TabStop"})
        .Property("Text", &TEdit::Text, &TEdit::SetText)
        .Publish({"Visible"})
        .Property("OnChange", &TEdit::OnChange, &TEdit::OnChange)
        .Publish({"OnClick", "OnDragDrop", "OnDragOver", "OnKeyDown"})
        .Build();
    return &meta;
}

void TEdit::SetText(const AnsiString& text)
{
    if (text == FText)
        return;
    FText = text;
    NotifyPeer(&TControlPeer::CaptionChanged);
    // The platform's edit says every change of its text; one a form resource makes is no change.
    const bool loading = ComponentState().Contains(csLoading) || (Owner() && Owner()->ComponentState().Contains(csLoading));
    if (!loading)
        Change();
}

void TEdit::Change()
{
    OnChange(this);
}

// ---- TCustomListBox ---------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner)
    : TDerived(owner), FItems(std::make_unique<TListItems>([this](TListItems::TChange c) { ItemsChanged(c); }))
{
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

TClass TCustomListBox::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TCustomListBox, TWinControl>("TCustomListBox").Build();
    return &meta;
}

void TCustomListBox::ItemsChanged(TListItems::TChange change)
{
    switch (change) {
    case TListItems::Entries: NotifyPeer(&TControlPeer::ItemsChanged); break;
    case TListItems::Selection: NotifyPeer(&TControlPeer::SelectionChanged); break;
    case TListItems::Index: NotifyPeer(&TControlPeer::ItemIndexChanged); break;
    case TListItems::Checks: NotifyPeer(&TControlPeer::CheckedChanged); break;
    }
}

void TCustomListBox::SetMultiSelect(bool multiSelect)
{
    if (multiSelect == FMultiSelect)
        return;
    FMultiSelect = multiSelect;
    if (!multiSelect) {
        // One selection at most: the current entry, if it was among the selected ones.
        int keep = ItemIndex() >= 0 && Selected(ItemIndex()) ? ItemIndex() : -1;
        FItems->SelectOnly(keep);
        FItems->SetItemIndex(keep);
    }
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TCustomListBox::SetItemHeight(int itemHeight)
{
    if (itemHeight == FItemHeight)
        return;
    FItemHeight = itemHeight;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TCustomListBox::SetSelected(int index, bool selected)
{
    if (FMultiSelect)
        FItems->SetSelected(index, selected);
    else if (selected)
        SetItemIndex(index);
    else if (FItems->Selected(index))
        SetItemIndex(-1);
}

void TCustomListBox::SetItemIndex(int index)
{
    if (!FMultiSelect)
        FItems->SelectOnly(index);
    FItems->SetItemIndex(index);
}

bool TCustomListBox::MouseSelect(int index, TShiftState shift)
{
    std::vector<bool> before;
    for (int i = 0; i < Items()->Count(); ++i)
        before.push_back(Selected(i));
    int indexBefore = ItemIndex();

    if (!FMultiSelect) {
        SetItemIndex(index);
    } else if (shift.Contains(ssShift)) {
        int anchor = FAnchor >= 0 && FAnchor < Items()->Count() ? FAnchor : (indexBefore >= 0 ? indexBefore : index);
        if (!shift.Contains(ssCtrl))
            FItems->SelectOnly(-1);
        for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i)
            FItems->SetSelected(i, true);
        FItems->SetItemIndex(index);
    } else {
        if (shift.Contains(ssCtrl))
            FItems->SetSelected(index, !Selected(index));
        else
            FItems->SelectOnly(index);
        FAnchor = index;
        FItems->SetItemIndex(index);
    }

    if (ItemIndex() != indexBefore)
        return true;
    for (int i = 0; i < Items()->Count(); ++i)
        if (Selected(i) != before[static_cast<size_t>(i)])
            return true;
    return false;
}

// ---- TListBox ---------------------------------------------------------------------------------

TListBox::~TListBox() = default;

TClass TListBox::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TListBox, TCustomListBox>("TListBox")
        .Publish({"Align", "Color", "DragMode", "Enabled", "Font"})
        .Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight)
        .Property("Items", &TListBox::Items, &TListBox::SetItems)
        .Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect)
        .Publish({"ParentColor", "ParentFont", "ParentShowHint", "ShowHint"})
        .Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted)
        .Publish({"TabOrder", "TabStop", "Visible", "OnClick", "OnDblClick", "OnDragDrop",
                  "OnDragOver", "OnKeyDown"})
        .Build();
    return &meta;
}

// ---- TCheckListBox ----------------------------------------------------------------------------

TCheckListBox::~TCheckListBox() = default;

TClass TCheckListBox::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TCheckListBox, TCustomListBox>("TCheckListBox")
        .Publish({"Align", "Color", "DragMode", "Enabled", "Font"})
        .Property("ItemHeight", &TCheckListBox::ItemHeight, &TCheckListBox::SetItemHeight)
        .Property("Items", &TCheckListBox::Items, &TCheckListBox::SetItems)
        .Publish({"ParentColor", "ParentFont", "ParentShowHint", "ShowHint"})
        .Property("Sorted", &TCheckListBox::Sorted, &TCheckListBox::SetSorted)
        .Publish({"TabOrder", "TabStop", "Visible", "OnClick"})
        .Property("OnClickCheck", &TCheckListBox::OnClickCheck, &TCheckListBox::OnClickCheck)
        .Publish({"OnDblClick", "OnDragDrop", "OnDragOver", "OnKeyDown"})
        .Build();
    return &meta;
}

void TCheckListBox::ItemsChanged(TListItems::TChange change)
{
    TCustomListBox::ItemsChanged(change);
    if (change == TListItems::Entries)
        NotifyPeer(&TControlPeer::CheckedChanged);
}

void TCheckListBox::ToggleCheck(int index)
{
    SetChecked(index, !Checked(index));
    ClickCheck();
}

void TCheckListBox::ClickCheck()
{
    OnClickCheck(this);
}

void TCheckListBox::KeyDown(WORD& key, TShiftState shift)
{
    TCustomListBox::KeyDown(key, shift);
    if (key == VK_SPACE && shift.Empty() && ItemIndex() >= 0) {
        ToggleCheck(ItemIndex());
        key = 0;
    }
}

// ---- TComboBox --------------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner)
    : TDerived(owner), FItems(std::make_unique<TListItems>([this](TListItems::TChange c) { ItemsChanged(c); }))
{
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

TComboBox::~TComboBox() = default;

TClass TComboBox::StaticClass()
{
    // Items come before ItemIndex and Text, which refer to them.
    static const TMetaClass meta = TClassBuilder<TComboBox, TWinControl>("TComboBox")
        .Property("Style", &TComboBox::Style, &TComboBox::SetStyle)
        .Publish({"Color", "DragMode", "Enabled", "Font"})
        .Property("Items", &TComboBox::Items, &TComboBox::SetItems)
        .Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
        .Publish({"ParentColor", "ParentFont", "ParentShowHint", "ShowHint"})
        .Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted)
        .Publish({"TabOrder", "TabStop"})
        .Property("Text", &TComboBox::Text, &TComboBox::SetText)
        .Stored([](const TComboBox& c) { return c.Style() != csDropDownList; })
        .Publish({"Visible"})
        .Property("OnChange", &TComboBox::OnChange, &TComboBox::OnChange)
        .Publish({"OnClick", "OnDragDrop", "OnDragOver", "OnKeyDown"})
        .Build();
    return &meta;
}

void TComboBox::ItemsChanged(TListItems::TChange change)
{
    if (change == TListItems::Entries)
        NotifyPeer(&TControlPeer::ItemsChanged);
    else if (change == TListItems::Index)
        NotifyPeer(&TControlPeer::ItemIndexChanged);
    if (FStyle == csDropDownList)
        ShowChosenText();
}

void TComboBox::ShowText(const AnsiString& text)
{
    if (text == FText)
        return;
    FText = text;
    NotifyPeer(&TControlPeer::CaptionChanged);
}

void TComboBox::ShowChosenText()
{
    int index = ItemIndex();
    ShowText(index >= 0 ? FItems->Get(index) : AnsiString());
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    if (style == csDropDownList)
        ShowChosenText();
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TComboBox::SetItemIndex(int index)
{
    FItems->SetItemIndex(index);
    if (FStyle != csDropDownList)
        ShowChosenText();
}

void TComboBox::SetText(const AnsiString& text)
{
    if (FStyle == csDropDownList) {
        if (int index = FItems->IndexOf(text); index >= 0)
            SetItemIndex(index);
        return;
    }
    ShowText(text);
    int index = ItemIndex();
    if (index >= 0 && FItems->Get(index) != text)
        FItems->SetItemIndex(-1);
}

void TComboBox::Change()
{
    OnChange(this);
}
