// The designer interface's editors, run as the host runs them: through a designer of a form.

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "host/Designer.h"
#include "host/PropertyGrid.h"
#include "host/Registry.h"
#include "vcl50/Sysutils.h"

namespace {

class Editors : public testing::Test {
protected:
    Editors() : designer(std::make_unique<TTestRoot>(nullptr))
    {
        SetDesignRegistry(&registry);
        RegisterTestComponents();
        designer.GetRoot()->SetName("Form1");
        designer.SetOnModified([this] { ++modifiedCalls; });
        w1 = Add<TTestWidget>("Widget1");
        w2 = Add<TTestWidget>("Widget2");
        d1 = Add<TTestDerived>("Derived1");
        modifiedCalls = 0;
    }
    ~Editors() override { SetDesignRegistry(nullptr); }

    template <class T>
    T* Add(const char* name)
    {
        return static_cast<T*>(designer.AddComponent(T::StaticClass(), name));
    }

    // The inspector row `path` of `selection`; fails the test when there is none.
    TPropertyGridRow& Row(const TDesignerSelectionList& selection, std::string_view path)
    {
        inspectors.push_back(std::make_unique<TPropertyGrid>(selection, &designer));
        TPropertyGridRow* row = inspectors.back()->Find(path);
        if (!row)
            throw std::runtime_error("no row " + std::string(path));
        return *row;
    }

    static std::vector<AnsiString> Values(TPropertyGridRow& row) { return row.DropDownValues(); }

