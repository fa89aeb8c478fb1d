#include "vcl50/qt/QtFonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <cmath>

namespace QtFonts {
namespace {

constexpr int DefaultCharHeight = 11;

// Families the package's forms name, with installed families of the same metrics first.
struct Substitution {
    const char* family;
    const char* replacements[2];
};
constexpr Substitution Substitutions[] = {
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Microsoft Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"Helvetica", {"Liberation Sans", "DejaVu Sans"}},
    {"Tahoma", {"Liberation Sans", "DejaVu Sans"}},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
};

}  // namespace

void InstallSubstitutions()
{
    for (const Substitution& s : Substitutions) {
        QString family = QString::fromLatin1(s.family);
        if (!QFont::substitutes(family).isEmpty())
            continue;
        QFont::insertSubstitutions(family, {QString::fromLatin1(s.replacements[0]),
                                            QString::fromLatin1(s.replacements[1])});
    }
}

QFont ToQFont(const TFont& font)
{
    QFont result(QString::fromStdString(font.Name()));
    const TFontStyles style = font.Style();
    result.setBold(style.Contains(fsBold));
    result.setItalic(style.Contains(fsItalic));
    result.setUnderline(style.Contains(fsUnderline));
    result.setStrikeOut(style.Contains(fsStrikeOut));
    if (font.Pitch() == fpFixed)
        result.setFixedPitch(true);

    int height = font.Height();
    if (height == 0)
        height = -DefaultCharHeight;
    if (height < 0) {
        result.setPixelSize(-height);
    } else {
        // A cell height: measure the family's leading at a large size and scale down.
        constexpr int reference = 200;
        result.setPixelSize(reference);
        double cell = QFontMetricsF(result).height();
        int pixels = cell > 0 ? static_cast<int>(std::lround(height * reference / cell)) : height;
        result.setPixelSize(pixels > 0 ? pixels : 1);
    }
    return result;
}

}  // namespace QtFonts
