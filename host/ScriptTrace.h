#pragma once
// The trace of a designer script: what the package does to the user, unasked (modal forms,
// common dialogs, message and error boxes), in the fixed line forms of the script language.

#include <ostream>
#include <string>
#include <string_view>

#include "host/CallFailure.h"
#include "vcl50/Interaction.h"

// "TEXT" with `"` and `\` escaped as the script syntax writes them, a line break as \n so one
// event stays one line, and the other control bytes as \xHH (PrintableTraceText).
AnsiString QuoteTraceText(std::string_view text);
// The text with its control bytes (a NUL, a line break, an escape sequence) as \xHH, for lines
// that quote what a script, a file or a dialog held: they reach a terminal, and stay one line.
std::string PrintableTraceText(std::string_view text);
// 0x00123456: eight upper-case hexadecimal digits of the 32-bit value.
AnsiString TraceColor(TColor color);

class TScriptTrace : public TInteractionObserver {
public:
    explicit TScriptTrace(std::ostream& out) : FOut(out) {}

    void FormShown(TCustomForm* form) override;
    void FormClosed(TCustomForm* form, int modalResult) override;
    void ColorDialogRan(TColor start, const std::optional<TColor>& chosen) override;
    void FileDialogRan(const TFileDialogRequest& request, const std::optional<AnsiString>& chosen) override;
    void MessageShown(const AnsiString& text) override;
    void ErrorShown(const AnsiString& text) override;

    // `modified`, for each time a designer is marked modified.
    void Modified();
    // `exception: CLASSNAME: MESSAGE`, for an exception that reached the host.
    void ExceptionReached(const TCallFailure& failure);

private:
    std::ostream& FOut;
};