    TDesignRegistry registry;
    TDesigner designer;
    std::vector<std::unique_ptr<TPropertyGrid>> inspectors;  // rows stay valid for the whole test
    TTestWidget* w1 = nullptr;
    TTestWidget* w2 = nullptr;
    TTestDerived* d1 = nullptr;
    int modifiedCalls = 0;
};

template <class E, class F>
AnsiString MessageOf(F call)
{
    try {
        call();
    } catch (const E& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

}  // namespace

TEST_F(Editors, SetValueWritesEverySelectedComponentAndMarksModifiedOnce)
{
    TPropertyGridRow& row = Row({w1, w2, d1}, "FileName");
    EXPECT_EQ(row.Editor().ClassType(), TTestFileNameProperty::StaticClass());  // registered for the base class
    row.Editor().SetValue("out.txt");
    EXPECT_EQ(w1->FileName, "out.txt");
    EXPECT_EQ(w2->FileName, "out.txt");
    EXPECT_EQ(d1->FileName, "out.txt");
    EXPECT_EQ(modifiedCalls, 1);

    // Reads come from the first selected component; differing values show as nothing.
    w2->FileName = "other";
    EXPECT_EQ(row.Editor().GetStrValue(), "out.txt");
    EXPECT_EQ(row.DisplayValue(), "");
    TPropertyGridRow& kind = Row({w1, w2}, "Kind");
    kind.Editor().SetValue("ekFancy");
    EXPECT_EQ(w1->Kind, ekFancy);
    EXPECT_EQ(w2->Kind, ekFancy);
    EXPECT_EQ(modifiedCalls, 2);
    EXPECT_EQ(kind.DisplayValue(), "ekFancy");
}

TEST_F(Editors, AWriteThatFailsPartWayStillMarksWhatWasWritten)
{
    w2->Formats()->RefuseWrites = true;
    TPropertyGridRow& row = Row({w1, w2}, "Formats.Locked");
    EXPECT_THROW(row.Editor().SetValue("new"), EPropertyError);
    EXPECT_EQ(w1->Formats()->Locked(), "new");
    EXPECT_EQ(modifiedCalls, 1);  // the first widget changed: the form must count as changed

    w1->Formats()->RefuseWrites = true;
    EXPECT_THROW(row.Editor().SetValue("newer"), EPropertyError);
    EXPECT_EQ(modifiedCalls, 1);  // nothing written, nothing to mark
}

TEST_F(Editors, SubRowsEditTheSubObjectsAndUseItsClassRegistrations)
{
    registry.RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TTestFormats::StaticClass(), "DateFormat",
                                    TTestDerivedFileNameProperty::StaticClass());
    TPropertyGridRow& formats = Row({w1, w2}, "Formats");
    EXPECT_EQ(formats.DisplayValue(), "");  // a class row does not compare its objects
    EXPECT_EQ(Row({w1}, "Formats").DisplayValue(), "(TTestFormats)");
    TPropertyGridRow& date = Row({w1, w2}, "formats.dateformat");
    EXPECT_EQ(date.Editor().ClassType(), TTestDerivedFileNameProperty::StaticClass());
    ASSERT_EQ(date.Editor().PropCount(), 2);
    EXPECT_EQ(date.Editor().GetComponent(0), w1->Formats());
    EXPECT_EQ(date.Editor().GetComponent(1), w2->Formats());
    EXPECT_THROW(date.Editor().GetComponent(2), EListError);
    date.Editor().SetValue("yyyy");
    EXPECT_EQ(w2->Formats()->DateFormat, "yyyy");
    EXPECT_EQ(modifiedCalls, 1);
    EXPECT_EQ(Row({w1}, "Formats.TimeFormat").Editor().ClassType(), TStringProperty::StaticClass());
    EXPECT_EQ(Row({w1}, "Formats").Editor().GetAttributes(),
              (TPropertyAttributes{paMultiSelect, paSubProperties, paReadOnly}));
}

TEST_F(Editors, SeveralClassesShareOnlyPropertiesWithTheSameEditor)
{
    auto* other = Add<TTestOther>("Other1");
    auto names = [&](const TDesignerSelectionList& selection) {
        std::vector<AnsiString> result;
        TPropertyGrid inspector(selection, &designer);
        for (const auto& row : inspector.Rows())
            result.push_back(row->Name());
        return result;
    };
    // FileName has the registered editor on the widget and the plain one on the other class.
    EXPECT_EQ(names({w1, other}), (std::vector<AnsiString>{"Name", "Tag", "OnClick"}));
    EXPECT_EQ(names({other}), (std::vector<AnsiString>{"Name", "Tag", "FileName", "OnClick"}));
    EXPECT_EQ(names({d1, w1}).size(), names({w1}).size());  // the derived class's Extra is not common
}

namespace {

// A class row that makes its sub-rows itself: Formats' DateFormat, under the Name editor.
class TOwnSubRowsProperty : public TDerived<TOwnSubRowsProperty, TClassProperty> {
public:
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TOwnSubRowsProperty, TClassProperty>("TOwnSubRowsProperty").Build();
        return &meta;
    }
    void GetProperties(const TGetPropEditProc& proc) override
    {
        std::vector<TInstProp> props;
        for (int i = 0; i < PropCount(); ++i) {
            auto* formats = static_cast<TPersistent*>(GetObjValueAt(i));
            props.push_back({formats, ::GetPropInfo(formats, "DateFormat")});
        }
        proc(CreateSubEditor(TComponentNameProperty::StaticClass(), std::move(props)));
    }
};

}  // namespace

// An editor without paMultiSelect has no row for several objects, whoever made it: Name's, a
// sub-object member's, one an editor's GetProperties made.
TEST_F(Editors, RowsWhoseEditorLacksMultiSelectAreLeftOutForSeveralObjects)
{
    const TTypeInfo* string = TypeInfoOf<AnsiString>();
    registry.RegisterPropertyEditor(string, TComponent::StaticClass(), "Name", TComponentNameProperty::StaticClass());
    registry.RegisterPropertyEditor(string, TTestFormats::StaticClass(), "TimeFormat",
                                    TComponentNameProperty::StaticClass());
    registry.RegisterPropertyEditor(TypeInfoOf<TTestFormats*>(), TTestDerived::StaticClass(), "Formats",
                                    TOwnSubRowsProperty::StaticClass());
    auto* d2 = Add<TTestDerived>("Derived2");
    const struct {
        TDesignerSelectionList Selection;
        const char* Path;
        bool Shown;
    } cases[] = {
        {{w1}, "Name", true},
        {{w1, w2}, "Name", false},
        {{w1, w2}, "FileName", true},
        {{w1}, "Formats.TimeFormat", true},
        {{w1, w2}, "Formats.TimeFormat", false},
        {{w1, w2}, "Formats.DateFormat", true},
        {{d1}, "Formats.DateFormat", true},
        {{d1, d2}, "Formats.DateFormat", false},
    };
    for (const auto& c : cases) {
        TPropertyGrid inspector(c.Selection, &designer);
        EXPECT_EQ(inspector.Find(c.Path) != nullptr, c.Shown) << c.Path << " of " << c.Selection.size();
    }
}

