#include "vcldb50/Pgstatements.h"

namespace {

bool PlainNameByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           c >= 0x80;
}

bool NameStartByte(unsigned char c)
{
    return PlainNameByte(c) && c != '$' && !(c >= '0' && c <= '9');
}

// From `at` on the opening quote to after the closing one; a doubled quote stays inside. In an
// escape string a backslash takes the next byte with it.
size_t SkipQuoted(std::string_view sql, size_t at, bool escapes)
{
    const char quote = sql[at];
    for (++at; at < sql.size(); ++at) {
        if (escapes && sql[at] == '\\')
            ++at;
        else if (sql[at] == quote && !(at + 1 < sql.size() && sql[at + 1] == quote))
            return at + 1;
        else if (sql[at] == quote)
            ++at;
    }
    return sql.size();
}

// From `at` on a "$tag$" to after its closing twin; `at` itself when the dollar starts no quote.
size_t SkipDollarQuoted(std::string_view sql, size_t at)
{
    size_t tagEnd = at + 1;
    if (tagEnd < sql.size() && NameStartByte(static_cast<unsigned char>(sql[tagEnd])))
        while (tagEnd < sql.size() && PlainNameByte(static_cast<unsigned char>(sql[tagEnd])) && sql[tagEnd] != '$')
            ++tagEnd;
    if (tagEnd >= sql.size() || sql[tagEnd] != '$')
        return at;
    const std::string_view tag = sql.substr(at, tagEnd + 1 - at);
    const size_t close = sql.find(tag, tagEnd + 1);
    return close == std::string_view::npos ? sql.size() : close + tag.size();
}

// From `at` on "/*" to after its end; such comments nest.
size_t SkipBlockComment(std::string_view sql, size_t at)
{
    int depth = 0;
    while (at + 1 < sql.size()) {
        if (sql[at] == '/' && sql[at + 1] == '*') {
            ++depth;
            at += 2;
        } else if (sql[at] == '*' && sql[at + 1] == '/') {
            at += 2;
            if (--depth == 0)
                return at;
        } else {
            ++at;
        }
    }
    return sql.size();
}

}  // namespace

std::vector<AnsiString> PgNameParts(std::string_view text)
{
    std::vector<AnsiString> parts;
    size_t i = 0;
    while (true) {
        AnsiString part;
        if (i < text.size() && text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return {};
                if (text[i] == '"' && !(i + 1 < text.size() && text[i + 1] == '"'))
                    break;
                if (text[i] == '"')
                    ++i;
                part += text[i];
            }
            ++i;
        } else {
            for (; i < text.size() && PlainNameByte(static_cast<unsigned char>(text[i])); ++i)
                part += static_cast<char>(text[i] >= 'A' && text[i] <= 'Z' ? text[i] - 'A' + 'a' : text[i]);
        }
        if (part.empty())
            return {};
        parts.push_back(part);
        if (i == text.size())
            return parts.size() <= 2 ? parts : std::vector<AnsiString>{};
        if (text[i] != '.')
            return {};
        ++i;
    }
}

AnsiString PgQuoteIdentifier(std::string_view name)
{
    AnsiString quoted = "\"";
    for (char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

AnsiString PgNamePartText(std::string_view name)
{
    bool plain = !name.empty() && !(name[0] >= '0' && name[0] <= '9') && name[0] != '$';
    for (char c : name)
        plain = plain && PlainNameByte(static_cast<unsigned char>(c)) && !(c >= 'A' && c <= 'Z');
    return plain ? AnsiString(name) : PgQuoteIdentifier(name);
}

// Reads the query's tokens as the server's lexer does, as far as telling them from comments and
// blanks needs: quoted names, strings (E'' with escapes), dollar quotes and nested comments.
std::string_view PgQueryBody(std::string_view query)
{
    size_t end = 0;  // after the last token that is not a semicolon
    for (size_t i = 0; i < query.size();) {
        const auto c = static_cast<unsigned char>(query[i]);
        const char next = i + 1 < query.size() ? query[i + 1] : '\0';
        if (c == ';' || c == ' ' || (c >= '\t' && c <= '\r')) {
            ++i;
            continue;
        }
        if (c == '-' && next == '-') {
            const size_t lineEnd = query.find('\n', i);
            i = lineEnd == std::string_view::npos ? query.size() : lineEnd;
            continue;
        }
        if (c == '/' && next == '*') {
            i = SkipBlockComment(query, i);
            continue;
        }
        if (c == '\'' || c == '"') {
            i = SkipQuoted(query, i, false);
        } else if (c == '$' && SkipDollarQuoted(query, i) != i) {
            i = SkipDollarQuoted(query, i);
        } else if (PlainNameByte(c)) {
            const size_t start = i;
            while (i < query.size() && PlainNameByte(static_cast<unsigned char>(query[i])))
                ++i;
            // E'...' is an escape string; B'', X'', N'' and U&'' are plain ones.
            if (i < query.size() && query[i] == '\'')
                i = SkipQuoted(query, i, i - start == 1 && (query[start] | 0x20) == 'e');
        } else {
            ++i;
        }
        end = i;
    }
    return query.substr(0, end);
}

AnsiString PgCopyStatement(std::string_view query, const std::vector<AnsiString>& textBy)
{
    AnsiString columns, names;
    for (size_t i = 0; i < textBy.size(); ++i) {
        const AnsiString name = "c" + IntToStr(static_cast<int>(i) + 1);
        names += (i ? ", " : "") + name;
        columns += (i ? ", " : "") + (textBy[i].empty() ? "q." + name : textBy[i] + "(q." + name + ")::text");
    }
    // The query on lines of its own: a comment at its end ends with its line.
    return "COPY (SELECT " + columns + " FROM (\n" + AnsiString(PgQueryBody(query)) + "\n) AS q(" + names +
           ")) TO STDOUT (FORMAT binary)";
}
