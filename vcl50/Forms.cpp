#include "vcl50/Forms.h"

#include <cctype>

#include "vcl50/Formresources.h"
#include "vcl50/Interaction.h"
#include "vcl50/Widgetset.h"

const TTypeInfo* TypeInfoTraits<TFormBorderStyle>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TFormBorderStyle>(
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TBorderIcon>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TBorderIcon>(
        "TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TBorderIcons>::Get()
{
    static const TTypeInfo info = SetTypeInfo("TBorderIcons", TypeInfoOf<TBorderIcon>());
    return &info;
}

const TTypeInfo* TypeInfoTraits<TPosition>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TPosition>(
        "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                      "poScreenCenter", "poDesktopCenter"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TCloseEvent>::Get()
{
    static const TTypeInfo info = MethodTypeInfo<TCloseEvent>("TCloseEvent");
    return &info;
}

const TTypeInfo* TypeInfoTraits<TCloseQueryEvent>::Get()
{
    static const TTypeInfo info = MethodTypeInfo<TCloseQueryEvent>("TCloseQueryEvent");
    return &info;
}

TCustomForm* GetParentForm(const TControl* control)
{
    if (!control)
        return nullptr;
    while (control->Parent())
        control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

bool IsAccel(WORD key, std::string_view caption)
{
    // The last single '&' marks the accelerator; "&&" is a literal '&'.
    char hotkey = 0;
    for (size_t i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') {
            ++i;
            if (caption[i] != '&')
                hotkey = caption[i];
        }
    if (!hotkey || key > 0xFF)
        return false;
    return std::toupper(static_cast<unsigned char>(hotkey)) == std::toupper(static_cast<int>(key));
}

// ---- TCustomForm ------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* owner) : TDerived(owner)
{
    FVisible = false;
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    Screen->FForms.push_back(this);
}

TCustomForm::TCustomForm(TComponent* owner, int) : TCustomForm(owner)
{
    FCreatedNew = true;
}

TCustomForm::~TCustomForm()
{
    if (FVisible) {
        FVisible = false;
        bool wasActive = Active();
        std::erase(Screen->FShown, this);
        if (wasActive && Screen->ActiveForm())
            Screen->ActiveForm()->Activated();
    }
    DestroyPeers();
    FActiveControl = nullptr;
    std::erase(Screen->FForms, this);
}

TClass TCustomForm::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TCustomForm, TWinControl>("TCustomForm").Build();
    return &meta;
}

void TCustomForm::AfterConstruction()
{
    TWinControl::AfterConstruction();
    bool ownClass = ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass();
    if (ownClass && !FCreatedNew && !ComponentState().Contains(csDesigning) &&
        !InitInheritedComponent(this, TForm::StaticClass()))
        throw EResNotFound(Format("Resource %s not found", {ClassName()}));
    DoCreate();
}

void TCustomForm::DoCreate()
{
    try {
        OnCreate(this);
    } catch (const std::exception& e) {
        Application->HandleException(this, e);
    }
}

// ---- frame ------------------------------------------------------------------------------------

TCustomForm::TFrame TCustomForm::FrameOf(TFormBorderStyle borderStyle)
{
    switch (borderStyle) {
    case bsNone: return {0, 0};
    case bsSizeable: return {4, 19};
    case bsToolWindow: return {3, 16};
    case bsSizeToolWin: return {4, 16};
    default: return {3, 19};  // bsSingle, bsDialog
    }
}

TRect TCustomForm::ClientRect() const
{
    TFrame frame = FrameOf(FBorderStyle);
    return {0, 0, Width() - 2 * frame.Side, Height() - frame.Caption - 2 * frame.Side};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle borderStyle)
{
    if (borderStyle == FBorderStyle)
        return;
    int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    FBorderStyle = borderStyle;
    // A form file's Width and Height are the outer size under its own border style, as written.
    if (ComponentState().Contains(csLoading)) {
        NotifyPeer(&TControlPeer::AppearanceChanged);
        return;
    }
    TFrame frame = FrameOf(borderStyle);
    SetBounds(Left(), Top(), clientWidth + 2 * frame.Side, clientHeight + frame.Caption + 2 * frame.Side);
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TCustomForm::SetBorderIcons(TBorderIcons borderIcons)
{
    if (borderIcons == FBorderIcons)
        return;
    FBorderIcons = borderIcons;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TCustomForm::SetPosition(TPosition position)
{
    if (position == FPosition)
        return;
    FPosition = position;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

// ---- focus ------------------------------------------------------------------------------------

bool TCustomForm::Active() const
{
    return Screen->ActiveForm() == this;
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == FActiveControl)
        return;
    // While a resource loads, the control's own state is not final yet.
    bool loading = ComponentState().Contains(csLoading);
    if (control && (control == this || GetParentForm(control) != this || (!loading && !control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TWinControl* previous = FActiveControl;
    FActiveControl = control;
    if (previous)
        previous->NotifyPeer(&TControlPeer::FocusChanged);
    if (control)
        control->NotifyPeer(&TControlPeer::FocusChanged);
}

void TCustomForm::FocusControl(TWinControl* control)
{
    bool wasActive = Active();
    SetActiveControl(control);
    if (!wasActive)
        SetFocus();
}

void TCustomForm::SetFocus()
{
    if (Active())
        return;
    if (!FVisible || !Enabled())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    BringToFront();
}

void TCustomForm::BringToFront()
{
    if (Active())
        return;
    TCustomForm* previous = Screen->ActiveForm();
    std::erase(Screen->FShown, this);
    Screen->FShown.push_back(this);
    if (previous)
        previous->Deactivated();
    Activated();
}

void TCustomForm::Activated()
{
    if (!FActiveControl)
        SetActiveControl(FindNextControl(nullptr, true, true, false));
    else
        FActiveControl->NotifyPeer(&TControlPeer::FocusChanged);
}

void TCustomForm::Deactivated()
{
    if (FActiveControl)
        FActiveControl->NotifyPeer(&TControlPeer::FocusChanged);
}

void TCustomForm::DefocusControl(TWinControl* control)
{
    if (control->ContainsControl(FActiveControl))
        SetActiveControl(nullptr);
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FActiveControl)
        FActiveControl = nullptr;
    TWinControl::Notification(component, operation);
}

// ---- showing and closing ----------------------------------------------------------------------

void TCustomForm::Show()
{
    SetVisible(true);
}

void TCustomForm::Hide()
{
    SetVisible(false);
}

void TCustomForm::VisibleChanged()
{
    if (!FVisible) {
        TWinControl::VisibleChanged();
        bool wasActive = Active();
        std::erase(Screen->FShown, this);
        if (wasActive) {
            Deactivated();
            if (Screen->ActiveForm())
                Screen->ActiveForm()->Activated();
        }
        DestroyPeers();
        return;
    }
    HandleNeeded();
    TWinControl::VisibleChanged();
    try {
        OnShow(this);
    } catch (...) {
        Hide();
        throw;
    }
    BringToFront();
}

int TCustomForm::ShowModal()
{
    if (FVisible || !Enabled() || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    FModal = true;
    SetModalResult(mrNone);
    try {
        Interaction::Observer().FormShown(this);
        Show();
        WidgetSet().RunModal(this);
    } catch (...) {
        LeaveModal();
        throw;
    }
    int result = FModalResult;
    LeaveModal();
    Interaction::Observer().FormClosed(this, result);
    return result;
}

void TCustomForm::LeaveModal()
{
    FModal = false;
    Hide();
}

void TCustomForm::SetModalResult(int modalResult)
{
    FModalResult = modalResult;
    FCloseApproved = false;
    NotifyPeer(&TControlPeer::ModalResultChanged);
}

void TCustomForm::Close()
{
    if (FModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    OnClose(this, action);
    if (action != caNone)
        Hide();
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

bool TCustomForm::CloseModal()
{
    if (FModalResult == mrNone)
        return false;
    if (FCloseApproved)
        return true;
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            OnClose(this, action);
        }
        if (action == caNone)
            FModalResult = mrNone;
    } catch (const std::exception& e) {
        FModalResult = mrNone;
        Application->HandleException(this, e);
    }
    FCloseApproved = FModalResult != mrNone;
    return FCloseApproved;
}

// ---- the dialog manager -----------------------------------------------------------------------

bool TCustomForm::Broadcast(const std::function<bool(TControl*)>& ask)
{
    // Only what a person can see and use takes part.
    std::function<bool(const TWinControl*)> walk = [&](const TWinControl* parent) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (!c->Visible() || !c->Enabled())
                continue;
            if (ask(c))
                return true;
            if (auto* win = dynamic_cast<const TWinControl*>(c); win && walk(win))
                return true;
        }
        return false;
    };
    return walk(this);
}

bool TCustomForm::HandleDialogKey(TWinControl* focused, WORD key, TShiftState shift)
{
    // A form that has its result takes no further keys: Escape on a cancel button whose own
    // key handler clicked it closes once.
    if (FModal && FModalResult != mrNone)
        return false;
    if (shift.Contains(ssAlt))
        return Broadcast([key](TControl* c) { return c->DialogChar(key); });
    if (key == VK_TAB) {
        if (!(shift - TShiftState{ssShift}).Empty())
            return false;
        SelectNext(FActiveControl, !shift.Contains(ssShift), true);
        return true;
    }
    if (key == VK_RETURN || key == VK_ESCAPE)
        return Broadcast([&](TControl* c) { return c->DialogKey(key, shift, focused); });
    return false;
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    TWinControl::GetChildren(proc, root);
    if (root == this)
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent())
                proc(Components(i));
}

// ---- TForm ------------------------------------------------------------------------------------

TForm::~TForm() = default;

TClass TForm::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TForm, TCustomForm>("TForm")
        .Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl)
        .Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
        .Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle)
        .Publish({"Caption"})
        .Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
        .Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
        .Publish({"Color", "Enabled", "Font"})
        .Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview)
        .Property("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder)
        .Publish({"ParentFont"})
        .Property("Position", &TForm::Position, &TForm::SetPosition)
        .Publish({"ShowHint"})
        .Property("OnClose", &TForm::OnClose, &TForm::OnClose)
        .Property("OnCloseQuery", &TForm::OnCloseQuery, &TForm::OnCloseQuery)
        .Property("OnCreate", &TForm::OnCreate, &TForm::OnCreate)
        .Publish({"OnKeyDown"})
        .Property("OnShow", &TForm::OnShow, &TForm::OnShow)
        .Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
        .Property("Scaled", &TForm::Scaled, &TForm::SetScaled)
        .Property("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight)
        .Build();
    return &meta;
}

