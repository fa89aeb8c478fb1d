#include "rowcastb5/Kbaseexport.h"

#include <cstdint>

#include "rowcastb5/Kexportwriter.h"
#include "vcl50/Documentfolder.h"
#include "vcl50/Strings.h"
#include "vcldb50/Db.h"

const char* EExportError::ClassName() const { return "EExportError"; }
const char* EExportAborted::ClassName() const { return "EExportAborted"; }

// ---- TKFormats --------------------------------------------------------------------------------

TKFormats::~TKFormats() = default;

TClass TKFormats::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKFormats, TPersistent>("TKFormats")
        .Property("DateFormat", &TKFormats::DateFormat, &TKFormats::SetDateFormat)
        .Property("DateTimeFormat", &TKFormats::DateTimeFormat, &TKFormats::SetDateTimeFormat)
        .Property("TimeFormat", &TKFormats::TimeFormat, &TKFormats::SetTimeFormat)
        .Build();
    return &meta;
}

void TKFormats::Assign(TPersistent* source)
{
    if (auto* formats = dynamic_cast<TKFormats*>(source)) {
        FDateTimeFormat = formats->FDateTimeFormat;
        FDateFormat = formats->FDateFormat;
        FTimeFormat = formats->FTimeFormat;
        return;
    }
    TPersistent::Assign(source);
}

// ---- TKDataSetComponent -----------------------------------------------------------------------

TKDataSetComponent::~TKDataSetComponent() = default;

void TKDataSetComponent::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == FDataSet)
        return;
    if (FDataSet)
        RemoveFreeNotification(FDataSet);
    FDataSet = dataSet;
    if (FDataSet)
        FDataSet->FreeNotification(this);
}

void TKDataSetComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component && component == FDataSet)
        FDataSet = nullptr;
    TComponent::Notification(component, operation);
}

// ---- TKExport ---------------------------------------------------------------------------------

TKExport::TKExport(TComponent* owner)
    : TDerived(owner),
      FExportedFields(std::make_unique<TStringList>()),
      FFormats(std::make_unique<TKFormats>(this))
{
}

TKExport::~TKExport() = default;

TClass TKExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKExport, TComponent>("TKExport")
        .Property("About", &TKExport::About, &TKExport::SetAbout)
        .Property("DataSet", &TKExport::DataSet, &TKExport::SetDataSet)
        .Property("ExportedFields", &TKExport::ExportedFields, &TKExport::SetExportedFields)
        .Property("Formats", &TKExport::Formats, &TKExport::SetFormats)
        .Build();
    return &meta;
}

void TKExport::SetExportedFields(TStrings* fields)
{
    FExportedFields->Assign(fields);
}

void TKExport::SetFormats(TKFormats* formats)
{
    FFormats->Assign(formats);
}

namespace {

// Progress is told every this many records: often enough for a dialog and a Cancel button, rare
// enough to cost nothing beside the writing.
constexpr int64_t ProgressEvery = 64;

// Closes a dataset that the export opened, however the export ends.
class TOpenedForExport {
public:
    explicit TOpenedForExport(TDataSet* dataSet) : FDataSet(dataSet->Active() ? nullptr : dataSet)
    {
        if (FDataSet)
            FDataSet->Open();
    }
    ~TOpenedForExport()
    {
        if (FDataSet)
            FDataSet->Close();
    }

private:
    TDataSet* FDataSet;
};

}  // namespace

std::vector<TExportColumn> TKExport::ExportedColumns() const
{
    std::vector<TExportColumn> columns;
    auto add = [&](TField* field) {
        columns.push_back({field, field->FieldName(), field->DisplayLabel(), field->DataType()});
    };
    if (FExportedFields->Count() == 0) {
        for (int i = 0; i < DataSet()->FieldCount(); ++i)
            add(DataSet()->Fields()->Fields(i));
        return columns;
    }
    for (int i = 0; i < FExportedFields->Count(); ++i) {
        const AnsiString& name = FExportedFields->Strings(i);
        TField* field = DataSet()->FindField(name);
        if (!field)
            throw EExportError(Format("Field '%s' not found in %s", {name, DataSet()->Name()}));
        add(field);
    }
    return columns;
}

