#pragma once
// Exports to a text file: plain text, comma-separated values, DIF or SYLK.

#include <cstdint>

#include "rowcastb5/Kbaseexport.h"

enum TASCIIExportType : uint8_t { etText, etCSV, etDIF, etSYLK };
template <> struct TypeInfoTraits<TASCIIExportType> { static const TTypeInfo* Get(); };

class TKASCIIExport : public TDerived<TKASCIIExport, TKFileExport> {
public:
    explicit TKASCIIExport(TComponent* owner);
    ~TKASCIIExport() override;
    static TClass StaticClass();

    // Stored as given, like any one-byte ordinal property; readers treat a value past etSYLK as
    // no known kind.
    TASCIIExportType ExportType() const { return FExportType; }
    void SetExportType(TASCIIExportType type) { FExportType = type; }

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;

private:
    TASCIIExportType FExportType = etText;
};
