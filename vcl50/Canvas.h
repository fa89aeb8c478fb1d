#pragma once
// A surface a form paints its own content on, beneath its controls: text in a font and filled
// rectangles. The widget set that shows the form lends one for the length of each painting.

#include "vcl50/Controls.h"

class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The font TextOut writes in and the text measures use.
    TFont* Font() { return &FFont; }

    // Writes `text` with its top left corner at (x, y) of the client area.
    virtual void TextOut(int x, int y, const AnsiString& text) = 0;
    virtual int TextWidth(const AnsiString& text) = 0;
    virtual int TextHeight(const AnsiString& text) = 0;
    virtual void FillRect(const TRect& rect, TColor color) = 0;

private:
    TFont FFont;
};

// A form that draws content of its own beneath its controls derives from this as well; the
// widget set showing the form calls Paint whenever the client area is drawn.
class IPaintedForm {
public:
    virtual ~IPaintedForm();
    virtual void Paint(TCanvas& canvas) = 0;
};
