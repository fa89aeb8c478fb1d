#pragma once
// A text as a one-line view shows it: at most `most` characters of it, cut where a character
// begins. Qt lays out the whole of a text it is given, so a caption of megabytes would cost
// gigabytes and seconds to show the first hundred characters of it.

#include <QString>
#include <string_view>

QString ShownText(std::string_view utf8, int most);
