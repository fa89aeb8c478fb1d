#pragma once
// The canvas a form paints on under Qt: a painter on the form's window for one paint event.

#include "vcl50/Canvas.h"

class QPainter;

class QtCanvas : public TCanvas {
public:
    explicit QtCanvas(QPainter& painter) : FPainter(painter) {}
    ~QtCanvas() override;

    void TextOut(int x, int y, const AnsiString& text) override;
    int TextWidth(const AnsiString& text) override;
    int TextHeight(const AnsiString& text) override;
    void FillRect(const TRect& rect, TColor color) override;

private:
    QPainter& FPainter;
};
