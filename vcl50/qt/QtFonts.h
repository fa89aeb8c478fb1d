#pragma once
// Model fonts on screen: the platform's family names mapped to installed families of the same
// metrics, heights in pixels as the forms were designed at 96 pixels per inch.

#include "vcl50/Graphics.h"

class QFont;

namespace QtFonts {

// Registers the family substitutions ("MS Sans Serif", "Arial" -> Liberation Sans, ...) with Qt.
// Safe to call more than once.
void InstallSubstitutions();

// A negative Height is the character height in pixels, a positive one the cell height
// (character plus internal leading); 0 is the platform's default of 11 pixels.
QFont ToQFont(const TFont& font);

}  // namespace QtFonts
