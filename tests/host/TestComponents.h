#pragma once
// Components and editors of the host tests' own, registered by the tests themselves.

#include <cstdint>

#include "vcl50/Dsgnintf.h"
#include "vcl50/Forms.h"
#include "vcl50/Graphics.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/Strings.h"

enum TTestKind : uint8_t { ekPlain, ekFancy, ekOther };
template <> struct TypeInfoTraits<TTestKind> { static const TTypeInfo* Get(); };

class TTestFormats : public TDerived<TTestFormats, TPersistent> {
public:
    static TClass StaticClass();
    AnsiString DateFormat;
    AnsiString TimeFormat;
    // A setter that refuses while RefuseWrites is set, for writes that fail part way.
    const AnsiString& Locked() const { return FLocked; }
    void SetLocked(const AnsiString& value);
    bool RefuseWrites = false;

private:
    AnsiString FLocked;
};

class TTestSource : public TDerived<TTestSource, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
    AnsiString Caption;
};

class TTestWidget : public TDerived<TTestWidget, TComponent> {
public:
    explicit TTestWidget(TComponent* owner);
    ~TTestWidget() override;
    static TClass StaticClass();

    AnsiString FileName;
    TTestKind Kind = ekPlain;
    bool Active = false;
    TColor Color = clWindow;
    int Count = 0;
    char Letter = 'A';
    TFontStyles Style;
    TTestFormats* Formats() const { return FFormats.get(); }
    TStrings* Items() const { return FItems.get(); }
    TTestSource* Source() const { return FSource; }
    void SetSource(TTestSource* source);
    TNotifyEvent OnClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnCreate;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TTestFormats> FFormats;
    std::unique_ptr<TStringList> FItems;
    TTestSource* FSource = nullptr;
};

class TTestDerived : public TDerived<TTestDerived, TTestWidget> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
    AnsiString Extra;
};

class TTestOther : public TDerived<TTestOther, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
    AnsiString FileName;
    TNotifyEvent OnClick;
};

// A designed root with published handlers, as a form class has them.
class TTestRoot : public TDerived<TTestRoot, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
    void Widget1Create(TObject*) {}
    void SharedClick(TObject*) {}
    void KeyHandler(TObject*, int) {}
};

// A small modal form built in code, with what dialog blocks act on: buttons that close it, a
// colour, an open and a message button, one that raises, one that opens a nested dialog, two
// list boxes to drag between and a combo box.
class TTestDialog : public TDerived<TTestDialog, TForm> {
public:
    explicit TTestDialog(TComponent* owner);
    static TClass StaticClass();

    AnsiString Choice;
    TColor PickedColor = clWhite;
    int NestedResult = -1;

    TButton* btOk;
    TButton* btCancel;
    TButton* btColor;
    TButton* btOpen;
    TButton* btMessage;
    TButton* btRaise;
    TButton* btNested;
    TListBox* lbItems;
    TListBox* lbTarget;
    TComboBox* cbxKind;

private:
    template <class T>
    T* Make(const char* name, int top);
    void ColorClick(TObject*);
    void OpenClick(TObject*);
    void MessageClick(TObject*);
    void RaiseClick(TObject*);
    void NestedClick(TObject*);
    void KindChange(TObject*);
    void TargetDragOver(TObject*, TObject* source, int, int, TDragState, bool& accept);
    void TargetDragDrop(TObject*, TObject*, int, int);
};

// Editors: a file name editor with a dialog button, one for derived widgets, and a component
// editor whose verbs count, refuse, and open the test dialog.
class TTestFileNameProperty : public TDerived<TTestFileNameProperty, TStringProperty> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;
    void Edit() override;  // appends ".edited" to the value
};

// The source's Caption editor: its dialog button appends "!" to the caption, moves the source
// on the design surface, and then raises, as a package's editor that fails half way.
class TTestHalfWayProperty : public TDerived<TTestHalfWayProperty, TStringProperty> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};

class TTestDerivedFileNameProperty : public TDerived<TTestDerivedFileNameProperty, TTestFileNameProperty> {
public:
    static TClass StaticClass();
};

class TTestWidgetEditor : public TDerived<TTestWidgetEditor, TDefaultEditor> {
public:
    static TClass StaticClass();
    void ExecuteVerb(int index) override;
    AnsiString GetVerb(int index) override;
    int GetVerbCount() override;
};

class TTestDerivedEditor : public TDerived<TTestDerivedEditor, TTestWidgetEditor> {
public:
    static TClass StaticClass();
};

// Puts the test components on the palette page "Test" of the installed registry, with the
// editors above: the file name editor for FileName of TTestWidget, the half-way editor for
// Caption of TTestSource, the widget editor for TTestWidget.
void RegisterTestComponents();
