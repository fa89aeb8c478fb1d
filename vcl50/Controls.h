#pragma once
// Controls: what every visual control holds (bounds, alignment, parent, visibility, colours, font,
// hint, cursor, drag mode, click and drag events) and windowed controls with children, tab order,
// focus and keys. The model holds all state; a widget-set peer only shows it.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "vcl50/Classes.h"
#include "vcl50/Graphics.h"

class TControlPeer;
class TWinControl;

using WORD = uint16_t;

// Virtual key codes the dialog manager acts on.
constexpr WORD VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27;

// Modal results: what ShowModal returns and buttons set.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
              mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

// Cursor shapes: the stock ones are negative, as the platform numbers them.
enum TCursor : int16_t {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
    crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
    crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
    crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
    crSizeAll = -22, crSize = -22
};
bool IdentToCursor(std::string_view ident, int64_t& cursor);
bool CursorToIdent(int64_t cursor, std::string& ident);

using TKeyEvent = TEvent<TObject*, WORD&, TShiftState>;
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;

template <> struct TypeInfoTraits<TAlign> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TAlignment> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TDragMode> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TCursor> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TKeyEvent> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TDragOverEvent> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TDragDropEvent> { static const TTypeInfo* Get(); };

class TControl : public TDerived<TControl, TComponent> {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    static TClass StaticClass();

    // Position and size in the parent's client area; a form's are on the screen.
    int Left() const { return FLeft; }
    void SetLeft(int left) { SetBounds(left, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int top) { SetBounds(FLeft, top, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }
    void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    // The area inside the control's frame, in its own coordinates.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int width);
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int height);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    TWinControl* Parent() const { return FParent; }
    // Raises EInvalidOperation for a parent that is the control itself or lies inside it.
    void SetParent(TWinControl* parent);

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);

    TColor Color() const { return FColor; }
    void SetColor(TColor color);  // also clears ParentColor
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool parentColor);
    TFont* Font() const { return &FFont; }
    void SetFont(TFont* font);  // a change also clears ParentFont
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);

    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool showHint);  // also clears ParentShowHint
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool parentShowHint);
    // A colour, font or ShowHint that follows the parent is not stored in form resources.
    bool IsColorStored() const { return !FParentColor; }
    bool IsFontStored() const { return !FParentFont; }
    bool IsShowHintStored() const { return !FParentShowHint; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode dragMode) { FDragMode = dragMode; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

    // The events as a person's input runs them (Input calls these).
    virtual void Click();
    virtual void DblClick();
    // Whether the control takes a drop from `source`: without an OnDragOver it refuses; with
    // one, acceptance starts true and the handler decides.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    // The dialog manager asks every control of a form for a key no handler took: Enter and
    // Escape (`focused` is the control the key came to) and Alt+letter accelerators.
    virtual bool DialogKey(WORD key, TShiftState shift, const TControl* focused);
    virtual bool DialogChar(WORD key);

    // The control's widget, null unless its form is shown.
    TControlPeer* Peer() const { return FPeer.get(); }
    // Tells the peer, when there is one, that something changed.
    void NotifyPeer(void (TControlPeer::*notice)()) const;
    // Whether `control` is a control that has not been freed.
    static bool IsAlive(const TControl* control);

    // A control's parent is its streaming parent; a new control's caption follows its name.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void SetName(const AnsiString& name) override;

protected:
    virtual void CreatePeers();
    virtual void DestroyPeers();
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void Resized() {}
    virtual void ForEachChild(const std::function<void(TControl*)>&) const {}

    bool FVisible = true;

private:
    friend class TWinControl;
    void FontChanged();
    void InheritColor(TColor color);
    void InheritFont(TFont& font);
    void InheritShowHint(bool showHint);
    bool Loading() const;

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FEnabled = true;
    AnsiString FCaption;
    TColor FColor = clWindow;
    bool FParentColor = true;
    mutable TFont FFont;
    bool FParentFont = true;
    bool FInheritingFont = false;
    AnsiString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TDragMode FDragMode = dmManual;
    std::unique_ptr<TControlPeer> FPeer;
};

// A control with children, a place in the tab order and the keyboard focus.
class TWinControl : public TDerived<TWinControl, TControl> {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    static TClass StaticClass();

    // Children in z-order, the bottom one first.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const;
    // Whether `control` is this control or lies inside it.
    bool ContainsControl(const TControl* control) const;

    // The position among the parent's windowed children as Tab visits them; setting it moves
    // the control and renumbers the others, a value past the end meaning the last place.
    int TabOrder() const;
    void SetTabOrder(int tabOrder);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    // Visible and enabled up to its form.
    bool CanFocus() const;
    bool Focused() const;
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
    virtual void SetFocus();
    // Whether a click gives the control the focus, as it does buttons and lists.
    virtual bool TakesFocusOnClick() const { return false; }

    // Every windowed control inside, in the order Tab visits them.
    std::vector<TWinControl*> TabOrderList() const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // Lays out the aligned children in the client area.
    void Realign();
    // Makes the widgets of this control and everything inside it.
    void HandleNeeded() { CreatePeers(); }
    bool HandleAllocated() const { return Peer() != nullptr; }

    TKeyEvent OnKeyDown;
    virtual void KeyDown(WORD& key, TShiftState shift);

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;

protected:
    // The part of the client area that aligned children share (a panel leaves its bevels out).
    virtual void AdjustClientRect(TRect&) const {}
    void CreatePeers() override;
    void DestroyPeers() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void Resized() override { Realign(); }
    void ForEachChild(const std::function<void(TControl*)>& proc) const override;
    // Focus is kept by the form at the top of the parent chain: TCustomForm answers these, and a
    // chain that ends in any other control takes no focus.
    virtual bool KeepsFocus() const { return false; }
    virtual bool FocusIsOn(const TWinControl*) const { return false; }
    virtual void MoveFocusTo(TWinControl*) {}
    virtual void TakeFocusFrom(TWinControl*) {}

private:
    friend class TControl;
    TWinControl* FocusKeeper() const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void UpdateTabOrder(int tabOrder);
    void FixupTabList();
    void AddTabOrderList(std::vector<TWinControl*>& list) const;
    void RemoveFocus();

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    int FLoadedTabOrder = -1;  // a form resource's TabOrder, applied once the parent has loaded
    bool FTabStop = false;
    bool FAligning = false;
};

// A control without a window of its own: it takes no focus.
class TGraphicControl : public TDerived<TGraphicControl, TControl> {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    static TClass StaticClass();
};
