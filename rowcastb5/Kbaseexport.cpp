#include "rowcastb5/Kbaseexport.h"

#include <cstdint>

#include "vcl50/Strings.h"
#include "vcldb50/Db.h"

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

// ---- TKFileExport -----------------------------------------------------------------------------

TKFileExport::~TKFileExport() = default;

// ---- THexIniFile ------------------------------------------------------------------------------

THexIniFile::THexIniFile(AnsiString fileName) : TIniFile(std::move(fileName)) {}

THexIniFile::~THexIniFile() = default;

void THexIniFile::WriteHex(std::string_view section, std::string_view ident, int value)
{
    // All 32 bits, so the reading side wraps the text back to the same negative number.
    WriteString(section, ident, "$" + IntToHex(static_cast<uint32_t>(value), 8));
}
