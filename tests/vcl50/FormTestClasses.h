#pragma once
// Small components that form resource tests read and write: a root with published fields and
// methods, items that take a parent, a container that lists them, a frame with a component of
// its own, and forms whose classes have resources. Every instance is counted.

#include "vcl50/Classes.h"
#include "vcl50/Graphics.h"
#include "vcl50/Strings.h"

enum TResShade : uint8_t { shLight, shMedium, shDark };
template <> struct TypeInfoTraits<TResShade> { static const TTypeInfo* Get(); };
using TResTextEvent = TEvent<TObject*, AnsiString&>;
template <> struct TypeInfoTraits<TResTextEvent> { static const TTypeInfo* Get(); };

namespace formtest {

// Components of these classes alive now.
extern int Live;

class TResItem : public TDerived<TResItem, TComponent> {
public:
    explicit TResItem(TComponent* owner);
    ~TResItem() override;
    static TClass StaticClass();

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* parent) override { FParent = parent; }
    void Loaded() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& caption);
    int Left = 0;
    TColor Color = clBtnFace;
    TResShade Shade = shLight;
    TFontStyles Styles;
    bool Visible = true;
    uint8_t Small = 0;
    char Letter = 'a';
    int Computed() const { return 7; }  // read-only
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* font) { FFont->Assign(font); }
    TStringList* Items() const { return FItems.get(); }
    TResItem* Buddy() const { return FBuddy; }
    void SetBuddy(TResItem* buddy);
    bool FailLoaded = false;  // Loaded raises, as a component refusing its state would
    TNotifyEvent OnClick;
    TResTextEvent OnGetText;

    bool LoadingWhenCaptionSet = false;
    int LoadedCalls = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* FParent = nullptr;
    AnsiString FCaption;
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TStringList> FItems = std::make_unique<TStringList>();
    TResItem* FBuddy = nullptr;
};

// Lists the items whose parent it is.
class TResPanel : public TDerived<TResPanel, TResItem> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
};

// Makes a component of its own, as a frame holds the controls of its resource, and starts
// with an entry in its list.
class TResFrame : public TDerived<TResFrame, TResPanel> {
public:
    explicit TResFrame(TComponent* owner);
    static TClass StaticClass();
    TResItem* Inner;
};

class TResRoot : public TDerived<TResRoot, TComponent> {
public:
    explicit TResRoot(TComponent* owner);
    ~TResRoot() override;
    static TClass StaticClass();

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;

    AnsiString Caption;
    int Width = 100;
    TResItem* ActiveItem() const { return FActiveItem; }
    void SetActiveItem(TResItem* item);
    TNotifyEvent OnShow;

    // Published fields.
    TResItem* Item1 = nullptr;
    TResItem* Item2 = nullptr;
    TResPanel* Panel1 = nullptr;
    TResPanel* Mismatch = nullptr;

    // Published methods.
    void ItemClick(TObject* sender);
    void GetText(TObject* sender, AnsiString& text);

    int Clicks = 0;
    TObject* LastSender = nullptr;
    int LoadedCalls = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TResItem* FActiveItem = nullptr;
};

// Forms whose classes carry resources (TRESBASEFORM, TRESDERIVEDFORM), read on construction.
class TResBaseForm : public TDerived<TResBaseForm, TResRoot> {
public:
    using TDerived::TDerived;
    // Reads no resource, as a form's CreateNew.
    TResBaseForm(TComponent* owner, int) : TDerived(owner), FReadsResource(false) {}
    static TClass StaticClass();
    void AfterConstruction() override;

private:
    bool FReadsResource = true;
};

class TResDerivedForm : public TDerived<TResDerivedForm, TResBaseForm> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
};

}  // namespace formtest