TEST_F(Editors, EnumerationsAndBooleans)
{
    TPropertyGridRow& kind = Row({w1}, "Kind");
    EXPECT_EQ(Values(kind), (std::vector<AnsiString>{"ekFancy", "ekOther", "ekPlain"}));  // paSortList
    kind.Editor().SetValue("EKOTHER");
    EXPECT_EQ(w1->Kind, ekOther);
    EXPECT_EQ(MessageOf<EPropertyError>([&] { kind.Editor().SetValue("ekNone"); }), "Invalid property value");
    EXPECT_EQ(w1->Kind, ekOther);
    // The base Edit steps through the drop-down, wrapping at its end.
    kind.Editor().Edit();
    EXPECT_EQ(w1->Kind, ekPlain);
    kind.Editor().Edit();
    EXPECT_EQ(w1->Kind, ekFancy);

    TPropertyGridRow& active = Row({w1}, "Active");
    EXPECT_EQ(Values(active), (std::vector<AnsiString>{"False", "True"}));
    EXPECT_FALSE(active.Editor().GetAttributes().Contains(paSortList));
    active.Editor().SetValue("true");
    EXPECT_TRUE(w1->Active);
    EXPECT_EQ(active.DisplayValue(), "True");
}

TEST_F(Editors, ColoursByNameOrNumber)
{
    TPropertyGridRow& color = Row({w1}, "Color");
    EXPECT_EQ(color.DisplayValue(), "clWindow");
    color.Editor().SetValue("clRed");
    EXPECT_EQ(w1->Color, clRed);
    color.Editor().SetValue("0x00FF8080");
    EXPECT_EQ(color.DisplayValue(), "$00FF8080");
    color.Editor().SetValue("$00123456");
    EXPECT_EQ(w1->Color, static_cast<TColor>(0x123456));
    color.Editor().SetValue("255");
    EXPECT_EQ(color.DisplayValue(), "clRed");
    EXPECT_THROW(color.Editor().SetValue("clNoSuchColour"), EConvertError);
    EXPECT_EQ(w1->Color, clRed);
    std::vector<AnsiString> values = Values(color);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.front(), "clBlack");
    EXPECT_NE(std::find(values.begin(), values.end(), "clWindowText"), values.end());
    EXPECT_TRUE(color.Editor().GetAttributes().Contains(paDialog));
}

