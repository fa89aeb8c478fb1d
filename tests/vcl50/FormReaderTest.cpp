#include <gtest/gtest.h>

#include "FormTestClasses.h"
#include "vcl50/Formreader.h"
#include "vcl50/Formresources.h"
#include "vcl50/Strings.h"

using namespace formtest;

namespace {

const char* const ItemForm =
    "object fmRoot: TResRoot\n"                      // 1
    "  Caption = 'Main'\n"                           // 2
    "  ActiveItem = Item2\n"                         // 3
    "  object Panel1: TResPanel\n"                   // 4
    "    object Item1: TResItem\n"                   // 5
    "      Caption = 'First'\n"                      // 6
    "      Left = -5\n"                              // 7
    "      Color = clRed\n"                          // 8
    "      Shade = shDark\n"                         // 9
    "      Styles = [fsBold, fsUnderline]\n"         // 10
    "      Visible = False\n"                        // 11
    "      Small = $FF\n"                            // 12
    "      Letter = 'z'\n"                           // 13
    "      Font.Name = 'Arial'\n"                    // 14
    "      Font.Style = [fsItalic]\n"                // 15
    "      Font.Charset = RUSSIAN_CHARSET\n"         // 16
    "      Font.Color = $00FF8080\n"                 // 17
    "      Items.Strings = (\n"                      // 18
    "        'one'\n"                                // 19
    "        'two')\n"                               // 20
    "      Buddy = Item2\n"                          // 21
    "      OnClick = ItemClick\n"                    // 22
    "      OnGetText = GetText\n"                    // 23
    "    end\n"                                      // 24
    "  end\n"                                        // 25
    "  object Item2: TResItem\n"                     // 26
    "    Color = -2147483643\n"                      // 27
    "    Font.Charset = 2\n"                         // 28
    "  end\n"                                        // 29
    "end\n";

class FormReader : public ::testing::Test {
protected:
    void SetUp() override { baseline = Live; }

    // Reads `text`, which must fail; returns the message (prefixed with the class unless it is
    // a read error) after checking that the failed read left nothing behind.
    AnsiString FailedRead(std::string_view text)
    {
        AnsiString message = "no error";
        try {
            ReadComponentResourceText(root.get(), text);
        } catch (const EReadError& e) {
            message = e.Message();
        } catch (const Exception& e) {
            message = AnsiString(e.ClassName()) + ": " + e.Message();
        }
        ExpectNothingLeft(message);
        return message;
    }

    void ExpectNothingLeft(const AnsiString& context)
    {
        EXPECT_EQ(Live, baseline) << context;
        EXPECT_EQ(root->ComponentCount(), 0) << context;
        EXPECT_EQ(root->Item1, nullptr) << context;
        EXPECT_EQ(root->Panel1, nullptr) << context;
        EXPECT_EQ(root->ActiveItem(), nullptr) << context;
        EXPECT_FALSE(root->ComponentState().Contains(csLoading)) << context;
    }

    std::unique_ptr<TResRoot> root = std::make_unique<TResRoot>(nullptr);
    int baseline = 0;
};

TEST_F(FormReader, BuildsComponentsSetsPropertiesAndFillsFields)
{
    ReadComponentResourceText(root.get(), ItemForm);

    EXPECT_EQ(root->Name(), "fmRoot");
    EXPECT_EQ(root->Caption, "Main");
    ASSERT_EQ(root->ComponentCount(), 3);
    TResItem* item = root->Item1;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item, root->FindComponent("Item1"));
    EXPECT_EQ(item->Owner(), root.get());
    EXPECT_EQ(item->GetParentComponent(), root->Panel1);
    EXPECT_EQ(root->Panel1->GetParentComponent(), root.get());
    EXPECT_EQ(root->Item2->GetParentComponent(), root.get());

    EXPECT_EQ(item->Caption(), "First");
    EXPECT_EQ(item->Left, -5);
    EXPECT_EQ(item->Color, clRed);
    EXPECT_EQ(item->Shade, shDark);
    EXPECT_EQ(item->Styles, (TFontStyles{fsBold, fsUnderline}));
    EXPECT_FALSE(item->Visible);
    EXPECT_EQ(item->Small, 255);
    EXPECT_EQ(item->Letter, 'z');
    EXPECT_EQ(item->Font()->Name(), "Arial");
    EXPECT_EQ(item->Font()->Style(), TFontStyles{fsItalic});
    EXPECT_EQ(item->Font()->Charset(), RUSSIAN_CHARSET);
    EXPECT_EQ(item->Font()->Color(), static_cast<TColor>(0x00FF8080));
    EXPECT_EQ(item->Items()->CommaText(), "one,two");
    EXPECT_EQ(root->Item2->Color, clWindow);
    EXPECT_EQ(root->Item2->Font()->Charset(), SYMBOL_CHARSET);

