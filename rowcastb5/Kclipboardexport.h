#pragma once
// Exports to the clipboard, and can start a viewer program on the result.

#include "rowcastb5/Kbaseexport.h"

class TKClipboardExport : public TDerived<TKClipboardExport, TKExport> {
public:
    explicit TKClipboardExport(TComponent* owner);
    ~TKClipboardExport() override;
    static TClass StaticClass();

    // Path of the program that shows the clipboard after an export; none when empty. Started
    // only when the export's options confirm it, with no arguments, found on PATH when the name
    // has no slash.
    const AnsiString& ClipboardViewer() const { return FClipboardViewer; }
    void SetClipboardViewer(const AnsiString& path) { FClipboardViewer = path; }

protected:
    // The clipboard, or the file a preview names (the tab-separated text alone).
    std::unique_ptr<TExportOutput> OpenOutput(const TExportOptions& options, AnsiString& destination) override;
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;
    // Fills the clipboard with the text and the HTML in one change, then starts the viewer.
    void Deliver(TExportOutput& out, TExportWriter& writer, const TExportOptions& options) override;

private:
    void StartViewer(const TExportOptions& options) const;

    AnsiString FClipboardViewer;
};
