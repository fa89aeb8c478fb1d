#include "rowcastb5/Templates.h"

#include <cstdint>

namespace {

// Colours written as web pages spell them (0xRRGGBB), stored with red in the low byte.
constexpr TColor Web(uint32_t rgb)
{
    return static_cast<TColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

}  // namespace

// Every set keeps text, links and table text readable on their backgrounds (contrast of 3:1 or
// more), which the tests check.

// Black on white; grey only where two things must still be told apart.
const RHTMLTemplate RhtBW = {
    Web(0xFFFFFF), Web(0x000000), Web(0x404040), Web(0x000000), Web(0x000000), "Courier New",
    Web(0x000000), Web(0xFFFFFF), Web(0xFFFFFF), Web(0x000000), Web(0xEBEBEB)};

// The early web: blue and purple links, a navy header, pale blue banding.
const RHTMLTemplate RhtClassic = {
    Web(0xFFFFFF), Web(0x0000EE), Web(0x551A8B), Web(0xFF0000), Web(0x000000), "Times New Roman",
    Web(0x000080), Web(0xFFFFFF), Web(0xFFFFFF), Web(0x000000), Web(0xDDE4F0)};

// Cornsilk page, brick header with yellow titles, mint and sky rows.
const RHTMLTemplate RhtColorFul = {
    Web(0xFFF8DC), Web(0x0000FF), Web(0xC71585), Web(0xE03C00), Web(0x800080), "Comic Sans MS",
    Web(0xB22222), Web(0xFFFF66), Web(0xCCFFCC), Web(0x000080), Web(0xCCEEFF)};

// Shades of grey only.
const RHTMLTemplate RhtGray = {
    Web(0xE8E8E8), Web(0x404040), Web(0x707070), Web(0x000000), Web(0x202020), "Arial",
    Web(0x606060), Web(0xFFFFFF), Web(0xD8D8D8), Web(0x000000), Web(0xC4C4C4)};

// A ledger of personal-finance software: dark green header with gold titles, green banding.
const RHTMLTemplate RhtMS_Money = {
    Web(0xF4F9F4), Web(0x006633), Web(0x4B6B3B), Web(0x9A6B00), Web(0x1B3A1B), "Tahoma",
    Web(0x1E5631), Web(0xFFD700), Web(0xFFFFFF), Web(0x000000), Web(0xE3F1E3)};

// Dark and muddy: light sand text on brown-grey.
const RHTMLTemplate RhtMurky = {
    Web(0x3B3B2F), Web(0xC8A060), Web(0xA08868), Web(0xE8C878), Web(0xD8D0B0), "Georgia",
    Web(0x2A2A20), Web(0xF0E0B0), Web(0x55503F), Web(0xECE4CC), Web(0x4A4636)};

// Olive greens on an off-white page.
const RHTMLTemplate RhtOlive = {
    Web(0xFAFAF0), Web(0x556B2F), Web(0x6B6B23), Web(0x808000), Web(0x333300), "Trebuchet MS",
    Web(0x6B6B00), Web(0xFFFFFF), Web(0xF0F0D8), Web(0x333300), Web(0xDDE0B8)};

// What a browser shows unstyled: white everywhere, default link colours.
const RHTMLTemplate RhtPlain = {
    Web(0xFFFFFF), Web(0x0000FF), Web(0x800080), Web(0xFF0000), Web(0x000000), "Helvetica",
    Web(0xFFFFFF), Web(0x000000), Web(0xFFFFFF), Web(0x000000), Web(0xFFFFFF)};

// Quiet and modern: dark grey text, a light grey header, faint banding.
const RHTMLTemplate RhtSimple = {
    Web(0xFFFFFF), Web(0x0066CC), Web(0x663399), Web(0xCC3300), Web(0x333333), "Verdana",
    Web(0xDDDDDD), Web(0x000000), Web(0xFFFFFF), Web(0x333333), Web(0xF4F4F4)};
