#include "vcl50/StdCtrls.h"

#include "vcl50/Forms.h"
#include "vcl50/Widgetset.h"

namespace {

const bool registered = (RegisterClasses({TLabel::StaticClass(), TButton::StaticClass(),
                                          TListBox::StaticClass(), TComboBox::StaticClass()}),
                         true);

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

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
}

TLabel::~TLabel() = default;

TClass TLabel::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TLabel, TGraphicControl>("TLabel")
        .Property("Align", &TLabel::Align, &TLabel::SetAlign)
        .Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
        .Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
        .Property("Caption", &TLabel::Caption, &TLabel::SetCaption)
        .Property("Color", &TLabel::Color, &TLabel::SetColor)
        .Stored(&TControl::IsColorStored)
        .Property("DragMode", &TLabel::DragMode, &TLabel::SetDragMode)
        .Property("Enabled", &TLabel::Enabled, &TLabel::SetEnabled)
        .Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
        .Property("Font", &TLabel::Font, &TLabel::SetFont)
        .Stored(&TControl::IsFontStored)
        .Property("Layout", &TLabel::Layout, &TLabel::SetLayout)
        .Property("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor)
        .Property("ParentFont", &TLabel::ParentFont, &TLabel::SetParentFont)
        .Property("ParentShowHint", &TLabel::ParentShowHint, &TLabel::SetParentShowHint)
        .Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
        .Property("ShowHint", &TLabel::ShowHint, &TLabel::SetShowHint)
        .Stored(&TControl::IsShowHintStored)
        .Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
        .Property("Visible", &TLabel::Visible, &TLabel::SetVisible)
        .Property("OnClick", &TLabel::OnClick, &TLabel::OnClick)
        .Property("OnDblClick", &TLabel::OnDblClick, &TLabel::OnDblClick)
        .Property("OnDragDrop", &TLabel::OnDragDrop, &TLabel::OnDragDrop)
        .Property("OnDragOver", &TLabel::OnDragOver, &TLabel::OnDragOver)
        .Build();
    return &meta;
}

TClass TLabel::ClassType() const
{
    return StaticClass();
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

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TButton::~TButton() = default;

TClass TButton::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TButton, TWinControl>("TButton")
        .Property("Cancel", &TButton::Cancel, &TButton::SetCancel)
        .Property("Caption", &TButton::Caption, &TButton::SetCaption)
        .Property("Default", &TButton::Default, &TButton::SetDefault)
        .Property("DragMode", &TButton::DragMode, &TButton::SetDragMode)
        .Property("Enabled", &TButton::Enabled, &TButton::SetEnabled)
        .Property("Font", &TButton::Font, &TButton::SetFont)
        .Stored(&TControl::IsFontStored)
        .Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
        .Property("ParentFont", &TButton::ParentFont, &TButton::SetParentFont)
        .Property("ParentShowHint", &TButton::ParentShowHint, &TButton::SetParentShowHint)
        .Property("ShowHint", &TButton::ShowHint, &TButton::SetShowHint)
        .Stored(&TControl::IsShowHintStored)
        .Property("TabOrder", &TButton::TabOrder, &TButton::SetTabOrder)
        .Property("TabStop", &TButton::TabStop, &TButton::SetTabStop)
        .Property("Visible", &TButton::Visible, &TButton::SetVisible)
        .Property("OnClick", &TButton::OnClick, &TButton::OnClick)
        .Property("OnDragDrop", &TButton::OnDragDrop, &TButton::OnDragDrop)
        .Property("OnDragOver", &TButton::OnDragOver, &TButton::OnDragOver)
        .Property("OnKeyDown", &TButton::OnKeyDown, &TButton::OnKeyDown)
        .Build();
    return &meta;
}

