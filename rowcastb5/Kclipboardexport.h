#pragma once
// Exports to the clipboard, and can start a viewer program on the result.

#include "rowcastb5/Kbaseexport.h"

class TKClipboardExport : public TDerived<TKClipboardExport, TKExport> {
public:
    explicit TKClipboardExport(TComponent* owner);
    ~TKClipboardExport() override;
    static TClass StaticClass();

    // Path of the program that shows the clipboard after an export; none when empty.
    const AnsiString& ClipboardViewer() const { return FClipboardViewer; }
    void SetClipboardViewer(const AnsiString& path) { FClipboardViewer = path; }

private:
    AnsiString FClipboardViewer;
};
