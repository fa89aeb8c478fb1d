#pragma once
// File dialog filters: the platform's "Desc|*.a;*.b|Other|*.c" against Qt's
// "Desc (*.a *.b);;Other (*.c)", and the chosen entry's index both ways.

#include <string>
#include <string_view>
#include <vector>

namespace QtFilters {

// One Qt name filter per description/mask pair, in order. A mask left out or empty means "*".
std::vector<std::string> ToQtFilters(std::string_view platformFilter);
// The entries joined with ";;", as QFileDialog::setNameFilter takes them.
std::string JoinQtFilters(const std::vector<std::string>& filters);

// The entry a 1-based FilterIndex selects; the first when the index is out of range (the
// platform's rule), empty when there are no filters.
std::string FilterForIndex(const std::vector<std::string>& filters, int filterIndex);
// The 1-based index of the entry the person chose; 1 when it is none of them.
int IndexOfFilter(const std::vector<std::string>& filters, std::string_view chosen);

}  // namespace QtFilters
