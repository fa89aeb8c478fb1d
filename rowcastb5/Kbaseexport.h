#pragma once
// The base of the export components: the dataset they export, the fields and their order, the
// formats of date and time values, the file they write, and the run of an export; and the ini
// file class that stores colours as hex.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "vcl50/Classes.h"
#include "vcl50/Inifiles.h"
#include "vcl50/Strings.h"

class TDataSet;
class TStrings;
class TKExport;
class TExportOutput;
class TExportWriter;
struct TExportColumn;

// Why an export wrote nothing: the old file, if any, is kept as it was.
VCL_EXCEPTION_CLASS(EExportError, Exception);
// The person (or the progress callback) stopped the export.
VCL_EXCEPTION_CLASS(EExportAborted, EExportError);

// How one run of an export goes.
struct TExportOptions {
    // Where to write instead of the export's own file (a preview); empty: its FileName.
    AnsiString FileName;
    // Stops after this many records (a preview); negative: all of them.
    int64_t MaxRecords = -1;
    // Told of the records done and the total (-1 when unknown) every few records and at the end;
    // returning false stops the export (EExportAborted).
    std::function<bool(int64_t done, int64_t total)> OnProgress;
    // Asked before a program named by the export is started (the clipboard's viewer); a form
    // from elsewhere must not start programs unasked, so without it none is started.
    std::function<bool(const AnsiString& program)> ConfirmProgram;
};

struct TExportResult {
    int64_t Rows = 0;
    AnsiString Destination;           // the file written, or "clipboard"
    std::vector<AnsiString> Notes;    // what the format left out, for the person
};

// How an export writes date, time and date-and-time values, in the platform's pattern letters.
// An empty pattern means the user's regional setting at the time of the export.
class TKFormats : public TDerived<TKFormats, TPersistent> {
public:
    explicit TKFormats(TComponent* owner = nullptr) : FOwner(owner) {}
    ~TKFormats() override;
    static TClass StaticClass();

    const AnsiString& DateTimeFormat() const { return FDateTimeFormat; }
    void SetDateTimeFormat(const AnsiString& format) { FDateTimeFormat = format; }
    const AnsiString& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const AnsiString& format) { FDateFormat = format; }
    const AnsiString& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const AnsiString& format) { FTimeFormat = format; }

    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TComponent* FOwner;
    AnsiString FDateTimeFormat;
    AnsiString FDateFormat;
    AnsiString FTimeFormat;
};

// What the exports and the export dialog have alike: the dataset and the About button. It has no
// metaclass of its own, so the published classes keep TComponent as their parent; each publishes
// these properties in its own metaclass, in its own order.
class TKDataSetComponent : public TComponent {
public:
    ~TKDataSetComponent() override;

    // The dataset to export, or that the dialog offers; null when none. Freeing the dataset
    // clears it, on any owner.
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    // Shown by the designer as a button to the About box; the stored text is not used.
    const AnsiString& About() const { return FAbout; }
    void SetAbout(const AnsiString& about) { FAbout = about; }

protected:
    explicit TKDataSetComponent(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* component, TOperation operation) override;

private:
    TDataSet* FDataSet = nullptr;
    AnsiString FAbout;
};

class TKExport : public TDerived<TKExport, TKDataSetComponent> {
public:
    explicit TKExport(TComponent* owner);
    ~TKExport() override;
    static TClass StaticClass();

    // Names of the exported fields in export order. The list object stays the component's own:
    // the setter copies the entries.
    TStrings* ExportedFields() const { return FExportedFields.get(); }
    void SetExportedFields(TStrings* fields);
    TKFormats* Formats() const { return FFormats.get(); }
    void SetFormats(TKFormats* formats);

    // Writes the dataset's records, in ExportedFields order (empty: every field), from the first.
    // Opens the dataset when it is closed and closes it again after. Raises EExportError (or the
    // database's or the file's own error) and then leaves the old file as it was.
    TExportResult Export(const TExportOptions& options = {});

protected:
    // Where this export's bytes go for this run, and the path or word that says so.
    virtual std::unique_ptr<TExportOutput> OpenOutput(const TExportOptions& options, AnsiString& destination);
    virtual std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns);
    // Called once the writer finished: makes the output the result.
    virtual void Deliver(TExportOutput& out, TExportWriter& writer, const TExportOptions& options);

private:
    std::vector<TExportColumn> ExportedColumns() const;
    // Export's work; `result` says where it was writing when a file error ends it.
    void ExportInto(const TExportOptions& options, TExportResult& result);

    std::unique_ptr<TStrings> FExportedFields;
    std::unique_ptr<TKFormats> FFormats;
};

// The exports that write a file. Without a metaclass of its own, like TKDataSetComponent: each
// descendant publishes FileName itself, so the property keeps its place among the class's own.
class TKFileExport : public TKExport {
public:
    ~TKFileExport() override;

    // The file the export writes; a relative name is taken against the form file's folder.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& name) { FFileName = name; }

protected:
    explicit TKFileExport(TComponent* owner) : TKExport(owner) {}
    std::unique_ptr<TExportOutput> OpenOutput(const TExportOptions& options, AnsiString& destination) override;

private:
    AnsiString FFileName;
};

// An ini file that can also write integers as hexadecimal text, which ReadInteger reads back as
// the same 32-bit value, negative values (system colours) included.
class THexIniFile : public TIniFile {
public:
    explicit THexIniFile(AnsiString fileName);
    ~THexIniFile() override;

    // Writes "$" and eight hex digits of the value's 32 bits ("$80000008" for clWindowText).
    void WriteHex(std::string_view section, std::string_view ident, int value);
};