TExportResult TKExport::Export(const TExportOptions& options)
{
    TExportResult result;
    try {
        ExportInto(options, result);
    } catch (const EFileAccessError& e) {
        // The system says what went wrong; the person needs to know with which file.
        throw EExportError(Format("Cannot write \"%s\": %s", {result.Destination, e.Message()}));
    }
    return result;
}

void TKExport::ExportInto(const TExportOptions& options, TExportResult& result)
{
    if (!DataSet())
        throw EExportError(Format("%s has no DataSet", {Name()}));
    TOpenedForExport opened(DataSet());
    const std::vector<TExportColumn> columns = ExportedColumns();
    std::unique_ptr<TExportOutput> out = OpenOutput(options, result.Destination);
    std::unique_ptr<TExportWriter> writer = CreateWriter(*out, columns);

    const int64_t limit = options.MaxRecords;
    int64_t total = DataSet()->RecordCountHint();
    if (limit >= 0 && (total < 0 || total > limit))
        total = limit;
    auto told = [&](int64_t done) {
        if (options.OnProgress && !options.OnProgress(done, total))
            throw EExportAborted("The export was cancelled");
    };
    // One pass over the records; the writer is handed each value through `take`.
    auto pass = [&](auto&& take, auto&& endRecord) {
        int64_t done = 0;
        for (DataSet()->First(); !DataSet()->Eof() && (limit < 0 || done < limit); DataSet()->Next()) {
            for (size_t i = 0; i < columns.size(); ++i)
                take(i, columns[i].Field->Value());
            endRecord();
            if (++done % ProgressEvery == 0)
                told(done);
        }
        return done;
    };
    if (writer->MeasuresFirst())
        pass([&](size_t i, const TFieldValue& value) { writer->Measure(i, value); }, [] {});
    writer->Begin();
    bool inRecord = false;
    result.Rows = pass(
        [&](size_t i, const TFieldValue& value) {
            if (!inRecord) {
                writer->BeginRecord();
                inRecord = true;
            }
            writer->Value(i, value);
        },
        [&] {
            if (!inRecord)
                writer->BeginRecord();  // a record of no columns is still a record
            writer->EndRecord();
            inRecord = false;
        });
    writer->Finish();
    told(result.Rows);
    Deliver(*out, *writer, options);
    result.Notes = writer->Notes();
}

std::unique_ptr<TExportOutput> TKExport::OpenOutput(const TExportOptions& options, AnsiString& destination)
{
    if (options.FileName.empty())
        throw EExportError(Format("%s writes no file", {Name()}));
    destination = options.FileName;
    return std::make_unique<TFileExportOutput>(destination);
}

std::unique_ptr<TExportWriter> TKExport::CreateWriter(TExportOutput&, const std::vector<TExportColumn>&)
{
    throw EExportError(Format("%s has no format of its own", {ClassName()}));
}

void TKExport::Deliver(TExportOutput& out, TExportWriter&, const TExportOptions&)
{
    out.Commit();
}

// ---- TKFileExport -----------------------------------------------------------------------------

TKFileExport::~TKFileExport() = default;

std::unique_ptr<TExportOutput> TKFileExport::OpenOutput(const TExportOptions& options, AnsiString& destination)
{
    if (!options.FileName.empty())
        return TKExport::OpenOutput(options, destination);
    if (FFileName.empty())
        throw EExportError(Format("%s has no FileName", {Name()}));
    destination = ExpandDocumentPath(this, FFileName);
    return std::make_unique<TFileExportOutput>(destination);
}

// ---- THexIniFile ------------------------------------------------------------------------------

THexIniFile::THexIniFile(AnsiString fileName) : TIniFile(std::move(fileName)) {}

THexIniFile::~THexIniFile() = default;

void THexIniFile::WriteHex(std::string_view section, std::string_view ident, int value)
{
    // All 32 bits, so the reading side wraps the text back to the same negative number.
    WriteString(section, ident, "$" + IntToHex(static_cast<uint32_t>(value), 8));
}
