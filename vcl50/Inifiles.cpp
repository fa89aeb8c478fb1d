#include "vcl50/Inifiles.h"

#include <cerrno>
#include <utility>
#include <vector>

#include "vcl50/Classes.h"
#include "vcl50/Strings.h"
#include "vcl50/Wholefiles.h"

// ---- TCustomIniFile ---------------------------------------------------------------------------

TCustomIniFile::TCustomIniFile(AnsiString fileName) : FFileName(std::move(fileName)) {}

TCustomIniFile::~TCustomIniFile() = default;

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, int fallback)
{
    return StrToIntDef(Trim(ReadString(section, ident, "")), fallback);
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, int value)
{
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool fallback)
{
    return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(std::string_view section)
{
    TStringList sections;
    ReadSections(&sections);
    return sections.IndexOf(Trim(section)) >= 0;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view ident)
{
    TStringList keys;
    ReadSection(section, &keys);
    return keys.IndexOf(Trim(ident)) >= 0;
}

// ---- the file's text --------------------------------------------------------------------------

namespace {

// One line as it stands in the file, with its own line end, so that untouched lines are written
// back byte for byte.
struct TIniLine {
    enum TKind { Other, Section, Key };
    AnsiString Text;
    AnsiString Eol;  // "\r\n", "\n", or "" for a last line without one
    TKind Kind = Other;
    AnsiString Name;
    AnsiString Value;
};

TIniLine ParseLine(AnsiString text, AnsiString eol)
{
    TIniLine line;
    line.Text = std::move(text);
    line.Eol = std::move(eol);
    AnsiString t = Trim(line.Text);
    size_t close = t.find(']');
    if (!t.empty() && t[0] == '[' && close != AnsiString::npos) {
        line.Kind = TIniLine::Section;
        line.Name = Trim(std::string_view(t).substr(1, close - 1));
        return line;
    }
    size_t equals = t.find('=');
    if (t.empty() || t[0] == ';' || t[0] == '#' || equals == AnsiString::npos)
        return line;
    line.Name = Trim(std::string_view(t).substr(0, equals));
    if (line.Name.empty())
        return line;
    line.Kind = TIniLine::Key;
    line.Value = Trim(std::string_view(t).substr(equals + 1));
    return line;
}

bool IsBlank(const TIniLine& line) { return Trim(line.Text).empty(); }

}  // namespace

// Declared in the header, so that an ini file can hold a batch of changes.
class TIniDocument {
public:
    explicit TIniDocument(std::string_view content)
    {
        static constexpr std::string_view Bom = "\xEF\xBB\xBF";
        if (content.substr(0, Bom.size()) == Bom) {
            FBom = Bom;
            content.remove_prefix(Bom.size());
        }
        while (!content.empty()) {
            size_t end = content.find('\n');
            std::string_view text = content.substr(0, end);
            std::string_view eol = end == std::string_view::npos ? "" : "\n";
            if (!eol.empty() && !text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                eol = "\r\n";
            }
            FLines.push_back(ParseLine(AnsiString(text), AnsiString(eol)));
            content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        }
        if (!FLines.empty() && !FLines.front().Eol.empty())
            FEol = FLines.front().Eol;
    }

    AnsiString Text() const
    {
        AnsiString out = FBom;
        for (const auto& line : FLines)
            out += line.Text + line.Eol;
        return out;
    }

    const TIniLine* FindKey(std::string_view section, std::string_view ident) const
    {
        int index = -1;
        ForEachInSection(section, [&](size_t i) {
            if (index < 0 && FLines[i].Kind == TIniLine::Key && SameText(FLines[i].Name, ident))
                index = static_cast<int>(i);
        });
        return index < 0 ? nullptr : &FLines[static_cast<size_t>(index)];
    }

    // Key names of every section of that name, each once, in file order.
    std::vector<AnsiString> Keys(std::string_view section) const
    {
        std::vector<AnsiString> keys;
        ForEachInSection(section, [&](size_t i) {
            if (FLines[i].Kind == TIniLine::Key)
                AddOnce(keys, FLines[i].Name);
        });
        return keys;
    }

    std::vector<AnsiString> Sections() const
    {
        std::vector<AnsiString> sections;
        for (const auto& line : FLines)
            if (line.Kind == TIniLine::Section)
                AddOnce(sections, line.Name);
        return sections;
    }

    // False when the file already says so and needs no rewrite.
    bool Write(std::string_view section, std::string_view ident, std::string_view value)
    {
        AnsiString text = AnsiString(ident) + "=" + AnsiString(value);
        if (const TIniLine* found = FindKey(section, ident)) {
            if (found->Value == value)
                return false;
            auto& line = FLines[static_cast<size_t>(found - FLines.data())];
            line = ParseLine(text, line.Eol);
            return true;
        }
        // After the section's last key, or after its last non-blank line when it has no key, so
        // that the blank lines before the next section stay where they are.
        int header = -1, lastKey = -1, lastFilled = -1;
        bool inFirst = false;
        for (size_t i = 0; i < FLines.size(); ++i) {
            const auto& line = FLines[i];
            if (line.Kind == TIniLine::Section) {
                if (header >= 0 && inFirst)
                    break;
                inFirst = header < 0 && SameText(line.Name, section);
                if (inFirst)
                    header = lastFilled = static_cast<int>(i);
            } else if (inFirst) {
                if (line.Kind == TIniLine::Key)
                    lastKey = static_cast<int>(i);
                if (!IsBlank(line))
                    lastFilled = static_cast<int>(i);
            }
        }
        if (header >= 0) {
            InsertAfter(static_cast<size_t>(lastKey >= 0 ? lastKey : lastFilled), text);
            return true;
        }
        if (!FLines.empty() && !IsBlank(FLines.back()))
            Append("");  // a blank line between sections
        Append("[" + AnsiString(section) + "]");
        Append(text);
        return true;
    }

    bool EraseSection(std::string_view section)
    {
        std::vector<bool> erase(FLines.size(), false);
        bool inside = false;
        for (size_t i = 0; i < FLines.size(); ++i) {
            if (FLines[i].Kind == TIniLine::Section)
                inside = SameText(FLines[i].Name, section);
            erase[i] = inside;
        }
        return EraseMarked(erase);
    }

    bool DeleteKey(std::string_view section, std::string_view ident)
    {
        std::vector<bool> erase(FLines.size(), false);
        ForEachInSection(section, [&](size_t i) {
            erase[i] = FLines[i].Kind == TIniLine::Key && SameText(FLines[i].Name, ident);
        });
        return EraseMarked(erase);
    }

private:
    // Calls `visit` with the index of every line inside the sections of that name.
    template <class Visit>
    void ForEachInSection(std::string_view section, Visit visit) const
    {
        bool inside = false;
        for (size_t i = 0; i < FLines.size(); ++i) {
            if (FLines[i].Kind == TIniLine::Section)
                inside = SameText(FLines[i].Name, section);
            else if (inside)
                visit(i);
        }
    }

    static void AddOnce(std::vector<AnsiString>& names, const AnsiString& name)
    {
        for (const auto& n : names)
            if (SameText(n, name))
                return;
        names.push_back(name);
    }

    void InsertAfter(size_t index, const AnsiString& text)
    {
        if (FLines[index].Eol.empty())
            FLines[index].Eol = FEol;
        FLines.insert(FLines.begin() + static_cast<ptrdiff_t>(index) + 1, ParseLine(text, FEol));
    }

    void Append(const AnsiString& text)
    {
        if (FLines.empty())
            FLines.push_back(ParseLine(text, FEol));
        else
            InsertAfter(FLines.size() - 1, text);
    }

    bool EraseMarked(const std::vector<bool>& erase)
    {
        std::vector<TIniLine> kept;
        for (size_t i = 0; i < FLines.size(); ++i)
            if (!erase[i])
                kept.push_back(std::move(FLines[i]));
        bool changed = kept.size() != FLines.size();
        FLines = std::move(kept);
        return changed;
    }

    AnsiString FBom;
    std::vector<TIniLine> FLines;
    AnsiString FEol = "\n";  // of new lines: the file's own, LF for a new file
};

namespace {

// ---- the file on disk -------------------------------------------------------------------------

// A guard against reading a runaway file whole into memory.
constexpr size_t MaxIniFileSize = 64u << 20;

[[noreturn]] void Fail(std::string_view action, const AnsiString& path, std::string_view reason)
{
    throw EIniFileException("Cannot " + AnsiString(action) + " ini file '" + path + "': " + AnsiString(reason));
}

// A missing file reads as empty.
AnsiString ReadIniBytes(const AnsiString& path)
{
    try {
        return ReadFileBytes(path, MaxIniFileSize);
    } catch (const EFileAccessError& e) {
        if (e.ErrorCode() == ENOENT || e.ErrorCode() == ENOTDIR)
            return "";
        Fail("read", path, e.Message());
    }
}

void ReplaceIniBytes(const AnsiString& path, std::string_view bytes)
{
    try {
        ReplaceFileBytes(path, bytes);
    } catch (const EFileAccessError& e) {
        Fail("write", path, e.Message());
    }
}

// Names and values are written as one `Key=Value` line; what would break that line, or be read
// back as another name, is refused before anything is written.
void CheckWritable(const AnsiString& path, std::string_view section, std::string_view ident,
                   std::string_view value)
{
    auto has = [](std::string_view s, std::string_view chars) { return s.find_first_of(chars) != s.npos; };
    if (has(section, "\r\n]"))
        Fail("write", path, "invalid section name '" + AnsiString(section) + "'");
    if (ident.empty() || has(ident, "\r\n=") || ident[0] == '[' || ident[0] == ';' || ident[0] == '#')
        Fail("write", path, "invalid key name '" + AnsiString(ident) + "'");
    if (has(value, "\r\n"))
        Fail("write", path, "the value of '" + AnsiString(ident) + "' holds a line break");
}

// Fills a string list as one batch of changes.
void FillStrings(TStrings* strings, const std::vector<AnsiString>& names)
{
    strings->BeginUpdate();
    try {
        strings->Clear();
        for (const auto& name : names)
            strings->Add(name);
    } catch (...) {
        strings->EndUpdate();
        throw;
    }
    strings->EndUpdate();
}

}  // namespace

// ---- TIniFile ---------------------------------------------------------------------------------

namespace {

TIniDocument Load(const AnsiString& path)
{
    return TIniDocument(ReadIniBytes(path));
}

}  // namespace

TIniFile::TIniFile(AnsiString fileName) : TCustomIniFile(std::move(fileName)) {}

TIniFile::~TIniFile() = default;

TIniDocument& TIniFile::Batch()
{
    if (!FBatch)
        FBatch = std::make_unique<TIniDocument>(Load(FileName()));
    return *FBatch;
}

template <class Read>
auto TIniFile::Reading(Read read)
{
    if (FUpdateCount > 0)
        return read(Batch());
    return read(Load(FileName()));
}

void TIniFile::Change(const std::function<bool(TIniDocument&)>& edit)
{
    if (FUpdateCount == 0) {
        TIniDocument doc = Load(FileName());
        if (edit(doc))
            ReplaceIniBytes(FileName(), doc.Text());
        return;
    }
    if (edit(Batch()))
        FBatchChanged = true;
}

void TIniFile::WriteBatch()
{
    if (FBatch && FBatchChanged)
        ReplaceIniBytes(FileName(), FBatch->Text());
    FBatchChanged = false;
}

AnsiString TIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view fallback)
{
    return Reading([&](const TIniDocument& doc) {
        const TIniLine* line = doc.FindKey(Trim(section), Trim(ident));
        return line ? line->Value : AnsiString(fallback);
    });
}

void TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
    AnsiString s = Trim(section), k = Trim(ident), v = Trim(value);
    CheckWritable(FileName(), s, k, v);
    Change([&](TIniDocument& doc) { return doc.Write(s, k, v); });
}

void TIniFile::ReadSection(std::string_view section, TStrings* strings)
{
    FillStrings(strings, Reading([&](const TIniDocument& doc) { return doc.Keys(Trim(section)); }));
}

void TIniFile::ReadSections(TStrings* strings)
{
    FillStrings(strings, Reading([](const TIniDocument& doc) { return doc.Sections(); }));
}

void TIniFile::EraseSection(std::string_view section)
{
    Change([&](TIniDocument& doc) { return doc.EraseSection(Trim(section)); });
}

void TIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
    Change([&](TIniDocument& doc) { return doc.DeleteKey(Trim(section), Trim(ident)); });
}

void TIniFile::UpdateFile()
{
    WriteBatch();
}

void TIniFile::BeginUpdate()
{
    ++FUpdateCount;
}

void TIniFile::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    // The batch ends whether or not its write succeeds: a failed one leaves the old file.
    struct TEnd {
        TIniFile& File;
        ~TEnd()
        {
            File.FBatch.reset();
            File.FBatchChanged = false;
        }
    } end{*this};
    WriteBatch();
}