TEST_F(Editors, IntegersCharactersAndSets)
{
    TPropertyGridRow& count = Row({w1}, "Count");
    count.Editor().SetValue("0x10");
    EXPECT_EQ(w1->Count, 16);
    EXPECT_THROW(count.Editor().SetValue("many"), EConvertError);

    TPropertyGridRow& letter = Row({w1}, "Letter");
    letter.Editor().SetValue("#9");
    EXPECT_EQ(letter.DisplayValue(), "#9");
    letter.Editor().SetValue("z");
    EXPECT_EQ(w1->Letter, 'z');
    EXPECT_EQ(MessageOf<EPropertyError>([&] { letter.Editor().SetValue("#300"); }), "Value must be between 0 and 255");
    EXPECT_THROW(letter.Editor().SetValue("zz"), EPropertyError);

    // One element changes on every selected widget, each keeping its other elements.
    w1->Style = {fsBold};
    w2->Style = {fsUnderline};
    TPropertyGridRow& style = Row({w1, w2}, "Style");
    EXPECT_EQ(style.DisplayValue(), "");
    EXPECT_EQ(Row({w1}, "Style").DisplayValue(), "[fsBold]");
    TPropertyGridRow& italic = Row({w1, w2}, "Style.fsItalic");
    italic.Editor().SetValue("True");
    EXPECT_EQ(w1->Style, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(w2->Style, (TFontStyles{fsUnderline, fsItalic}));
    EXPECT_EQ(modifiedCalls, 1 + 2 + 1);  // Count 0x10, Letter #9 and z, the element
    EXPECT_THROW(italic.Editor().SetValue("maybe"), EPropertyError);
}

TEST_F(Editors, ComponentReferencesByName)
{
    auto* s1 = Add<TTestSource>("Source1");
    Add<TTestSource>("Source2");
    modifiedCalls = 0;
    TPropertyGridRow& source = Row({w1, w2}, "Source");
    EXPECT_EQ(Values(source), (std::vector<AnsiString>{"Source1", "Source2"}));  // only fitting classes
    source.Editor().SetValue("source1");
    EXPECT_EQ(w1->Source(), s1);
    EXPECT_EQ(w2->Source(), s1);
    EXPECT_EQ(source.DisplayValue(), "Source1");
    EXPECT_THROW(source.Editor().SetValue("Widget2"), EPropertyError);  // no TTestSource
    EXPECT_THROW(source.Editor().SetValue("Nobody"), EPropertyError);
    EXPECT_EQ(w1->Source(), s1);
    designer.DeleteComponent(s1);  // the reference is cleared, not left dangling
    EXPECT_EQ(w1->Source(), nullptr);
    EXPECT_EQ(Row({w1}, "Source").DisplayValue(), "");
}

TEST_F(Editors, EventsBindTheRootsFittingMethods)
{
    TPropertyGridRow& click = Row({w1, w2}, "OnClick");
    // KeyHandler has other parameters than a notify event.
    EXPECT_EQ(Values(click), (std::vector<AnsiString>{"SharedClick", "Widget1Create"}));
    click.Editor().SetValue("SharedClick");
    EXPECT_EQ(w2->OnClick.MethodName(), "SharedClick");
    EXPECT_EQ(w2->OnClick.Data(), designer.GetRoot());
    EXPECT_EQ(click.DisplayValue(), "SharedClick");
    EXPECT_THROW(click.Editor().SetValue("KeyHandler"), EPropertyError);
    EXPECT_THROW(click.Editor().SetValue("Missing"), EPropertyError);
    click.Editor().SetValue("");
    EXPECT_FALSE(static_cast<bool>(w1->OnClick));
    EXPECT_EQ(modifiedCalls, 2);
}

TEST_F(Editors, DefaultEditorEditsTheBestEvent)
{
    // OnCreate beats OnChange and OnClick; the proposed handler exists on the root and is bound.
    auto editor = CreateComponentEditor(TDefaultEditor::StaticClass(), w1, &designer);
    editor->Edit();
    EXPECT_EQ(w1->OnCreate.MethodName(), "Widget1Create");
    EXPECT_EQ(designer.LastShownMethod(), "Widget1Create");
    EXPECT_EQ(modifiedCalls, 1);

    // No handler of the proposed name: nothing is bound, the name is only noted.
    auto other = CreateComponentEditor(TDefaultEditor::StaticClass(), Add<TTestOther>("Other1"), &designer);
    modifiedCalls = 0;
    other->Edit();
    EXPECT_EQ(designer.LastShownMethod(), "Other1Click");
    EXPECT_EQ(modifiedCalls, 0);
}

namespace {

// Stops the walk at FileName and edits it, as a package's editor for one property does.
class TStopAtFileName : public TDerived<TStopAtFileName, TDefaultEditor> {
public:
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TStopAtFileName, TDefaultEditor>("TStopAtFileName").Build();
        return &meta;
    }
    void EditProperty(TPropertyEditor* editor, bool& Continue, bool&) override
    {
        offered.push_back(editor->GetName());
        if (SameText(editor->GetName(), "FileName")) {
            editor->Edit();
            Continue = false;
        }
    }
    std::vector<AnsiString> offered;
};

}  // namespace

TEST_F(Editors, TheWalkEndsWhereEditPropertySaysSo)
{
    w1->FileName = "a";
    auto editor = CreateComponentEditor(TStopAtFileName::StaticClass(), w1, &designer);
    editor->Edit();
    auto& stop = static_cast<TStopAtFileName&>(*editor);
    EXPECT_EQ(stop.offered, (std::vector<AnsiString>{"Name", "Tag", "FileName"}));
    EXPECT_EQ(w1->FileName, "a.edited");
    EXPECT_EQ(w1->OnCreate.MethodName(), "");  // the walk ended before any event was edited
}

