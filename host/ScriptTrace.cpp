#include "host/ScriptTrace.h"

#include "vcl50/Forms.h"
#include "vcl50/Sysutils.h"

namespace {

// A control byte (a NUL, an escape, a DEL) as \xHH, any other byte as it is.
void AppendPrintable(std::string& shown, char c)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
        shown += {'\\', 'x', Hex[byte >> 4], Hex[byte & 0xF]};
    else
        shown += c;
}

}  // namespace

AnsiString QuoteTraceText(std::string_view text)
{
    AnsiString quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n')
            quoted += "\\n";
        else
            AppendPrintable(quoted, c);
    }
    return quoted + "\"";
}

std::string PrintableTraceText(std::string_view text)
{
    std::string shown;
    for (char c : text)
        AppendPrintable(shown, c);
    return shown;
}

AnsiString TraceColor(TColor color)
{
    return "0x" + IntToHex(static_cast<uint32_t>(color), 8);
}

void TScriptTrace::FormShown(TCustomForm* form)
{
    FOut << "dialog: " << form->ClassName() << ' ' << QuoteTraceText(form->Caption()) << '\n';
}

void TScriptTrace::FormClosed(TCustomForm* form, int modalResult)
{
    FOut << "closed: " << form->ClassName() << " result=" << modalResult << '\n';
}

void TScriptTrace::ColorDialogRan(TColor start, const std::optional<TColor>& chosen)
{
    FOut << "color dialog: color=" << TraceColor(start) << " -> " << (chosen ? TraceColor(*chosen) : "cancel")
         << '\n';
}

void TScriptTrace::FileDialogRan(const TFileDialogRequest& request, const std::optional<AnsiString>& chosen)
{
    FOut << (request.Save ? "save dialog: " : "open dialog: ") << "title=" << QuoteTraceText(request.Title)
         << " filter=" << QuoteTraceText(request.Filter) << " defaultext=" << QuoteTraceText(request.DefaultExt)
         << " filename=" << QuoteTraceText(request.FileName) << " -> "
         << (chosen ? QuoteTraceText(*chosen) : "cancel") << '\n';
}

void TScriptTrace::MessageShown(const AnsiString& text)
{
    FOut << "message: " << QuoteTraceText(text) << '\n';
}

void TScriptTrace::ErrorShown(const AnsiString& text)
{
    FOut << "error box: " << QuoteTraceText(text) << '\n';
}

void TScriptTrace::Modified()
{
    FOut << "modified\n";
}

void TScriptTrace::ExceptionReached(const TCallFailure& failure)
{
    FOut << "exception: " << failure.ClassName << ": " << PrintableTraceText(failure.Message) << '\n';
}
