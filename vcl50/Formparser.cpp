#include "vcl50/Formparser.h"

#include <charconv>
#include <string>
#include <utility>

namespace {

enum class TTokenKind { End, Ident, Integer, Float, String, Binary, Symbol };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    int Line = 1;
    AnsiString Text;  // Ident name, String or Binary bytes
    int64_t Integer = 0;
    bool Hex32 = false;
    double Float = 0;
    char Symbol = 0;
};

bool IsIdentStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsIdentChar(char c)
{
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigit(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Codes up to 255 are the bytes themselves, as the writer puts them; larger ones are characters
// of a wide string, kept as UTF-8.
void AppendCharCode(AnsiString& s, uint32_t code)
{
    if (code < 0x100) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | (code >> 6));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        s += static_cast<char>(0xE0 | (code >> 12));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (code >> 18));
        s += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Deeper nesting than any form has is refused rather than allowed to exhaust the stack.
constexpr int MaxNesting = 200;

class TParser {
public:
    explicit TParser(std::string_view text) : FText(text) { Next(); }

    TFormNode ParseRoot()
    {
        if (FToken.Kind == TTokenKind::End)
            Fail("the form resource is empty", FToken.Line);
        TFormNode root = ParseObject();
        if (FToken.Kind != TTokenKind::End)
            Expected("end of text");
        return root;
    }

    std::vector<TFormNode> ParseObjects()
    {
        if (FToken.Kind == TTokenKind::End)
            Fail("the text holds no object", FToken.Line);
        std::vector<TFormNode> objects;
        while (FToken.Kind != TTokenKind::End)
            objects.push_back(ParseObject());
        return objects;
    }

private:
    // ---- syntax -------------------------------------------------------------------------------

    // Counts one level of objects, lists or collections while it lives.
    class TNesting {
    public:
        explicit TNesting(TParser& parser) : FParser(parser)
        {
            if (++FParser.FDepth > MaxNesting)
                FParser.Fail("nesting too deep", FParser.FToken.Line);
        }
        ~TNesting() { --FParser.FDepth; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;

    private:
        TParser& FParser;
    };

    TFormNode ParseObject()
    {
        TNesting nesting(*this);
        TFormNode node;
        node.Line = FToken.Line;
        if (IsKeyword("object"))
            node.Kind = TFormNodeKind::Object;
        else if (IsKeyword("inherited"))
            node.Kind = TFormNodeKind::Inherited;
        else if (IsKeyword("inline"))
            node.Kind = TFormNodeKind::Inline;
        else
            Expected("'object'");
        Next();
        AnsiString first = ExpectSimpleIdent("component name");
        if (IsSymbol(':')) {
            Next();
            node.Name = std::move(first);
            node.ClassName = ExpectSimpleIdent("class name");
        } else {
            node.ClassName = std::move(first);
        }

        AnsiString outer =
            std::exchange(FComponent, node.Name.empty() ? node.ClassName : node.Name);
        for (;;) {
            if (IsKeyword("end")) {
                Next();
                break;
            }
            if (IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"))
                node.Children.push_back(ParseObject());
            else if (FToken.Kind == TTokenKind::Ident)
                node.Properties.push_back(ParseProperty());
            else
                Expected("'end'");
        }
        FComponent = std::move(outer);
        return node;
    }

    TFormProperty ParseProperty()
    {
        TFormProperty prop;
        prop.Name = FToken.Text;
        prop.Line = FToken.Line;
        AnsiString outer = std::exchange(FProperty, prop.Name);
        Next();
        if (!IsSymbol('='))
            Expected("'='");
        Next();
        prop.Value = ParseValue();
        FProperty = std::move(outer);
        return prop;
    }

    TFormValue ParseValue()
    {
        TFormValue value;
        value.Line = FToken.Line;
        switch (FToken.Kind) {
        case TTokenKind::Integer:
            value.Kind = TFormValueKind::Integer;
            value.Integer = FToken.Integer;
            value.Hex32 = FToken.Hex32;
            Next();
            return value;
        case TTokenKind::Float:
            value.Kind = TFormValueKind::Float;
            value.Float = FToken.Float;
            Next();
            return value;
        case TTokenKind::String:
            value.Kind = TFormValueKind::String;
            value.Text = FToken.Text;
            Next();
            while (IsSymbol('+')) {
                Next();
                if (FToken.Kind != TTokenKind::String)
                    Expected("string");
                value.Text += FToken.Text;
                Next();
            }
            return value;
        case TTokenKind::Ident:
            value.Kind = TFormValueKind::Ident;
            value.Text = FToken.Text;
            Next();
            return value;
        case TTokenKind::Binary:
            value.Kind = TFormValueKind::Binary;
            value.Text = FToken.Text;
            Next();
            return value;
        case TTokenKind::Symbol:
            if (IsSymbol('['))
                return ParseSet(std::move(value));
            if (IsSymbol('('))
                return ParseList(std::move(value));
            if (IsSymbol('<'))
                return ParseCollection(std::move(value));
            break;
        case TTokenKind::End:
            break;
        }
        Expected("property value");
    }

    TFormValue ParseSet(TFormValue value)
    {
        value.Kind = TFormValueKind::Set;
        Next();
        if (IsSymbol(']')) {
            Next();
            return value;
        }
        for (;;) {
            value.Names.push_back(ExpectSimpleIdent("set element"));
            if (IsSymbol(']'))
                break;
            if (!IsSymbol(','))
                Expected("',' or ']'");
            Next();
        }
        Next();
        return value;
    }

    TFormValue ParseList(TFormValue value)
    {
        TNesting nesting(*this);
        value.Kind = TFormValueKind::List;
        Next();
        while (!IsSymbol(')')) {
            if (FToken.Kind == TTokenKind::End)
                Expected("')'");
            value.Items.push_back(ParseValue());
        }
        Next();
        return value;
    }

    TFormValue ParseCollection(TFormValue value)
    {
        TNesting nesting(*this);
        value.Kind = TFormValueKind::Collection;
        Next();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item"))
                Expected("'item' or '>'");
            TFormCollectionItem item;
            item.Line = FToken.Line;
            Next();
            while (!IsKeyword("end")) {
                if (FToken.Kind != TTokenKind::Ident)
                    Expected("'end'");
                item.Properties.push_back(ParseProperty());
            }
            Next();
            value.Collection.push_back(std::move(item));
        }
        Next();
        return value;
    }

    AnsiString ExpectSimpleIdent(std::string_view what)
    {
        if (FToken.Kind != TTokenKind::Ident || FToken.Text.find('.') != AnsiString::npos)
            Expected(what);
        AnsiString name = FToken.Text;
        Next();
        return name;
    }

    bool IsKeyword(std::string_view word) const
    {
        return FToken.Kind == TTokenKind::Ident && SameText(FToken.Text, word);
    }

    bool IsSymbol(char c) const { return FToken.Kind == TTokenKind::Symbol && FToken.Symbol == c; }

    [[noreturn]] void Fail(std::string_view what, int line) const
    {
        RaiseReadError(FComponent, FProperty, line, what);
    }

    [[noreturn]] void Expected(std::string_view what) const
    {
        AnsiString found;
        switch (FToken.Kind) {
        case TTokenKind::End: found = "end of text"; break;
        case TTokenKind::Ident: found = "'" + FToken.Text + "'"; break;
        case TTokenKind::Integer: found = "number " + std::to_string(FToken.Integer); break;
        case TTokenKind::Float: found = "number"; break;
        case TTokenKind::String: found = "string"; break;
        case TTokenKind::Binary: found = "binary data"; break;
        case TTokenKind::Symbol: found = AnsiString("'") + FToken.Symbol + "'"; break;
        }
        Fail(AnsiString(what) + " expected but " + found + " found", FToken.Line);
    }

    // ---- tokens -------------------------------------------------------------------------------

    char Peek(size_t ahead = 0) const
    {
        return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0';
    }
    bool AtEnd() const { return FPos >= FText.size(); }

    void Next()
    {
        SkipBlanks();
        FToken = TToken{};
        FToken.Line = FLine;
        if (AtEnd())
            return;
        char c = Peek();
        if (IsIdentStart(c))
            LexIdent();
        else if (c == '\'' || c == '#')
            LexString();
        else if (IsDigit(c) || c == '$' ||
                 ((c == '-' || c == '+') && (IsDigit(Peek(1)) || Peek(1) == '$')))
            LexNumber();
        else if (c == '{')
            LexBinary();
        else if (std::string_view("=:[](),<>+").find(c) != std::string_view::npos) {
            FToken.Kind = TTokenKind::Symbol;
            FToken.Symbol = c;
            ++FPos;
        } else {
            auto code = static_cast<unsigned char>(c);
            Fail(code >= 32 && code < 127 ? AnsiString("invalid character '") + c + "'"
                                          : "invalid character #" + std::to_string(code),
                 FLine);
        }
    }

    void SkipBlanks()
    {
        while (!AtEnd()) {
            char c = Peek();
            if (c == '\n' || (c == '\r' && Peek(1) != '\n'))
                ++FLine;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++FPos;
        }
    }

    void LexIdent()
    {
        FToken.Kind = TTokenKind::Ident;
        size_t start = FPos;
        for (;;) {
            while (IsIdentChar(Peek()))
                ++FPos;
            if (Peek() != '.' || !IsIdentStart(Peek(1)))
                break;
            ++FPos;
        }
        FToken.Text = AnsiString(FText.substr(start, FPos - start));
    }

    void LexString()
    {
        FToken.Kind = TTokenKind::String;
        for (;;) {
            if (Peek() == '\'') {
                ++FPos;
                for (;;) {
                    if (AtEnd() || Peek() == '\n' || Peek() == '\r')
                        Fail("unterminated string", FToken.Line);
                    if (Peek() == '\'') {
                        if (Peek(1) != '\'')
                            break;
                        ++FPos;  // a doubled quote stands for one
                    }
                    FToken.Text += Peek();
                    ++FPos;
                }
                ++FPos;
            } else if (Peek() == '#') {
                ++FPos;
                AppendCharCode(FToken.Text, LexCharCode());
            } else {
                return;
            }
        }
    }

    uint32_t LexCharCode()
    {
        bool hex = Peek() == '$';
        if (hex)
            ++FPos;
        uint64_t code = 0;
        size_t digits = 0;
        auto digit = [&] { return hex ? HexDigit(Peek()) : (IsDigit(Peek()) ? Peek() - '0' : -1); };
        for (int d; (d = digit()) >= 0; ++FPos) {
            code = code * (hex ? 16 : 10) + static_cast<unsigned>(d);
            if (code > 0x10FFFF)
                Fail("character code out of range", FLine);
            ++digits;
        }
        if (digits == 0)
            Fail("character code expected after '#'", FLine);
        return static_cast<uint32_t>(code);
    }

    void LexNumber()
    {
        size_t start = FPos;
        bool negative = Peek() == '-';
        if (Peek() == '-' || Peek() == '+')
            ++FPos;
        uint64_t magnitude = 0;
        if (Peek() == '$') {
            ++FPos;
            size_t digits = 0;
            for (int d; (d = HexDigit(Peek())) >= 0; ++FPos, ++digits) {
                if (magnitude >> 60)
                    Fail("number out of range", FLine);
                magnitude = magnitude * 16 + static_cast<unsigned>(d);
            }
            if (digits == 0)
                Fail("hexadecimal digits expected after '$'", FLine);
            FToken.Hex32 = digits <= 8 && !negative;
        } else {
            while (IsDigit(Peek())) {
                unsigned d = static_cast<unsigned>(Peek() - '0');
                if (magnitude > (UINT64_MAX - d) / 10)
                    Fail("number out of range", FLine);
                magnitude = magnitude * 10 + d;
                ++FPos;
            }
            if ((Peek() == '.' && IsDigit(Peek(1))) || Peek() == 'e' || Peek() == 'E') {
                LexFloat(start);
                return;
            }
        }
        if (IsIdentChar(Peek()))
            Fail("invalid number", FLine);
        // The most negative integer has no positive counterpart; everything else must fit.
        if (magnitude > static_cast<uint64_t>(INT64_MAX) + (negative ? 1 : 0))
            Fail("number out of range", FLine);
        FToken.Kind = TTokenKind::Integer;
        FToken.Integer =
            negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    }

    void LexFloat(size_t start)
    {
        if (Peek() == '.')
            for (++FPos; IsDigit(Peek());)
                ++FPos;
        if (Peek() == 'e' || Peek() == 'E') {
            ++FPos;
            if (Peek() == '-' || Peek() == '+')
                ++FPos;
            if (!IsDigit(Peek()))
                Fail("invalid number", FLine);
            while (IsDigit(Peek()))
                ++FPos;
        }
        if (IsIdentChar(Peek()))
            Fail("invalid number", FLine);
        std::string_view digits = FText.substr(start, FPos - start);
        if (digits.front() == '+')
            digits.remove_prefix(1);
        const char* last = digits.data() + digits.size();
        auto [end, error] = std::from_chars(digits.data(), last, FToken.Float);
        if (error != std::errc() || end != last)
            Fail("number out of range", FLine);
        FToken.Kind = TTokenKind::Float;
    }

    void LexBinary()
    {
        FToken.Kind = TTokenKind::Binary;
        ++FPos;
        int high = -1;
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail("'}' expected but end of text found", FLine);
            char c = Peek();
            ++FPos;
            if (c == '}')
                break;
            int d = HexDigit(c);
            if (d < 0)
                Fail("invalid binary data", FLine);
            if (high < 0) {
                high = d;
            } else {
                FToken.Text += static_cast<char>(high * 16 + d);
                high = -1;
            }
        }
        if (high >= 0)
            Fail("odd number of hexadecimal digits in binary data", FToken.Line);
    }

    std::string_view FText;
    size_t FPos = 0;
    int FLine = 1;
    int FDepth = 0;
    TToken FToken;
    AnsiString FComponent;  // where we are, for error messages
    AnsiString FProperty;
};

}  // namespace

TFormNode ParseFormResource(std::string_view text)
{
    return TParser(text).ParseRoot();
}

std::vector<TFormNode> ParseFormObjects(std::string_view text)
{
    return TParser(text).ParseObjects();
}

AnsiString ReadErrorText(std::string_view component, std::string_view property, int line,
                         std::string_view what)
{
    AnsiString where = component.empty() ? AnsiString("form resource") : AnsiString(component);
    if (!property.empty())
        where += "." + AnsiString(property);
    return "Error reading " + where + ": " + AnsiString(what) + " (line " + std::to_string(line) + ")";
}

void RaiseReadError(std::string_view component, std::string_view property, int line,
                    std::string_view what)
{
    throw EReadError(ReadErrorText(component, property, line, what));
}

const char* FormValueKindName(TFormValueKind kind)
{
    switch (kind) {
    case TFormValueKind::Integer: return "integer";
    case TFormValueKind::Float: return "floating-point number";
    case TFormValueKind::String: return "string";
    case TFormValueKind::Ident: return "identifier";
    case TFormValueKind::Set: return "set";
    case TFormValueKind::List: return "list";
    case TFormValueKind::Binary: return "binary data";
    case TFormValueKind::Collection: return "collection";
    }
    return "value";
}