TEST_F(Editors, ComponentEditorBaseRunsVerbZeroOnDoubleClick)
{
    auto editor = CreateComponentEditor(GetComponentEditorClass(TTestDerived::StaticClass()), d1, &designer);
    EXPECT_EQ(editor->ClassType(), TTestWidgetEditor::StaticClass());
    EXPECT_EQ(editor->GetVerbCount(), 3);
    EXPECT_EQ(editor->Component(), d1);
    EXPECT_EQ(editor->GetDesigner(), &designer);
    // TTestWidgetEditor derives from TDefaultEditor, whose Edit walks; the plain base runs verb 0.
    editor->TComponentEditor::Edit();
    EXPECT_EQ(d1->Count, 1);
}

TEST_F(Editors, FactoriesRefuseWhatTheyCannotMake)
{
    const TPropInfo* prop = GetPropInfo(w1, "FileName");
    EXPECT_THROW(CreatePropertyEditor(TDefaultEditor::StaticClass(), &designer, {{w1, prop}}), EInvalidOperation);
    EXPECT_THROW(CreatePropertyEditor(TStringProperty::StaticClass(), &designer, {}), EInvalidOperation);
    EXPECT_THROW(CreatePropertyEditor(TStringProperty::StaticClass(), &designer, {{nullptr, prop}}),
                 EInvalidOperation);
    EXPECT_THROW(CreateComponentEditor(TStringProperty::StaticClass(), w1, &designer), EInvalidOperation);
    EXPECT_THROW(CreateComponentEditor(TDefaultEditor::StaticClass(), nullptr, &designer), EInvalidOperation);
    auto editor = CreatePropertyEditor(TStringProperty::StaticClass(), &designer, {{w1, prop}});
    EXPECT_EQ(editor->GetName(), "FileName");
    EXPECT_EQ(editor->GetAttributes(), (TPropertyAttributes{paMultiSelect, paRevertable}));
}

namespace {

// A value list with a repeat, shown in the order given unless the editor asks for sorting.
class TListing : public TDerived<TListing, TStringProperty> {
public:
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TListing, TStringProperty>("TListing").Build();
        return &meta;
    }
    TPropertyAttributes GetAttributes() override { return TStringProperty::GetAttributes() + TPropertyAttributes{paValueList}; }
    void GetValues(const TGetStrProc& proc) override
    {
        for (const char* v : {"b", "a", "b", ""})
            proc(v);
    }
};

class TSortedListing : public TDerived<TSortedListing, TListing> {
public:
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TSortedListing, TListing>("TSortedListing").Build();
        return &meta;
    }
    TPropertyAttributes GetAttributes() override { return TListing::GetAttributes() + TPropertyAttributes{paSortList}; }
};

}  // namespace

TEST_F(Editors, TheDropDownKeepsTheEditorsOrderUnlessItAsksForSorting)
{
    registry.RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TTestWidget::StaticClass(), "FileName",
                                    TListing::StaticClass());
    EXPECT_EQ(Values(Row({w1}, "FileName")), (std::vector<AnsiString>{"b", "a", "b", ""}));
    registry.RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TTestWidget::StaticClass(), "FileName",
                                    TSortedListing::StaticClass());
    EXPECT_EQ(Values(Row({w1}, "FileName")), (std::vector<AnsiString>{"", "a", "b"}));
}

TEST_F(Editors, ProposedHandlerNames)
{
    auto nameFor = [&](TPersistent* object, const char* event) {
        auto editor = CreatePropertyEditor(TMethodProperty::StaticClass(), &designer,
                                           {{object, GetPropInfo(object, event)}});
        return static_cast<TMethodProperty&>(*editor).GetFormMethodName();
    };
    EXPECT_EQ(nameFor(w2, "OnChange"), "Widget2Change");
    EXPECT_EQ(nameFor(d1, "OnClick"), "Derived1Click");
}