TClass TButton::ClassType() const
{
    return StaticClass();
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

// ---- TCustomListBox ---------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TListItems>([this](TListItems::TChange c) { ItemsChanged(c); }))
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

TClass TCustomListBox::ClassType() const
{
    return StaticClass();
}

void TCustomListBox::ItemsChanged(TListItems::TChange change)
{
    switch (change) {
    case TListItems::Entries: NotifyPeer(&TControlPeer::ItemsChanged); break;
    case TListItems::Selection: NotifyPeer(&TControlPeer::SelectionChanged); break;
    case TListItems::Index: NotifyPeer(&TControlPeer::ItemIndexChanged); break;
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
        .Property("Align", &TListBox::Align, &TListBox::SetAlign)
        .Property("Color", &TListBox::Color, &TListBox::SetColor)
        .Stored(&TControl::IsColorStored)
        .Property("DragMode", &TListBox::DragMode, &TListBox::SetDragMode)
        .Property("Enabled", &TListBox::Enabled, &TListBox::SetEnabled)
        .Property("Font", &TListBox::Font, &TListBox::SetFont)
        .Stored(&TControl::IsFontStored)
        .Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight)
        .Property("Items", &TListBox::Items, &TListBox::SetItems)
        .Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect)
        .Property("ParentColor", &TListBox::ParentColor, &TListBox::SetParentColor)
        .Property("ParentFont", &TListBox::ParentFont, &TListBox::SetParentFont)
        .Property("ParentShowHint", &TListBox::ParentShowHint, &TListBox::SetParentShowHint)
        .Property("ShowHint", &TListBox::ShowHint, &TListBox::SetShowHint)
        .Stored(&TControl::IsShowHintStored)
        .Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted)
        .Property("TabOrder", &TListBox::TabOrder, &TListBox::SetTabOrder)
        .Property("TabStop", &TListBox::TabStop, &TListBox::SetTabStop)
        .Property("Visible", &TListBox::Visible, &TListBox::SetVisible)
        .Property("OnClick", &TListBox::OnClick, &TListBox::OnClick)
        .Property("OnDblClick", &TListBox::OnDblClick, &TListBox::OnDblClick)
        .Property("OnDragDrop", &TListBox::OnDragDrop, &TListBox::OnDragDrop)
        .Property("OnDragOver", &TListBox::OnDragOver, &TListBox::OnDragOver)
        .Property("OnKeyDown", &TListBox::OnKeyDown, &TListBox::OnKeyDown)
        .Build();
    return &meta;
}

TClass TListBox::ClassType() const
{
    return StaticClass();
}

// ---- TComboBox --------------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TListItems>([this](TListItems::TChange c) { ItemsChanged(c); }))
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
        .Property("Color", &TComboBox::Color, &TComboBox::SetColor)
        .Stored(&TControl::IsColorStored)
        .Property("DragMode", &TComboBox::DragMode, &TComboBox::SetDragMode)
        .Property("Enabled", &TComboBox::Enabled, &TComboBox::SetEnabled)
        .Property("Font", &TComboBox::Font, &TComboBox::SetFont)
        .Stored(&TControl::IsFontStored)
        .Property("Items", &TComboBox::Items, &TComboBox::SetItems)
        .Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
        .Property("ParentColor", &TComboBox::ParentColor, &TComboBox::SetParentColor)
        .Property("ParentFont", &TComboBox::ParentFont, &TComboBox::SetParentFont)
        .Property("ParentShowHint", &TComboBox::ParentShowHint, &TComboBox::SetParentShowHint)
        .Property("ShowHint", &TComboBox::ShowHint, &TComboBox::SetShowHint)
        .Stored(&TControl::IsShowHintStored)
        .Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted)
        .Property("TabOrder", &TComboBox::TabOrder, &TComboBox::SetTabOrder)
        .Property("TabStop", &TComboBox::TabStop, &TComboBox::SetTabStop)
        .Property("Text", &TComboBox::Text, &TComboBox::SetText)
        .Stored([](const TComboBox& c) { return c.Style() != csDropDownList; })
        .Property("Visible", &TComboBox::Visible, &TComboBox::SetVisible)
        .Property("OnChange", &TComboBox::OnChange, &TComboBox::OnChange)
        .Property("OnClick", &TComboBox::OnClick, &TComboBox::OnClick)
        .Property("OnDragDrop", &TComboBox::OnDragDrop, &TComboBox::OnDragDrop)
        .Property("OnDragOver", &TComboBox::OnDragOver, &TComboBox::OnDragOver)
        .Property("OnKeyDown", &TComboBox::OnKeyDown, &TComboBox::OnKeyDown)
        .Build();
    return &meta;
}

TClass TComboBox::ClassType() const
{
    return StaticClass();
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