    // Properties are set while loading; Loaded runs once per component afterwards.
    EXPECT_TRUE(item->LoadingWhenCaptionSet);
    EXPECT_EQ(item->LoadedCalls, 1);
    EXPECT_EQ(root->LoadedCalls, 1);
    EXPECT_FALSE(item->ComponentState().Contains(csLoading));
    EXPECT_FALSE(root->ComponentState().Contains(csLoading));
}

TEST_F(FormReader, ReferencesResolveOnceTheWholeTreeExists)
{
    ReadComponentResourceText(root.get(), ItemForm);
    // Both name Item2, which the resource declares after them.
    EXPECT_EQ(root->ActiveItem(), root->Item2);
    EXPECT_EQ(root->Item1->Buddy(), root->Item2);

    // The root's own name and owner paths resolve too; nil clears.
    auto other = std::make_unique<TResRoot>(nullptr);
    ReadComponentResourceText(other.get(),
                              "object fmOther: TResRoot\n"
                              "  object Item1: TResItem\n"
                              "    Buddy = fmOther.Item2\n"
                              "  end\n"
                              "  object Item2: TResItem\n"
                              "    Buddy = Item1\n"
                              "    Buddy = nil\n"
                              "  end\n"
                              "end\n");
    EXPECT_EQ(other->Item1->Buddy(), other->Item2);
    EXPECT_EQ(other->Item2->Buddy(), nullptr);
}

TEST_F(FormReader, EventsReachTheRootsMethodsWhenFired)
{
    ReadComponentResourceText(root.get(), ItemForm);
    TResItem* item = root->Item1;
    item->OnClick(item);
    EXPECT_EQ(root->Clicks, 1);
    EXPECT_EQ(root->LastSender, item);
    EXPECT_EQ(item->OnClick.MethodName(), "ItemClick");
    AnsiString got;
    item->OnGetText(item, got);
    EXPECT_EQ(got, "from root");
}

