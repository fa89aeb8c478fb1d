#pragma once
// The colour sets of the predefined HTML templates.

#include "vcl50/Graphics.h"

// One predefined look of an HTML export: page, links, text, and the table's header row, data
// rows and text. Members in the order the templates have always been laid out.
struct RHTMLTemplate {
    TColor BackGroundColor;
    TColor LinkColor;
    TColor VLinkColor;
    TColor ALinkColor;
    TColor DefaultFontColor;
    AnsiString DefaultFontName;   // the face the template was drawn for; editors keep their own
    TColor HeadersRowBgColor;
    TColor HeadersRowFontColor;
    TColor TableBgColor;          // first, third, ... data row
    TColor TableFontColor;
    TColor OddRowBgColor;         // second, fourth, ... data row

    bool operator==(const RHTMLTemplate&) const = default;
};

extern const RHTMLTemplate RhtBW;
extern const RHTMLTemplate RhtClassic;
extern const RHTMLTemplate RhtColorFul;
extern const RHTMLTemplate RhtGray;
extern const RHTMLTemplate RhtMS_Money;
extern const RHTMLTemplate RhtMurky;
extern const RHTMLTemplate RhtOlive;
extern const RHTMLTemplate RhtPlain;
extern const RHTMLTemplate RhtSimple;
