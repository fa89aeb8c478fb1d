#include "vcl50/qt/QtFilters.h"

namespace QtFilters {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool EndsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

std::vector<std::string> ToQtFilters(std::string_view platformFilter)
{
    std::vector<std::string> result;
    if (platformFilter.empty())
        return result;
    std::vector<std::string_view> parts = Split(platformFilter, '|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        std::string_view description = TrimBlanks(parts[i]);
        std::string patterns;
        if (i + 1 < parts.size()) {
            for (std::string_view mask : Split(parts[i + 1], ';')) {
                mask = TrimBlanks(mask);
                if (mask.empty())
                    continue;
                if (!patterns.empty())
                    patterns += ' ';
                patterns += mask;
            }
        }
        if (patterns.empty())
            patterns.assign(1, '*');
        if (description.empty() && i + 1 >= parts.size())
            continue;  // a trailing '|' leaves an empty last description behind
        std::string shown;
        shown.append(1, '(').append(patterns).append(1, ')');
        // "Text files (*.txt)|*.txt" already names its patterns; Qt reads the last parentheses.
        if (EndsWith(description, shown))
            result.emplace_back(description);
        else if (description.empty())
            result.push_back(shown);
        else
            result.push_back(std::string(description).append(" ").append(shown));
    }
    return result;
}

std::string JoinQtFilters(const std::vector<std::string>& filters)
{
    std::string joined;
    for (const std::string& filter : filters) {
        if (!joined.empty())
            joined += ";;";
        joined += filter;
    }
    return joined;
}

std::string FilterForIndex(const std::vector<std::string>& filters, int filterIndex)
{
    if (filters.empty())
        return {};
    if (filterIndex < 1 || filterIndex > static_cast<int>(filters.size()))
        return filters.front();
    return filters[filterIndex - 1];
}

int IndexOfFilter(const std::vector<std::string>& filters, std::string_view chosen)
{
    for (size_t i = 0; i < filters.size(); ++i)
        if (filters[i] == chosen)
            return static_cast<int>(i) + 1;
    return 1;
}

}  // namespace QtFilters
