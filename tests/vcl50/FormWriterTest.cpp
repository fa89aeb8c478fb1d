#include <gtest/gtest.h>

#include "FormTestClasses.h"
#include "vcl50/Formresources.h"

using namespace formtest;

namespace {

TEST(FormWriter, WritesWhatDiffersFromAFreshInstanceInPublishedOrder)
{
    TResRoot root(nullptr);
    root.SetName("fmRoot");
    root.Caption = "It's";
    auto* panel = new TResPanel(&root);
    panel->SetName("Panel1");
    panel->SetParentComponent(&root);
    auto* item = new TResItem(&root);
    item->SetName("Item1");
    item->SetParentComponent(panel);
    item->SetCaption("a\r\nb\xE9");
    item->Color = static_cast<TColor>(0x123456);
    item->Shade = shMedium;
    item->Styles = {fsBold, fsStrikeOut};
    item->Visible = false;
    item->Letter = '\t';
    item->Font()->SetHeight(-14);
    item->Font()->SetCharset(ANSI_CHARSET);
    item->Items()->Add("x");
    item->Items()->Add("y'z");
    item->SetBuddy(item);
    root.SetActiveItem(item);
    item->OnClick.Bind(&root, *TResRoot::StaticClass()->FindMethod("ItemClick"));
    item->OnGetText = [](TObject*, AnsiString&) {};  // code's own handler: no name to write

    EXPECT_EQ(WriteComponentResourceText(&root),
              "object fmRoot: TResRoot\n"
              "  Caption = 'It''s'\n"
              "  ActiveItem = Item1\n"
              "  object Panel1: TResPanel\n"
              "    object Item1: TResItem\n"
              "      Caption = 'a'#13#10'b'#233\n"
              "      Color = 1193046\n"
              "      Shade = shMedium\n"
              "      Styles = [fsBold, fsStrikeOut]\n"
              "      Visible = False\n"
              "      Letter = #9\n"
              "      Font.Charset = ANSI_CHARSET\n"
              "      Font.Height = -14\n"
              "      Items.Strings = (\n"
              "        'x'\n"
              "        'y''z')\n"
              "      Buddy = Item1\n"
              "      OnClick = ItemClick\n"
              "    end\n"
              "  end\n"
              "end\n");
}

TEST(FormWriter, WrittenTextReadsBackToTheSameComponents)
{
    const char* text =
        "object fmRoot: TResRoot\n"
        "  Caption = #0'quote'''#255' end'\n"
        "  Width = -2147483648\n"
        "  ActiveItem = Item2\n"
        "  OnShow = ItemClick\n"
        "  object Panel1: TResPanel\n"
        "    Color = clWindow\n"
        "    object Item1: TResItem\n"
        "      Left = 2147483647\n"
        "      Color = -2147483616\n"
        "      Styles = []\n"
        "      Small = 200\n"
        "      Font.Name = 'Courier New'\n"
        "      Font.Style = [fsItalic]\n"
        "      Font.Height = -14\n"
        "      Items.Strings = (\n"
        "        ''\n"
        "        'two'#10'lines')\n"
        "      Buddy = Item2\n"
        "      OnGetText = GetText\n"
        "    end\n"
        "  end\n"
        "  object Item2: TResItem\n"
        "    Shade = shDark\n"
        "  end\n"
        "end\n";
    TResRoot first(nullptr);
    ReadComponentResourceText(&first, text);
    AnsiString written = WriteComponentResourceText(&first);

    TResRoot second(nullptr);
    ReadComponentResourceText(&second, written);
    EXPECT_EQ(WriteComponentResourceText(&second), written);
    EXPECT_EQ(second.Caption, AnsiString("\0quote'\xFF end", 12));
    EXPECT_EQ(second.Width, INT32_MIN);
    EXPECT_EQ(second.ActiveItem(), second.Item2);
    TResItem* item = second.Item1;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetParentComponent(), second.Panel1);
    EXPECT_EQ(item->Left, INT32_MAX);
    EXPECT_EQ(item->Color, static_cast<TColor>(0x80000020));
    EXPECT_EQ(item->Small, 200);
    EXPECT_EQ(item->Font()->Name(), "Courier New");
    EXPECT_EQ(item->Font()->Height(), -14);  // Size is not stored: it would round to -15
    EXPECT_EQ(item->Items()->Count(), 2);
    EXPECT_EQ(item->Items()->Get(1), "two\nlines");
    EXPECT_EQ(item->Buddy(), second.Item2);
    EXPECT_EQ(second.Item2->Shade, shDark);
    AnsiString got;
    item->OnGetText(item, got);
    EXPECT_EQ(got, "from root");
}

TEST(FormWriter, ListsAreComparedWithWhatAFreshInstanceHolds)
{
    // An emptied list is no difference for an item, whose fresh list is empty too; a frame
    // starts with an entry, so its emptied list is written as such. Unnamed components go by
    // their class.
    TResRoot root(nullptr);
    auto* item = new TResItem(&root);
    item->SetParentComponent(&root);
    item->Items()->Add("gone");
    item->Items()->Clear();
    auto* frame = new TResFrame(&root);
    frame->SetName("Frame1");
    frame->SetParentComponent(&root);
    frame->Items()->Clear();
    AnsiString text = WriteComponentResourceText(&root);
    EXPECT_EQ(text,
              "object TResRoot\n"
              "  object TResItem\n"
              "  end\n"
              "  object Frame1: TResFrame\n"
              "    Items.Strings = ()\n"
              "  end\n"
              "end\n");

    TResRoot copy(nullptr);
    ReadComponentResourceText(&copy, text);
    EXPECT_EQ(static_cast<TResFrame*>(copy.FindComponent("Frame1"))->Items()->Count(), 0);
}

TEST(FormWriter, ValueNoResourceCouldReadIsAnError)
{
    TResRoot root(nullptr);
    root.SetName("fmRoot");
    auto* item = new TResItem(&root);
    item->SetName("Item1");
    item->SetParentComponent(&root);
    SetOrdProp(item, "Shade", 7);
    EXPECT_THROW(WriteComponentResourceText(&root), EWriteError);
}

}  // namespace
