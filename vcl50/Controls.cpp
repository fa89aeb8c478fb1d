#include "vcl50/Controls.h"

#include <unordered_set>

#include "vcl50/Widgetset.h"

namespace {

// Every control between its constructor and its destructor: input checks it before dispatch.
std::unordered_set<const TControl*>& LiveControls()
{
    static std::unordered_set<const TControl*> live;
    return live;
}

struct NamedCursor {
    int64_t Value;
    const char* Name;
};

// crSize shares crSizeAll's value; the first name is the one written.
constexpr NamedCursor CursorNames[] = {
    {crDefault, "crDefault"}, {crNone, "crNone"}, {crArrow, "crArrow"}, {crCross, "crCross"},
    {crIBeam, "crIBeam"}, {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"}, {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"}, {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"}, {crVSplit, "crVSplit"}, {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"}, {crNo, "crNo"}, {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"}, {crSize, "crSize"},
};

}  // namespace

bool IdentToCursor(std::string_view ident, int64_t& cursor)
{
    for (const NamedCursor& c : CursorNames)
        if (SameText(c.Name, ident)) {
            cursor = c.Value;
            return true;
        }
    return false;
}

bool CursorToIdent(int64_t cursor, std::string& ident)
{
    for (const NamedCursor& c : CursorNames)
        if (c.Value == cursor) {
            ident = c.Name;
            return true;
        }
    return false;
}

const TTypeInfo* TypeInfoTraits<TAlign>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TAlign>(
        "TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TAlignment>::Get()
{
    static const TTypeInfo info =
        EnumTypeInfo<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TDragMode>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TDragMode>("TDragMode", {"dmManual", "dmAutomatic"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TCursor>::Get()
{
    static const TTypeInfo info =
        IdentIntegerTypeInfo("TCursor", otSWord, INT16_MIN, INT16_MAX, &IdentToCursor, &CursorToIdent);
    return &info;
}

const TTypeInfo* TypeInfoTraits<TKeyEvent>::Get()
{
    static const TTypeInfo info = MethodTypeInfo<TKeyEvent>("TKeyEvent");
    return &info;
}

const TTypeInfo* TypeInfoTraits<TDragOverEvent>::Get()
{
    static const TTypeInfo info = MethodTypeInfo<TDragOverEvent>("TDragOverEvent");
    return &info;
}

const TTypeInfo* TypeInfoTraits<TDragDropEvent>::Get()
{
    static const TTypeInfo info = MethodTypeInfo<TDragDropEvent>("TDragDropEvent");
    return &info;
}

// ---- TControl ---------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TDerived(owner)
{
    LiveControls().insert(this);
    FFont.SetOwner(this);
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    LiveControls().erase(this);
    FPeer.reset();
    if (FParent)
        FParent->RemoveControl(this);
}

TClass TControl::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TControl, TComponent>("TControl")
        .Property("Left", &TControl::Left, &TControl::SetLeft)
        .Property("Top", &TControl::Top, &TControl::SetTop)
        .Property("Width", &TControl::Width, &TControl::SetWidth)
        .Property("Height", &TControl::Height, &TControl::SetHeight)
        .Property("Cursor", &TControl::Cursor, &TControl::SetCursor)
        .Property("Hint", &TControl::Hint, &TControl::SetHint)
        .Unpublished("Align", &TControl::Align, &TControl::SetAlign)
        .Unpublished("Caption", &TControl::Caption, &TControl::SetCaption)
        .Unpublished("Color", &TControl::Color, &TControl::SetColor)
        .Stored(&TControl::IsColorStored)
        .Unpublished("DragMode", &TControl::DragMode, &TControl::SetDragMode)
        .Unpublished("Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .Unpublished("Font", &TControl::Font, &TControl::SetFont)
        .Stored(&TControl::IsFontStored)
        .Unpublished("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Unpublished("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Unpublished("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
        .Unpublished("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Stored(&TControl::IsShowHintStored)
        .Unpublished("Visible", &TControl::Visible, &TControl::SetVisible)
        .Unpublished("OnClick", &TControl::OnClick, &TControl::OnClick)
        .Unpublished("OnDblClick", &TControl::OnDblClick, &TControl::OnDblClick)
        .Unpublished("OnDragDrop", &TControl::OnDragDrop, &TControl::OnDragDrop)
        .Unpublished("OnDragOver", &TControl::OnDragOver, &TControl::OnDragOver)
        .Build();
    return &meta;
}

bool TControl::IsAlive(const TControl* control)
{
    return control && LiveControls().contains(control);
}

void TControl::NotifyPeer(void (TControlPeer::*notice)()) const
{
    if (FPeer)
        (FPeer.get()->*notice)();
}

bool TControl::Loading() const
{
    return FComponentState.Contains(csLoading) ||
           (Owner() && Owner()->ComponentState().Contains(csLoading));
}

// ---- geometry ---------------------------------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    NotifyPeer(&TControlPeer::BoundsChanged);
    if (FParent && FAlign != alNone)
        FParent->Realign();
    if (resized)
        Resized();
}

TRect TControl::ClientRect() const
{
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientWidth(int width)
{
    SetWidth(width + FWidth - ClientWidth());
}

void TControl::SetClientHeight(int height)
{
    SetHeight(height + FHeight - ClientHeight());
}

void TControl::SetAlign(TAlign align)
{
    if (align == FAlign)
        return;
    FAlign = align;
    if (FParent)
        FParent->Realign();
}

// ---- parent -----------------------------------------------------------------------------------

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (auto* self = dynamic_cast<TWinControl*>(this); self && parent && self->ContainsControl(parent))
        throw EInvalidOperation(Format("%s cannot be placed inside a control it contains", {Name()}));
    if (FParent) {
        DestroyPeers();
        FParent->RemoveControl(this);
    }
    if (parent) {
        parent->InsertControl(this);
        if (parent->Peer())
            CreatePeers();
    }
}

TComponent* TControl::GetParentComponent() const
{
    return FParent;
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (parent && !Is<TWinControl>(parent))
        throw EInvalidOperation(Format("A %s cannot hold the control %s", {parent->ClassName(), Name()}));
    SetParent(static_cast<TWinControl*>(parent));
}

void TControl::SetName(const AnsiString& name)
{
    // A control whose caption is still its name keeps it so, except while a resource sets both.
    bool follow = !Loading() && FCaption == Name();
    TComponent::SetName(name);
    if (follow)
        SetCaption(name);
}

// ---- state ------------------------------------------------------------------------------------

void TControl::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    VisibleChanged();
}

void TControl::VisibleChanged()
{
    NotifyPeer(&TControlPeer::VisibleChanged);
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged()
{
    NotifyPeer(&TControlPeer::EnabledChanged);
}

void TControl::SetCaption(const AnsiString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    NotifyPeer(&TControlPeer::CaptionChanged);
}

void TControl::SetHint(const AnsiString& hint)
{
    if (hint == FHint)
        return;
    FHint = hint;
    NotifyPeer(&TControlPeer::HintChanged);
}

void TControl::SetCursor(TCursor cursor)
{
    if (cursor == FCursor)
        return;
    FCursor = cursor;
    NotifyPeer(&TControlPeer::CursorChanged);
}

// ---- what children take from their parent -----------------------------------------------------

void TControl::SetColor(TColor color)
{
    FParentColor = false;
    InheritColor(color);
}

void TControl::SetParentColor(bool parentColor)
{
    if (parentColor == FParentColor)
        return;
    FParentColor = parentColor;
    if (parentColor && FParent)
        InheritColor(FParent->FColor);
}

void TControl::InheritColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    NotifyPeer(&TControlPeer::ColorChanged);
    ForEachChild([color](TControl* child) {
        if (child->FParentColor)
            child->InheritColor(color);
    });
}

void TControl::SetFont(TFont* font)
{
    FFont.Assign(font);
}

void TControl::SetParentFont(bool parentFont)
{
    if (parentFont == FParentFont)
        return;
    FParentFont = parentFont;
    if (parentFont && FParent)
        InheritFont(FParent->FFont);
}

void TControl::InheritFont(TFont& font)
{
    FInheritingFont = true;
    FFont.Assign(&font);
    FInheritingFont = false;
}

void TControl::FontChanged()
{
    if (!FInheritingFont)
        FParentFont = false;
    NotifyPeer(&TControlPeer::FontChanged);
    ForEachChild([this](TControl* child) {
        if (child->FParentFont)
            child->InheritFont(FFont);
    });
}

void TControl::SetShowHint(bool showHint)
{
    FParentShowHint = false;
    InheritShowHint(showHint);
}

void TControl::SetParentShowHint(bool parentShowHint)
{
    if (parentShowHint == FParentShowHint)
        return;
    FParentShowHint = parentShowHint;
    if (parentShowHint && FParent)
        InheritShowHint(FParent->FShowHint);
}

void TControl::InheritShowHint(bool showHint)
{
    if (showHint == FShowHint)
        return;
    FShowHint = showHint;
    NotifyPeer(&TControlPeer::HintChanged);
    ForEachChild([showHint](TControl* child) {
        if (child->FParentShowHint)
            child->InheritShowHint(showHint);
    });
}

// ---- events -----------------------------------------------------------------------------------

void TControl::Click()
{
    OnClick(this);
}

void TControl::DblClick()
{
    OnDblClick(this);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
    accept = static_cast<bool>(OnDragOver);
    OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y)
{
    OnDragDrop(this, source, x, y);
}

bool TControl::DialogKey(WORD, TShiftState, const TControl*)
{
    return false;
}

bool TControl::DialogChar(WORD)
{
    return false;
}

// ---- peers ------------------------------------------------------------------------------------

void TControl::CreatePeers()
{
    if (!FPeer)
        FPeer = WidgetSet().CreatePeer(this);
}

void TControl::DestroyPeers()
{
    FPeer.reset();
}
