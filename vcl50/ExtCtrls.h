#pragma once
// Panels with bevels, and bevels: the containers and lines that lay a dialog out.

#include "vcl50/Controls.h"

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : uint8_t { bsLowered, bsRaised };

template <> struct TypeInfoTraits<TBevelCut> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TBevelShape> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TBevelStyle> { static const TTypeInfo* Get(); };

class TPanel : public TDerived<TPanel, TWinControl> {
public:
    explicit TPanel(TComponent* owner);
    ~TPanel() override;
    static TClass StaticClass();

    // Outer bevel, then BorderWidth pixels of the panel's colour, then the inner bevel; aligned
    // children share what lies inside.
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int width);
    // Of the caption.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);

protected:
    void AdjustClientRect(TRect& rect) const override;

private:
    void FrameChanged();

    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = taCenter;
};

class TBevel : public TDerived<TBevel, TGraphicControl> {
public:
    explicit TBevel(TComponent* owner);
    ~TBevel() override;
    static TClass StaticClass();

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle style);

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
