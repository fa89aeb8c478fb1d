#pragma once
// Buttons of a kind (OK, Cancel, ...) that bring their caption, modal result and role, and
// speed buttons, which take no focus.

#include "vcl50/StdCtrls.h"

enum TBitBtnKind : uint8_t {
    bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};
template <> struct TypeInfoTraits<TBitBtnKind> { static const TTypeInfo* Get(); };

class TBitBtn : public TDerived<TBitBtn, TButton> {
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;
    static TClass StaticClass();

    // A standard kind sets the default or cancel role, the modal result and the caption; a
    // caption that a form resource gave before the kind stays.
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind kind);

    // A Close button closes its form instead of running OnClick.
    void Click() override;

private:
    TBitBtnKind FKind = bkCustom;
};

class TSpeedButton : public TDerived<TSpeedButton, TGraphicControl> {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    static TClass StaticClass();

    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);

    bool DialogChar(WORD key) override;

private:
    bool FFlat = false;
};
