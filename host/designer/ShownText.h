#pragma once
// A text as a one-line view shows it: at most `most` characters of it, cut where a character
// begins. Qt lays out the whole of a text it is given, so a caption of megabytes would cost
// gigabytes and seconds to show the first hundred characters of it.

#include <QString>
#include <string_view>

QString ShownText(std::string_view utf8, int most);

// An undo step's label as the Edit menu and the undo history show it: the core's action word
// ("Move HtmlOut") in the person's language, the names as they are. A verb's label is the
// package's own text, which its language module translates.
QString ShownLabel(const std::string& label);
