#include "vcl50/Buttons.h"

#include "vcl50/Forms.h"
#include "vcl50/Widgetset.h"

namespace {

const bool registered = (RegisterClasses({TBitBtn::StaticClass(), TSpeedButton::StaticClass()}), true);

struct TKindTraits {
    const char* Caption;
    int ModalResult;
};

constexpr TKindTraits KindTraits[] = {
    {"", mrNone},          {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},       {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry},   {"&Ignore", mrIgnore}, {"&All", mrAll},
};

}  // namespace

const TTypeInfo* TypeInfoTraits<TBitBtnKind>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TBitBtnKind>(
        "TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                        "bkRetry", "bkIgnore", "bkAll"});
    return &info;
}

// ---- TBitBtn ----------------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* owner) : TDerived(owner) {}

TBitBtn::~TBitBtn() = default;

TClass TBitBtn::StaticClass()
{
    // What a standard kind brings is not stored; a resource that gives it anyway still reads.
    auto custom = [](const TBitBtn& b) { return b.Kind() == bkCustom; };
    static const TMetaClass meta = TClassBuilder<TBitBtn, TButton>("TBitBtn")
        .Property("Cancel", &TBitBtn::Cancel, &TBitBtn::SetCancel)
        .Stored(custom)
        .Publish({"Caption"})
        .Stored([](const TBitBtn& b) { return b.Kind() == bkCustom || b.Caption() != KindTraits[b.Kind()].Caption; })
        .Property("Default", &TBitBtn::Default, &TBitBtn::SetDefault)
        .Stored(custom)
        .Property("ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetModalResult)
        .Stored(custom)
        .Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind)
        .Build();
    return &meta;
}

void TBitBtn::SetKind(TBitBtnKind kind)
{
    if (kind == FKind)
        return;
    if (kind != bkCustom) {
        const TKindTraits& traits = KindTraits[kind];
        SetDefault(kind == bkOK || kind == bkYes);
        SetCancel(kind == bkCancel || kind == bkNo);
        if (!ComponentState().Contains(csLoading) || Caption().empty())
            SetCaption(traits.Caption);
        SetModalResult(traits.ModalResult);
    }
    FKind = kind;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

void TBitBtn::Click()
{
    TCustomForm* form = GetParentForm(this);
    if (FKind == bkClose && form)
        form->Close();
    else
        TButton::Click();
}

// ---- TSpeedButton -----------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* owner) : TDerived(owner)
{
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

TClass TSpeedButton::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TSpeedButton, TGraphicControl>("TSpeedButton")
        .Publish({"Align", "Caption", "Enabled"})
        .Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
        .Publish({"Font", "ParentFont", "ParentShowHint", "ShowHint", "Visible", "OnClick",
                  "OnDblClick"})
        .Build();
    return &meta;
}

void TSpeedButton::SetFlat(bool flat)
{
    if (flat == FFlat)
        return;
    FFlat = flat;
    NotifyPeer(&TControlPeer::AppearanceChanged);
}

bool TSpeedButton::DialogChar(WORD key)
{
    if (!IsAccel(key, Caption()))
        return false;
    Click();
    return true;
}
