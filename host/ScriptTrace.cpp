#include "host/ScriptTrace.h"

#include "vcl50/Forms.h"
#include "vcl50/Sysutils.h"

AnsiString QuoteTraceText(std::string_view text)
{
    AnsiString quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n') {
            quoted += "\\n";
            continue;
        }
        quoted += c;
    }
    return quoted + "\"";
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

std::string PrintableTraceText(std::string_view text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string shown;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            shown += {'\\', 'x', Hex[byte >> 4], Hex[byte & 0xF]};
        else
            shown += c;
    }
    return shown;
}

void TScriptTrace::ExceptionReached(const TCallFailure& failure)
{
    FOut << "exception: " << failure.ClassName << ": " << PrintableTraceText(failure.Message) << '\n';
}
