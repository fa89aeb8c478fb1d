#pragma once
// Exports to an XML document.

#include "rowcastb5/Kbaseexport.h"

class TKXMLExport : public TKExport {
public:
    explicit TKXMLExport(TComponent* owner);
    ~TKXMLExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The file the export writes.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& name) { FFileName = name; }

private:
    AnsiString FFileName;
};
