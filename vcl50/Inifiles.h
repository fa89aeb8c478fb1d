#pragma once
// Ini files: sections of `Key=Value` lines, read and written by section and key name.

#include <functional>
#include <memory>

#include "vcl50/Sysutils.h"

class TIniDocument;
class TStrings;

// The ini file interface. Section and key names match without regard to letter case.
// Integers and booleans are stored as text through ReadString/WriteString.
class TCustomIniFile {
public:
    explicit TCustomIniFile(AnsiString fileName);
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;
    virtual ~TCustomIniFile();

    const AnsiString& FileName() const { return FFileName; }

    virtual AnsiString ReadString(std::string_view section, std::string_view ident,
                                  std::string_view fallback) = 0;
    virtual void WriteString(std::string_view section, std::string_view ident, std::string_view value) = 0;
    // Decimal, `$` hex or `0x` hex as StrToInt reads them; `fallback` for a missing key or text
    // that is no number.
    virtual int ReadInteger(std::string_view section, std::string_view ident, int fallback);
    virtual void WriteInteger(std::string_view section, std::string_view ident, int value);
    // A number: 0 is false, any other true; `fallback` for a missing key or text that is no number.
    virtual bool ReadBool(std::string_view section, std::string_view ident, bool fallback);
    virtual void WriteBool(std::string_view section, std::string_view ident, bool value);

    // Fill `strings` (cleared first) with the key names of a section, or with the section names.
    virtual void ReadSection(std::string_view section, TStrings* strings) = 0;
    virtual void ReadSections(TStrings* strings) = 0;
    virtual bool SectionExists(std::string_view section);
    virtual bool ValueExists(std::string_view section, std::string_view ident);
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view ident) = 0;
    // Writes what is still buffered to the file.
    virtual void UpdateFile() = 0;

private:
    AnsiString FFileName;
};

// An ini file on disk. Every call reads the file afresh, and every change has replaced the file
// atomically (temporary file beside it, flushed, renamed over it) when it returns, leaving all
// other sections, keys, comments and blank lines as they were.
// A missing file reads as empty. A file that cannot be read, or a change that cannot be written,
// raises EIniFileException with the path and the system's reason; the old file stays as it was.
// Changes meant to land together go between BeginUpdate and EndUpdate: the file is then read once
// and replaced once, so it holds all of them or none; many reads in a row may share one batch too.
// Names and values that would break the file's lines (a line break, '=' in a key, ']' in a
// section) raise EIniFileException and write nothing.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(AnsiString fileName);
    ~TIniFile() override;

    AnsiString ReadString(std::string_view section, std::string_view ident, std::string_view fallback) override;
    void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
    void ReadSection(std::string_view section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view ident) override;
    // Writes the changes of the open batch so far; outside a batch every change is on disk already.
    void UpdateFile() override;

    // From here to the matching EndUpdate, the file is read once, at the first call; changes are
    // kept and reads see them; the outermost EndUpdate writes them as one replacement of the file
    // (nothing when nothing changed). Batches nest. An ini file freed inside a batch (an exception
    // on its way out) writes nothing of it.
    void BeginUpdate();
    void EndUpdate();

private:
    // Calls `read` with the text as a read sees it: the open batch's, else the file's, read afresh.
    template <class Read>
    auto Reading(Read read);
    // The open batch's text, read from the file at the batch's first call.
    TIniDocument& Batch();
    // Applies `edit` (true when it changed something); written now, or by the batch's end.
    void Change(const std::function<bool(TIniDocument&)>& edit);
    void WriteBatch();

    int FUpdateCount = 0;
    std::unique_ptr<TIniDocument> FBatch;  // read at the batch's first call
    bool FBatchChanged = false;
};
