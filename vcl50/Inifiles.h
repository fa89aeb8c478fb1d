#pragma once
// Ini files: sections of `Key=Value` lines, read and written by section and key name.

#include "vcl50/Sysutils.h"

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
    // Nothing is buffered: every change is already on disk.
    void UpdateFile() override;
};
