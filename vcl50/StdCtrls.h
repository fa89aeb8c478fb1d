#pragma once
// Standard controls: labels, push buttons, edit boxes, list boxes, check list boxes and combo boxes.

#include <memory>

#include "vcl50/Controls.h"
#include "vcl50/Listitems.h"

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

template <> struct TypeInfoTraits<TTextLayout> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TComboBoxStyle> { static const TTypeInfo* Get(); };

class TLabel : public TDerived<TLabel, TGraphicControl> {
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;
    static TClass StaticClass();

    // Stored for the widget set; the model keeps the bounds a resource or code gives.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout layout);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // Whether '&' in the caption marks an accelerator (otherwise it shows as it is).
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool showAccelChar);
    // The control that the caption's accelerator focuses.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* focusControl);

    bool DialogChar(WORD key) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool FAutoSize = true;
    bool FTransparent = false;
    TTextLayout FLayout = tlTop;
    TAlignment FAlignment = taLeftJustify;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TButton : public TDerived<TButton, TWinControl> {
public:
    explicit TButton(TComponent* owner);
    ~TButton() override;
    static TClass StaticClass();

    // Enter clicks the default button unless another button has the focus.
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    // Escape clicks the cancel button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool cancel);
    // Given to the button's form when it is clicked, before OnClick, so a handler can still
    // keep the form open.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int modalResult) { FModalResult = modalResult; }

    void Click() override;
    bool TakesFocusOnClick() const override { return true; }
    bool DialogKey(WORD key, TShiftState shift, const TControl* focused) override;
    bool DialogChar(WORD key) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = mrNone;
};

// A line of text the person types into.
class TEdit : public TDerived<TEdit, TWinControl> {
public:
    explicit TEdit(TComponent* owner);
    ~TEdit() override;
    static TClass StaticClass();

    const AnsiString& Text() const { return FText; }
    // Runs OnChange when the text changes, from code as from typing (not while a form resource
    // sets it).
    void SetText(const AnsiString& text);

    TNotifyEvent OnChange;
    virtual void Change();
    bool TakesFocusOnClick() const override { return true; }

private:
    AnsiString FText;
};

class TCustomListBox : public TDerived<TCustomListBox, TWinControl> {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;
    static TClass StaticClass();

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* items) { FItems->Assign(items); }
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool sorted) { FItems->SetSorted(sorted); }
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool multiSelect);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int itemHeight);

    // Raise EStringListError "List index out of bounds (N)" for an index outside the entries.
    bool Selected(int index) const { return FItems->Selected(index); }
    void SetSelected(int index, bool selected);
    int SelCount() const { return FItems->SelCount(); }
    // The selected entry, or in a multi-selection list the current one; -1 for none.
    int ItemIndex() const { return FItems->ItemIndex(); }
    void SetItemIndex(int index);
    void Clear() { FItems->Clear(); }

    // A click on entry `index`: alone it selects only that entry, with ssCtrl it toggles it,
    // with ssShift it selects the range from the last plain or Ctrl click. True when the
    // selection or the current entry changed.
    bool MouseSelect(int index, TShiftState shift);
    bool TakesFocusOnClick() const override { return true; }

protected:
    TListItems* ListItems() const { return FItems.get(); }
    // Tells the peer what changed in the entries.
    virtual void ItemsChanged(TListItems::TChange change);

private:
    std::unique_ptr<TListItems> FItems;
    bool FMultiSelect = false;
    int FItemHeight = 13;
    int FAnchor = -1;
};

class TListBox : public TDerived<TListBox, TCustomListBox> {
public:
    using TDerived::TDerived;
    ~TListBox() override;
    static TClass StaticClass();
};

// A list box with a check box before each entry. A check mark travels with its entry, as the
// selection does.
class TCheckListBox : public TDerived<TCheckListBox, TCustomListBox> {
public:
    using TDerived::TDerived;
    ~TCheckListBox() override;
    static TClass StaticClass();

    // Raise EStringListError for an index outside the entries. Setting it from code never runs
    // OnClickCheck.
    bool Checked(int index) const { return ListItems()->Checked(index); }
    void SetChecked(int index, bool checked) { ListItems()->SetChecked(index, checked); }

    // A person's toggle of entry `index` (a click on its box, Space on it): then OnClickCheck.
    void ToggleCheck(int index);
    TNotifyEvent OnClickCheck;
    virtual void ClickCheck();
    // Space toggles the current entry.
    void KeyDown(WORD& key, TShiftState shift) override;

protected:
    // Entries that come and go move the marks that the peer shows by position.
    void ItemsChanged(TListItems::TChange change) override;
};

class TComboBox : public TDerived<TComboBox, TWinControl> {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;
    static TClass StaticClass();

    // csDropDownList takes no typed text: Text is always the chosen entry's.
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* items) { FItems->Assign(items); }
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool sorted) { FItems->SetSorted(sorted); }
    // Setting it from code never runs OnChange; only a person's choice does.
    int ItemIndex() const { return FItems->ItemIndex(); }
    void SetItemIndex(int index);
    const AnsiString& Text() const { return FText; }
    // In a drop-down list only an entry's text is taken, and it chooses that entry.
    void SetText(const AnsiString& text);

    TNotifyEvent OnChange;
    virtual void Change();
    bool TakesFocusOnClick() const override { return true; }

private:
    void ItemsChanged(TListItems::TChange change);
    void ShowText(const AnsiString& text);
    void ShowChosenText();

    std::unique_ptr<TListItems> FItems;
    TComboBoxStyle FStyle = csDropDown;
    AnsiString FText;  // what the edit field shows; a drop-down list's chosen entry
};
