#pragma once
// The clipboard: one for the whole process, reached through Clipboard(). It keeps nothing of its
// own: it holds what the installed widget set's clipboard holds (the system's under Qt, memory
// under the headless widget set), so it follows whichever widget set is installed.

#include "vcl50/Sysutils.h"

class TClipboard {
public:
    TClipboard() = default;
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    AnsiString AsText() const;
    // Plain text alone: HTML that the clipboard held is gone.
    void SetAsText(const AnsiString& text);
    // Empty when the clipboard holds no HTML.
    AnsiString AsHtml() const;
    // One change carrying both, as a spreadsheet program expects of a copied table. Text is UTF-8.
    void SetTextAndHtml(const AnsiString& text, const AnsiString& html);
};

TClipboard* Clipboard();
