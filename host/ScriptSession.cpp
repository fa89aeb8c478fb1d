#include "host/ScriptSession.h"

#include <algorithm>

#include "host/PropertyText.h"
#include "host/ScriptTrace.h"
#include "vcl50/Sysutils.h"
#include "vcl50/Typinfo.h"

std::optional<int64_t> ParseScriptNumber(std::string_view text)
{
    bool negative = !text.empty() && text[0] == '-';
    std::string_view digits = negative ? text.substr(1) : text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits.size() > (base == 16 ? 8u : 10u))
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : 99;
        if (digit >= base)
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    if (base == 16)
        return negative ? -static_cast<int64_t>(static_cast<int32_t>(value)) : static_cast<int32_t>(value);
    if (value > (negative ? 2147483648u : 2147483647u))
        return std::nullopt;
    return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
}

TScriptSession::TScriptSession(TDesignHost& host, std::ostream& out, TInputDriver& input,
                               TScriptScreenshot screenshot, TScriptHands& hands)
    : Host(host), Commands(host.Commands()), Out(out), Input(input), Screenshot(std::move(screenshot)), Hands(hands),
      Trace(out)
{
}

void TScriptSession::Error(const TScriptCommand& command, const AnsiString& what)
{
    if (!ScriptError)
        ScriptError.emplace(command.Line, what);
    throw EScriptError(command.Line, what);
}

std::optional<std::pair<int, AnsiString>> TScriptSession::TakeUnused(std::optional<int> line)
{
    const size_t blocks = std::min(Interaction::PendingModalHandlers(), QueuedBlocks.size());
    const size_t answers = std::min(Interaction::PendingAnswers(), QueuedAnswers.size());
    std::optional<std::pair<int, AnsiString>> unused;
    // A test must not pass because its dialog never appeared.
    auto say = [&](const std::vector<int>& lines, size_t pending, const char* what, const char* opened) {
        if (unused || pending == 0)
            return;
        const int queued = lines[lines.size() - pending];
        if (line)
            unused.emplace(*line, Format("the %s of line %d was left unused: no %s opened for it", {what, queued, opened}));
        else
            unused.emplace(queued, Format("the %s was left unused: no %s opened for it before the script ended",
                                          {what, opened}));
    };
    say(QueuedBlocks, blocks, "dialog block", "modal form");
    say(QueuedAnswers, answers, "answer", "dialog");
    QueuedBlocks.clear();
    QueuedAnswers.clear();
    Interaction::ClearQueues();
    return unused;
}

void TScriptSession::Report(std::exception_ptr failure)
{
    // The first one: what follows it in the same command is its consequence.
    if (!FFailure)
        FFailure = std::move(failure);
}

void TScriptSession::RethrowFailure()
{
    if (std::exception_ptr failure = std::exchange(FFailure, nullptr))
        std::rethrow_exception(failure);
}

int TScriptSession::Number(const TScriptCommand& c, const AnsiString& text)
{
    std::optional<int64_t> n = ParseScriptNumber(text);
    if (!n)
        Error(c, Format("%s is not a number", {text}));
    return static_cast<int>(*n);
}

TDesigner& TScriptSession::CurrentForm(const TScriptCommand& c)
{
    TDesigner* designer = Host.CurrentForm();
    if (!designer)
        Error(c, "no form: start one with form NAME");
    return *designer;
}

TComponent* TScriptSession::FormComponent(const TScriptCommand& c, const AnsiString& name)
{
    TComponent* component = CurrentForm(c).GetComponent(name);
    if (!component)
        Error(c, Format("unknown component %s", {name}));
    return component;
}

TPropertyGrid TScriptSession::Inspect(const TScriptCommand& c)
{
    TDesigner& designer = CurrentForm(c);
    TDesignerSelectionList selection = designer.Selection();
    if (selection.empty())
        Error(c, "nothing is selected: select NAME first");
    return TPropertyGrid(selection, &designer);
}

TPropertyGridRow& TScriptSession::Row(const TScriptCommand& c, TPropertyGrid& inspector, const AnsiString& path)
{
    TPropertyGridRow* row = inspector.Find(path);
    if (!row)
        Error(c, Format("the inspector has no row %s", {path}));
    return *row;
}

void TScriptSession::PrintPath(const TScriptCommand& c, TObject* start, const AnsiString& nameDotPath,
                               const AnsiString& path)
{
    std::optional<TPropertyPath> resolved = ResolvePropertyPath(start, path);
    if (!resolved)
        Error(c, Format("%s has no property %s", {start->ClassName(), path}));
    AnsiString text = resolved->Object ? PropertyText(resolved->Object, resolved->Prop) : AnsiString();
    Out << nameDotPath << " = " << PrintableTraceText(text) << '\n';
}
