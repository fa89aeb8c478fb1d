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

TPanel::TPanel(TComponent* owner) : TDerived(owner)
{
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

TPanel::~TPanel() = default;

TClass TPanel::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TPanel, TWinControl>("TPanel")
        .Publish({"Align"})
        .Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment)
        .Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner)
        .Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter)
        .Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
        .Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
        .Publish({"Caption", "Color", "DragMode", "Enabled", "Font", "ParentColor", "ParentFont",
                  "ParentShowHint", "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick",
                  "OnDblClick", "OnDragDrop", "OnDragOver"})
        .Build();
    return &meta;
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

TBevel::TBevel(TComponent* owner) : TDerived(owner)
{
    SetBounds(0, 0, 50, 50);
}

TBevel::~TBevel() = default;

TClass TBevel::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TBevel, TGraphicControl>("TBevel")
        .Publish({"Align", "ParentShowHint"})
        .Property("Shape", &TBevel::Shape, &TBevel::SetShape)
        .Publish({"ShowHint"})
        .Property("Style", &TBevel::Style, &TBevel::SetStyle)
        .Publish({"Visible"})
        .Build();
    return &meta;
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
