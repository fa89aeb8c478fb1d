#pragma once
// Forms, read from their form resources and shown modally; the application object with the
// default error report; the screen's list of forms.

#include <exception>
#include <vector>

#include "vcl50/Controls.h"
#include "vcl50/Messagebox.h"

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition : uint8_t {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter
};
// caFree hides like caHide: whoever made the form frees it.
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

template <> struct TypeInfoTraits<TFormBorderStyle> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TBorderIcon> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TBorderIcons> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TPosition> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TCloseEvent> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TCloseQueryEvent> { static const TTypeInfo* Get(); };

class TCustomForm : public TDerived<TCustomForm, TWinControl> {
public:
    // A form of a class derived from TForm reads its form resource once constructed, then runs
    // OnCreate; a missing resource raises EResNotFound.
    explicit TCustomForm(TComponent* owner);
    // A form that reads no resource, as designers and forms built in code need.
    TCustomForm(TComponent* owner, int dummy);
    ~TCustomForm() override;
    static TClass StaticClass();
    void AfterConstruction() override;

    // Width and Height include the frame of the border style; the client size stays exact when
    // the border style changes, except while the form is read, whose outer size is as stored.
    TRect ClientRect() const override;
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle borderStyle);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons borderIcons);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position);

    // The control that has (or, while the form is inactive, will get) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" for a control of
    // another form or one that cannot take the focus.
    void SetActiveControl(TWinControl* control);
    // Whether the form is the one a person is working in: the last one shown.
    bool Active() const;
    // Makes the form active; raises EInvalidOperation unless it is visible and enabled.
    void SetFocus() override;
    void FocusControl(TWinControl* control);
    void DefocusControl(TWinControl* control);

    int ModalResult() const { return FModalResult; }
    void SetModalResult(int modalResult);
    bool Modal() const { return FModal; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool keyPreview) { FKeyPreview = keyPreview; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int pixelsPerInch) { FPixelsPerInch = pixelsPerInch; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int textHeight) { FTextHeight = textHeight; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool scaled) { FScaled = scaled; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool oldCreateOrder) { FOldCreateOrder = oldCreateOrder; }

    void Show();
    void Hide();
    // Shows the form, runs the widget set's modal loop and returns the modal result. Raises
    // EInvalidOperation "Cannot make a visible window modal" for a form already shown.
    int ShowModal();
    // A modal form closes with mrCancel; another one asks OnCloseQuery and OnClose, then hides.
    void Close();
    bool CloseQuery();
    // For the modal loop, once an event has set ModalResult: asks OnCloseQuery and OnClose;
    // false, with ModalResult back at mrNone, when the form stays open.
    bool CloseModal();

    // The dialog manager, for a key that the control it came to left unhandled: Enter clicks
    // the focused button or else the default button, Escape the cancel button, Tab and
    // Shift+Tab move the focus, Alt+letter runs an accelerator. True when it took the key.
    bool HandleDialogKey(TWinControl* focused, WORD key, TShiftState shift);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // A form lists the controls it holds, then the components it owns that have no parent.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    void VisibleChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool KeepsFocus() const override { return true; }
    bool FocusIsOn(const TWinControl* control) const override
    {
        return Active() && FActiveControl == control;
    }
    void MoveFocusTo(TWinControl* control) override { FocusControl(control); }
    void TakeFocusFrom(TWinControl* control) override { DefocusControl(control); }

private:
    struct TFrame {
        int Side;
        int Caption;
    };
    static TFrame FrameOf(TFormBorderStyle borderStyle);
    void DoCreate();
    void BringToFront();
    void Activated();
    void Deactivated();
    bool Broadcast(const std::function<bool(TControl*)>& ask);
    void LeaveModal();

    bool FCreatedNew = false;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWinControl* FActiveControl = nullptr;
    int FModalResult = mrNone;
    bool FCloseApproved = false;
    bool FModal = false;
    bool FKeyPreview = false;
    int FPixelsPerInch = ::PixelsPerInch;
    int FTextHeight = 13;
    bool FScaled = true;
    bool FOldCreateOrder = false;
};

class TForm : public TDerived<TForm, TCustomForm> {
public:
    using TDerived::TDerived;
    ~TForm() override;
    static TClass StaticClass();
};

class TApplication : public TDerived<TApplication, TComponent> {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    static TClass StaticClass();

    // The host executable's file name without its folder, unless set.
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& title) { FTitle = title; }
    const AnsiString& ExeName() const { return FExeName; }

    // The default report of an exception that leaves an event handler: a message box with its
    // message. EInteractionError is no user's error and is raised again.
    void HandleException(TObject* sender, const std::exception& e);
    int MessageBox(const AnsiString& text, const AnsiString& caption, int flags = MB_OK);
    // Lets the widget set handle the input waiting now (a press on a Cancel button) from inside a
    // long event handler; the handler must expect any event of its form to run meanwhile.
    void ProcessMessages();

private:
    AnsiString FTitle;
    AnsiString FExeName;
};

class TScreen : public TDerived<TScreen, TComponent> {
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;
    static TClass StaticClass();

    // Every form made and not yet freed, in the order they were made.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return FShown.empty() ? nullptr : FShown.back(); }
    TWinControl* ActiveControl() const;

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> FForms;
    std::vector<TCustomForm*> FShown;  // visible forms, the active one last
};

extern TApplication* Application;
extern TScreen* Screen;

// The form at the top of the control's parent chain; null when that is no form.
TCustomForm* GetParentForm(const TControl* control);
// Whether `key` (a letter or digit key) is the accelerator that '&' marks in `caption`.
bool IsAccel(WORD key, std::string_view caption);
