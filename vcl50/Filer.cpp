#include "vcl50/Filer.h"

#include <string>

namespace {

// Printable ASCII goes in quotes; every other byte as #nn, so the text survives any editor.
AnsiString QuoteFormString(std::string_view s)
{
    if (s.empty())
        return "''";
    AnsiString out;
    bool quoted = false;
    for (char c : s) {
        auto code = static_cast<unsigned char>(c);
        bool printable = code >= 32 && code < 127;
        if (printable != quoted) {
            out += '\'';
            quoted = printable;
        }
        if (!printable)
            out += "#" + std::to_string(code);
        else if (c == '\'')
            out += "''";
        else
            out += c;
    }
    if (quoted)
        out += '\'';
    return out;
}

}  // namespace

TFiler::~TFiler() = default;

// ---- TReader ----------------------------------------------------------------------------------

TReader::TReader(AnsiString name, const TFormValue& value, const TReadPlace& at)
    : FName(std::move(name)), FValue(value), FAt(at)
{
}

TReader::~TReader() = default;

void TReader::DefineProperty(const AnsiString& name, const TReaderProc& readProc,
                             const TWriterProc&, bool)
{
    if (FHandled || !readProc || !SameText(name, FName))
        return;
    FHandled = true;
    readProc(*this);
    if (!FTaken || !FLists.empty())
        Fail("invalid property value");
}

const TFormValue& TReader::NextValue(const char* expected)
{
    if (FLists.empty()) {
        if (FTaken)
            Fail(AnsiString(expected) + " expected but no more values found");
        FTaken = true;
        return FValue;
    }
    auto& [list, index] = FLists.back();
    if (index >= list->Items.size())
        Fail(AnsiString(expected) + " expected but end of list found");
    return list->Items[index++];
}

void TReader::ReadListBegin()
{
    const TFormValue& value = NextValue("list");
    if (value.Kind != TFormValueKind::List)
        Fail(AnsiString("list expected but ") + FormValueKindName(value.Kind) + " found");
    FLists.emplace_back(&value, 0);
}

bool TReader::EndOfList() const
{
    return !FLists.empty() && FLists.back().second >= FLists.back().first->Items.size();
}

void TReader::ReadListEnd()
{
    if (!EndOfList())
        Fail("end of list expected");
    FLists.pop_back();
}

AnsiString TReader::ReadString()
{
    const TFormValue& value = NextValue("string");
    if (value.Kind != TFormValueKind::String)
        Fail(AnsiString("string expected but ") + FormValueKindName(value.Kind) + " found");
    return value.Text;
}

int64_t TReader::ReadInteger()
{
    const TFormValue& value = NextValue("integer");
    if (value.Kind != TFormValueKind::Integer)
        Fail(AnsiString("integer expected but ") + FormValueKindName(value.Kind) + " found");
    return value.Integer;
}

// ---- TWriter ----------------------------------------------------------------------------------

TWriter::TWriter(int indent) : FIndent(indent) {}

TWriter::~TWriter() = default;

void TWriter::DefineProperty(const AnsiString& name, const TReaderProc&,
                             const TWriterProc& writeProc, bool hasData)
{
    if (!writeProc)
        return;
    TWriter value(FIndent);
    writeProc(value);
    FDefined.push_back({name, hasData, value.Text()});
}

void TWriter::BeginValue()
{
    if (FListDepth > 0)
        FText += "\n" + AnsiString(static_cast<size_t>(FIndent + 2 * FListDepth), ' ');
}

void TWriter::WriteString(std::string_view s)
{
    BeginValue();
    FText += QuoteFormString(s);
}

void TWriter::WriteInteger(int64_t value)
{
    BeginValue();
    FText += std::to_string(value);
}

void TWriter::WriteIdent(std::string_view ident)
{
    BeginValue();
    FText += ident;
}

void TWriter::WriteSet(const std::vector<AnsiString>& names)
{
    BeginValue();
    FText += '[';
    for (size_t i = 0; i < names.size(); ++i)
        FText += (i ? ", " : "") + names[i];
    FText += ']';
}

void TWriter::WriteListBegin()
{
    BeginValue();
    FText += '(';
    ++FListDepth;
}

void TWriter::WriteListEnd()
{
    if (FListDepth > 0)
        --FListDepth;
    FText += ')';
}
