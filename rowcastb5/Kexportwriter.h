#pragma once
// What every export has in common once its records are read: the columns it writes, where its
// bytes go, and the small class that turns one record at a time into its format. The reading
// loop is one (TKExport::Export); each format is one writer that knows only its own rules.

#include <memory>
#include <vector>

#include "vcldb50/Db.h"
#include "vcl50/Wholefiles.h"

class TKFormats;

// One exported column: its field, the name machine formats use and the title people read.
struct TExportColumn {
    TField* Field;
    AnsiString Name;   // the field name
    AnsiString Title;  // the display label
    TFieldType Type;
};

// Where a writer's bytes go: a file that replaces the export's file only when the export
// succeeds, or memory (the clipboard).
class TExportOutput {
public:
    virtual ~TExportOutput();
    virtual void Write(std::string_view bytes) = 0;
    // The file a library may write itself by name; empty for memory.
    virtual const AnsiString& FilePath() const = 0;
    // Makes what was written the result; nothing written counts before.
    virtual void Commit() = 0;
};

class TFileExportOutput : public TExportOutput {
public:
    explicit TFileExportOutput(const AnsiString& path) : FFile(path) {}
    ~TFileExportOutput() override;
    void Write(std::string_view bytes) override { FFile.Write(bytes); }
    const AnsiString& FilePath() const override { return FFile.TemporaryPath(); }
    void Commit() override { FFile.Commit(); }

private:
    TReplacementFile FFile;
};

class TMemoryExportOutput : public TExportOutput {
public:
    ~TMemoryExportOutput() override;
    void Write(std::string_view bytes) override { FBytes.append(bytes); }
    const AnsiString& FilePath() const override { return FNoPath; }
    void Commit() override {}
    const AnsiString& Bytes() const { return FBytes; }

private:
    AnsiString FBytes;
    AnsiString FNoPath;
};

// How values read as text where a format shows them as people read them: dates by the export's
// Formats patterns (the regional ones where a pattern is empty, taken when the export starts),
// numbers in their shortest exact form with '.', truth values as "True"/"False", bytes as hex.
class TValueText {
public:
    explicit TValueText(const TKFormats& formats);
    AnsiString Text(const TExportColumn& column, const TFieldValue& value) const;
    // The same, appended to `out`, so that a writer's buffers serve every record.
    void Append(AnsiString& out, const TExportColumn& column, const TFieldValue& value) const;
    // The pattern that a date value of the column is shown in.
    const AnsiString& DatePattern(const TExportColumn& column) const;

private:
    AnsiString FDate, FTime, FDateTime;
};

// The text as UTF-8: every byte that is not part of a valid UTF-8 sequence becomes U+FFFD.
AnsiString ValidUtf8(std::string_view text);
void AppendValidUtf8(AnsiString& out, std::string_view text);
// Lower-case hexadecimal of the bytes, two digits each.
AnsiString HexBytes(std::string_view bytes);

// Fed one record at a time: Begin, then for each record BeginRecord, Value per column in column
// order, EndRecord; then Finish. A writer that sizes its columns from the data (MeasuresFirst) is
// first fed every record through Measure, then the same records again.
class TExportWriter {
public:
    virtual ~TExportWriter();

    virtual bool MeasuresFirst() const { return false; }
    virtual void Measure(size_t /*column*/, const TFieldValue& /*value*/) {}
    virtual void Begin() = 0;
    virtual void BeginRecord() {}
    virtual void Value(size_t column, const TFieldValue& value) = 0;
    virtual void EndRecord() {}
    virtual void Finish() = 0;
    // What the person should know of the result (columns a format had to leave out).
    const std::vector<AnsiString>& Notes() const { return FNotes; }

protected:
    TExportWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats)
        : FOut(out), FColumns(columns), FText(formats)
    {
    }
    void Write(std::string_view bytes) { FOut.Write(bytes); }
    TExportOutput& Out() const { return FOut; }
    const std::vector<TExportColumn>& Columns() const { return FColumns; }
    const TExportColumn& Column(size_t index) const { return FColumns[index]; }
    AnsiString Text(size_t column, const TFieldValue& value) const { return FText.Text(FColumns[column], value); }
    const TValueText& ValueText() const { return FText; }
    void Note(AnsiString note) { FNotes.push_back(std::move(note)); }

private:
    TExportOutput& FOut;
    const std::vector<TExportColumn>& FColumns;
    TValueText FText;
    std::vector<AnsiString> FNotes;
};
