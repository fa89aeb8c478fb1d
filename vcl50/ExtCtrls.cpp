#include "vcl50/ExtCtrls.h"

#include "vcl50/Widgetset.h"

namespace {

const bool registered = (RegisterClasses({TPanel::StaticClass(), TBevel::StaticClass()}), true);

}  // namespace

const TTypeInfo* TypeInfoTraits<TBevelCut>::Get()
{
    static const TTypeInfo info =
        EnumTypeInfo<TBevelCut>("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TBevelShape>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TBevelShape>(
        "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TBevelStyle>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TBevelStyle>("TBevelStyle", {"bsLowered", "bsRaised"});
    return &info;
}

// ---- TPanel -----------------------------------------------------------------------------------

TPanel::TPanel(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

TPanel::~TPanel() = default;

TClass TPanel::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TPanel, TWinControl>("TPanel")
        .Property("Align", &TPanel::Align, &TPanel::SetAlign)
        .Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment)
        .Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner)
        .Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter)
        .Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
        .Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
        .Property("Caption", &TPanel::Caption, &TPanel::SetCaption)
        .Property("Color", &TPanel::Color, &TPanel::SetColor)
        .Stored(&TControl::IsColorStored)
        .Property("DragMode", &TPanel::DragMode, &TPanel::SetDragMode)
        .Property("Enabled", &TPanel::Enabled, &TPanel::SetEnabled)
        .Property("Font", &TPanel::Font, &TPanel::SetFont)
        .Stored(&TControl::IsFontStored)
        .Property("ParentColor", &TPanel::ParentColor, &TPanel::SetParentColor)
        .Property("ParentFont", &TPanel::ParentFont, &TPanel::SetParentFont)
        .Property("ParentShowHint", &TPanel::ParentShowHint, &TPanel::SetParentShowHint)
        .Property("ShowHint", &TPanel::ShowHint, &TPanel::SetShowHint)
        .Stored(&TControl::IsShowHintStored)
        .Property("TabOrder", &TPanel::TabOrder, &TPanel::SetTabOrder)
        .Property("TabStop", &TPanel::TabStop, &TPanel::SetTabStop)
        .Property("Visible", &TPanel::Visible, &TPanel::SetVisible)
        .Property("OnClick", &TPanel::OnClick, &TPanel::OnClick)
        .Property("OnDblClick", &TPanel::OnDblClick, &TPanel::OnDblClick)
        .Property("OnDragDrop", &TPanel::OnDragDrop, &TPanel::OnDragDrop)
        .Property("OnDragOver", &TPanel::OnDragOver, &TPanel::OnDragOver)
        .Build();
    return &meta;
}

TClass TPanel::ClassType() const
{
    return StaticClass();
}

void TPanel::AdjustClientRect(TRect& rect) const
{
    int inset = FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
    rect = {rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
}

void TPanel::FrameChanged()
{
    NotifyPeer(&TControlPeer::AppearanceChanged);
    Realign();
}

void TPanel::SetBevelOuter(TBevelCut bevel)
{
    if (bevel == FBevelOuter)
        return;
    FBevelOuter = bevel;
    FrameChanged();
}

void TPanel::SetBevelInner(TBevelCut bevel)
{
    if (bevel == FBevelInner)
        return;
    FBevelInner = bevel;
    FrameChanged();
}

void TPanel::SetBevelWidth(int width)
{
    if (width < 1)
        throw EInvalidOperation(Format("Invalid bevel width %d", {width}));
    if (width == FBevelWidth)
        return;
    FBevelWidth = width;
    FrameChanged();
}

void TPanel::SetBorderWidth(int width)
{
    if (width < 0)
        throw EInvalidOperation(Format("Invalid border width %d", {width}));
    if (width == FBorderWidth)
        return;
    FBorderWidth = width;
    FrameChanged();
}

void TPanel::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

// ---- TBevel -----------------------------------------------------------------------------------

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 50, 50);
}

TBevel::~TBevel() = default;

TClass TBevel::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TBevel, TGraphicControl>("TBevel")
        .Property("Align", &TBevel::Align, &TBevel::SetAlign)
        .Property("ParentShowHint", &TBevel::ParentShowHint, &TBevel::SetParentShowHint)
        .Property("Shape", &TBevel::Shape, &TBevel::SetShape)
        .Property("ShowHint", &TBevel::ShowHint, &TBevel::SetShowHint)
        .Stored(&TControl::IsShowHintStored)
        .Property("Style", &TBevel::Style, &TBevel::SetStyle)
        .Property("Visible", &TBevel::Visible, &TBevel::SetVisible)
        .Build();
    return &meta;
}

TClass TBevel::ClassType() const
{
    return StaticClass();
}

void TBevel::SetShape(TBevelShape shape)
{
    if (shape == FShape)
        return;
    FShape = shape;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TBevel::SetStyle(TBevelStyle style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}
