#include <gtest/gtest.h>

#include "vcl50/Formparser.h"

namespace {

AnsiString ParseError(std::string_view text)
{
    try {
        ParseFormResource(text);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "no error";
}

TEST(FormParser, ReadsEverySyntaxElementWithItsLine)
{
    const TFormNode root = ParseFormResource(
        "object fmMain: TfmMain\n"                                 // 1
        "  Left = -12\n"                                           // 2
        "  Color = $00FF8080\n"                                    // 3
        "  Scale = 1.5e2\n"                                        // 4
        "  Caption = 'It''s'#13#10'two' +\n"                       // 5
        "    ' lines'\n"                                           // 6
        "  Visible = False\n"                                      // 7
        "  Font.Style = [fsBold, fsItalic]\n"                      // 8
        "  Anchors = []\n"                                         // 9
        "  Items.Strings = (\n"                                    // 10
        "    'a'\n"                                                // 11
        "    'b')\n"                                               // 12
        "  Data = {\n"                                             // 13
        "    0A0b FF}\n"                                           // 14
        "  Columns = <\n"                                          // 15
        "    item\n"                                               // 16
        "      Width = 3\n"                                        // 17
        "    end>\n"                                               // 18
        "  object Panel1: TPanel\n"                                // 19
        "    inline Frame1: TFrame1\n"                             // 20
        "      inherited Button1: TButton\n"                       // 21
        "      end\n"                                              // 22
        "    end\n"                                                // 23
        "  end\n"                                                  // 24
        "  object TTimer\n"                                        // 25
        "  end\n"                                                  // 26
        "end\n");

    EXPECT_EQ(root.Name, "fmMain");
    EXPECT_EQ(root.ClassName, "TfmMain");
    ASSERT_EQ(root.Properties.size(), 10u);
    const auto& p = root.Properties;
    EXPECT_EQ(p[0].Value.Integer, -12);
    EXPECT_EQ(p[0].Line, 2);
    EXPECT_EQ(p[1].Value.Integer, 0x00FF8080);
    EXPECT_TRUE(p[1].Value.Hex32);
    EXPECT_EQ(p[2].Value.Kind, TFormValueKind::Float);
    EXPECT_DOUBLE_EQ(p[2].Value.Float, 150.0);
    EXPECT_EQ(p[3].Value.Text, "It's\r\ntwo lines");
    EXPECT_EQ(p[4].Value.Kind, TFormValueKind::Ident);
    EXPECT_EQ(p[4].Value.Text, "False");
    EXPECT_EQ(p[5].Name, "Font.Style");
    EXPECT_EQ(p[5].Value.Names, (std::vector<AnsiString>{"fsBold", "fsItalic"}));
    EXPECT_EQ(p[6].Value.Kind, TFormValueKind::Set);
    EXPECT_TRUE(p[6].Value.Names.empty());
    ASSERT_EQ(p[7].Value.Items.size(), 2u);
    EXPECT_EQ(p[7].Value.Items[1].Text, "b");
    EXPECT_EQ(p[7].Value.Items[1].Line, 12);
    EXPECT_EQ(p[8].Value.Text, AnsiString("\x0A\x0B\xFF"));
    ASSERT_EQ(p[9].Value.Collection.size(), 1u);
    EXPECT_EQ(p[9].Value.Collection[0].Line, 16);
    EXPECT_EQ(p[9].Value.Collection[0].Properties.at(0).Value.Integer, 3);

    ASSERT_EQ(root.Children.size(), 2u);
    const TFormNode& panel = root.Children[0];
    EXPECT_EQ(panel.Line, 19);
    ASSERT_EQ(panel.Children.size(), 1u);
    EXPECT_EQ(panel.Children[0].Kind, TFormNodeKind::Inline);
    EXPECT_EQ(panel.Children[0].Children.at(0).Kind, TFormNodeKind::Inherited);
    EXPECT_EQ(panel.Children[0].Children.at(0).Name, "Button1");
    EXPECT_EQ(root.Children[1].Name, "");
    EXPECT_EQ(root.Children[1].ClassName, "TTimer");
}

TEST(FormParser, NumbersAndCharacterCodesKeepTheirExactValue)
{
    const TFormNode root = ParseFormResource(
        "object A: TA\n"
        "  P1 = $FFFFFFFF\n"
        "  P2 = $100000000\n"
        "  P3 = -9223372036854775808\n"
        "  P4 = #200#8364'x'\n"
        "  P5 = #$41\n"
        "end");
    const auto& p = root.Properties;
    EXPECT_EQ(p[0].Value.Integer, 0xFFFFFFFFll);
    EXPECT_TRUE(p[0].Value.Hex32);
    EXPECT_EQ(p[1].Value.Integer, 0x100000000ll);
    EXPECT_FALSE(p[1].Value.Hex32);
    EXPECT_EQ(p[2].Value.Integer, INT64_MIN);
    // Codes up to 255 are single bytes; above, characters in UTF-8.
    EXPECT_EQ(p[3].Value.Text, AnsiString("\xC8\xE2\x82\xAC" "x"));
    EXPECT_EQ(p[4].Value.Text, "A");

    // Lines end in CR LF, LF or CR alike.
    const TFormNode crlf = ParseFormResource("object A: TA\r\n  Tag = 1\r\r  Top = 2\nend");
    EXPECT_EQ(crlf.Properties.at(0).Line, 2);
    EXPECT_EQ(crlf.Properties.at(1).Line, 4);
}

TEST(FormParser, MalformedTextsSayWhatAndWhere)
{
    struct Case {
        const char* Text;
        const char* Message;
    };
    const Case cases[] = {
        {"", "Error reading form resource: the form resource is empty (line 1)"},
        {"  \n\n", "the form resource is empty (line 3)"},
        {"object A: TA\n  Caption = 'open\nend",
         "Error reading A.Caption: unterminated string (line 2)"},
        {"object A: TA\n  object B: TB\n  end\n", "Error reading A: 'end' expected but end of text found (line 4)"},
        {"object A: TA\n  Tag = 99999999999999999999\nend", "Error reading A.Tag: number out of range (line 2)"},
        {"object A: TA\n  Tag = $12345678901234567\nend", "number out of range (line 2)"},
        {"object A: TA\n  Tag = 12ab\nend", "invalid number (line 2)"},
        {"object A: TA\n  Data = {\n 0AZZ }\nend", "Error reading A.Data: invalid binary data (line 3)"},
        {"object A: TA\n  Data = { 0A0 }\nend", "odd number of hexadecimal digits in binary data (line 2)"},
        {"object A: TA\n  Data = { 0A0B", "'}' expected but end of text found"},
        {"object A: TA\n  Caption 'x'\nend", "Error reading A.Caption: '=' expected but string found (line 2)"},
        {"object A: TA\n  Caption = 'x' +\nend", "string expected but 'end' found (line 3)"},
        {"object A: TA\n  Items.Strings = ('a'\nend", "')' expected but end of text found"},
        {"object A: TA\n  Style = [fsBold fsItalic]\nend", "',' or ']' expected but 'fsItalic' found"},
        {"object A: TA\n  Tag = #\nend", "character code expected after '#' (line 2)"},
        {"object A: TA\n  Tag = #1114112\nend", "character code out of range"},
        {"object A: TA\nend\nobject B: TB\nend", "end of text expected but 'object' found (line 3)"},
        {"thing A: TA\nend", "'object' expected but 'thing' found (line 1)"},
        {"object A: TA\n  Tag = 1 ; \nend", "invalid character ';' (line 2)"},
        {"object A.B: TA\nend", "component name expected but 'A.B' found"},
        {"object A: TA\n  Cols = < thing end >\nend", "'item' or '>' expected but 'thing' found"},
    };
    // Nesting that would exhaust the stack.
    EXPECT_NE(ParseError("object A: TA\n  L = " + AnsiString(100000, '(')).find("nesting too deep (line 2)"),
              AnsiString::npos);
    for (const Case& c : cases) {
        AnsiString message = ParseError(c.Text);
        EXPECT_NE(message.find(c.Message), AnsiString::npos)
            << "text: " << c.Text << "\nmessage: " << message;
    }
}

}  // namespace
