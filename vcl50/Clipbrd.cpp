#include "vcl50/Clipbrd.h"

#include "vcl50/Widgetset.h"

AnsiString TClipboard::AsText() const
{
    return WidgetSet().ClipboardText();
}

void TClipboard::SetAsText(const AnsiString& text)
{
    WidgetSet().SetClipboard(text, AnsiString());
}

AnsiString TClipboard::AsHtml() const
{
    return WidgetSet().ClipboardHtml();
}

void TClipboard::SetTextAndHtml(const AnsiString& text, const AnsiString& html)
{
    WidgetSet().SetClipboard(text, html);
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