TEST_F(FormReader, InheritedAndInlineNodesChangeExistingComponents)
{
    // A second resource builds on the first, as an inherited form's does.
    const char* derived =
        "inherited fmRoot2: TResRoot\n"
        "  Caption = 'Derived'\n"
        "  inherited Panel1: TResPanel\n"
        "    Left = 9\n"
        "    object Item2: TResItem\n"
        "    end\n"
        "  end\n"
        "  inline Frame1: TResFrame\n"
        "    inherited Inner: TResItem\n"
        "      Caption = 'framed'\n"
        "      OnClick = ItemClick\n"
        "    end\n"
        "  end\n"
        "end\n";
    ReadFormResources(root.get(), {"object fmRoot: TResRoot\n  object Panel1: TResPanel\n  end\nend\n",
                                   derived});
    EXPECT_EQ(root->Name(), "fmRoot2");
    EXPECT_EQ(root->Caption, "Derived");
    EXPECT_EQ(root->Panel1->Left, 9);
    EXPECT_EQ(root->Item2->GetParentComponent(), root->Panel1);
    auto* frame = static_cast<TResFrame*>(root->FindComponent("Frame1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Inner->Caption(), "framed");
    frame->Inner->OnClick(frame->Inner);
    EXPECT_EQ(root->Clicks, 1);
    // Loaded once for each, though Panel1 was read twice.
    EXPECT_EQ(root->Panel1->LoadedCalls, 1);
    EXPECT_EQ(root->LoadedCalls, 1);
    EXPECT_EQ(frame->Inner->LoadedCalls, 1);
}

TEST_F(FormReader, SecondRootOfOneOwnerGetsAUniqueName)
{
    TResRoot owner(nullptr);
    auto* a = new TResRoot(&owner);
    auto* b = new TResRoot(&owner);
    ReadComponentResourceText(a, "object fmRoot: TResRoot\nend\n");
    ReadComponentResourceText(b, "object fmRoot: TResRoot\nend\n");
    EXPECT_EQ(a->Name(), "fmRoot");
    EXPECT_EQ(b->Name(), "fmRoot_1");
}

TEST_F(FormReader, FaultsFoundBeforeBuildingNameComponentPropertyAndLine)
{
    struct Case {
        const char* Body;  // inside the root object, from line 2
        const char* Message;
    };
    const Case cases[] = {
        {"  object Item1: TResNoSuch\n  end\n", "Error reading Item1: Class TResNoSuch not found (line 2)"},
        {"  object Item1: TResItem\n    Colour = clRed\n  end\n",
         "Error reading Item1.Colour: property Colour does not exist (line 3)"},
        {"  object Item1: TResItem\n    Color = clNoSuch\n  end\n",
         "Error reading Item1.Color: invalid property value 'clNoSuch' (line 3)"},
        {"  object Item1: TResItem\n    Shade = shPurple\n  end\n",
         "Error reading Item1.Shade: invalid property value 'shPurple' (line 3)"},
        {"  object Item1: TResItem\n    Shade = 1\n  end\n",
         "Item1.Shade: invalid property value: identifier expected but integer found (line 3)"},
        {"  object Item1: TResItem\n    Left = 'ten'\n  end\n",
         "Item1.Left: invalid property value: integer expected but string found"},
        {"  object Item1: TResItem\n    Caption = 12\n  end\n", "string expected but integer found"},
        {"  object Item1: TResItem\n    Left = 1.5\n  end\n", "floating-point number found"},
        {"  object Item1: TResItem\n    Styles = [fsBold, fsHuge]\n  end\n", "invalid set element 'fsHuge'"},
        {"  object Item1: TResItem\n    Small = 256\n  end\n", "value 256 out of range for Byte (0..255)"},
        {"  object Item1: TResItem\n    Small = -1\n  end\n", "value -1 out of range for Byte"},
        {"  object Item1: TResItem\n    Left = 2147483648\n  end\n", "out of range for Integer"},
        {"  object Item1: TResItem\n    Small = $FFFFFFFF\n  end\n", "value -1 out of range for Byte"},
        {"  object Item1: TResItem\n    Computed = 3\n  end\n", "Item1.Computed: property Computed is read-only"},
        {"  object Item1: TResItem\n    Caption.Text = 'x'\n  end\n", "property Caption holds no object"},
        {"  object Item1: TResItem\n    OnClick = NoSuchClick\n  end\n",
         "Error reading Item1.OnClick: method NoSuchClick not found in TResRoot (line 3)"},
        {"  object Item1: TResItem\n    OnClick = GetText\n  end\n",
         "Item1.OnClick: method GetText does not fit TNotifyEvent"},
        {"  object Item1: TResItem\n    OnClick = 'ItemClick'\n  end\n", "method name expected but string found"},
        {"  object Item1: TResItem\n    Font = Item1\n  end\n", "TFont is no component class"},
        {"  object Mismatch: TResItem\n  end\n",
         "Error reading Mismatch: field Mismatch of TResRoot is a TResPanel, the resource makes a TResItem"},
        {"  object Item1: TResItem\n  end\n  object ITEM1: TResPanel\n  end\n",
         "Error reading ITEM1: a component named ITEM1 already exists (line 4)"},
        {"  object Item1: TResItem\n  end\n  object Item9: TStringList\n  end\n",
         "class TStringList is no component class"},
        {"  inherited Item1: TResItem\n  end\n", "Item1: ancestor component Item1 not found (line 2)"},
        {"  Width = True\n", "Error reading fmRoot.Width: invalid property value 'True'"},
    };
    RegisterClass(TStringList::StaticClass());
    for (const Case& c : cases) {
        AnsiString text = AnsiString("object fmRoot: TResRoot\n") + c.Body + "end\n";
        AnsiString message = FailedRead(text);
        EXPECT_NE(message.find(c.Message), AnsiString::npos) << message;
    }
    UnregisterClass(TStringList::StaticClass());
}

TEST_F(FormReader, FaultsFoundWhileBuildingFreeEverythingBuilt)
{
    // Each fails after components exist: a defined property of the wrong kind, a setter that
    // refuses, a reference that names nothing, a Loaded that raises (a read error of its component).
    struct Case {
        const char* Tail;  // after two items and a panel have been made
        const char* Message;
    };
    const Case cases[] = {
        {"    Items.Strings = 'one'\n", "Error reading Item9.Items.Strings: list expected but string found (line 9)"},
        {"    Items.Strings = ('one' 2)\n", "string expected but integer found (line 9)"},
        {"    Items.Lines = ('one')\n", "Item9.Items.Lines: property Lines does not exist"},
        {"    Name = '1abc'\n", "Error reading Item9.Name: '1abc' is not a valid component name (line 9)"},
        {"    Buddy = Item7\n", "Error reading Item9.Buddy: component Item7 not found (line 9)"},
        {"    Buddy = Panel1.Item1\n", "component Panel1.Item1 not found"},
        {"    Buddy = fmRoot\n", "Item9.Buddy: invalid property value 'fmRoot': a TResRoot is no TResItem"},
        {"    FailLoaded = True\n", "Error reading Item9: Item Item9 refuses to load (line 8)"},
    };
    for (const Case& c : cases) {
        AnsiString text = AnsiString("object fmRoot: TResRoot\n"      // 1
                                     "  ActiveItem = Item1\n"          // 2
                                     "  object Panel1: TResPanel\n"    // 3
                                     "    object Item1: TResItem\n"    // 4
                                     "      Buddy = Item2\n"           // 5
                                     "    end\n"                       // 6
                                     "  end\n"                         // 7
                                     "  object Item9: TResItem\n") +   // 8
                          c.Tail + "  end\n  object Item2: TResItem\n  end\nend\n";
        AnsiString message = FailedRead(text);
        EXPECT_NE(message.find(c.Message), AnsiString::npos) << message;
    }
}

}  // namespace
