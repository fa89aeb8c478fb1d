#pragma once
// Common dialogs (colour, open, save) and ShowMessage. A dialog takes its outcome from the
// interaction queue when an answer is queued, else from the widget set, and always tells the
// interaction observer what it was shown with and how it ended.

#include "vcl50/Classes.h"
#include "vcl50/Graphics.h"

class TCommonDialog : public TDerived<TCommonDialog, TComponent> {
public:
    explicit TCommonDialog(TComponent* owner);
    ~TCommonDialog() override;
    static TClass StaticClass();

    // True when the person confirmed a choice, false when they cancelled.
    virtual bool Execute() = 0;
};

class TColorDialog : public TDerived<TColorDialog, TCommonDialog> {
public:
    explicit TColorDialog(TComponent* owner);
    ~TColorDialog() override;
    static TClass StaticClass();

    // The colour the dialog starts from and, after a confirmed Execute, the one chosen.
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }

    bool Execute() override;

private:
    TColor FColor = clBlack;
};

enum TOpenOption : uint8_t {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
    ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
    ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
    ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;
template <> struct TypeInfoTraits<TOpenOption> { static const TTypeInfo* Get(); };
template <> struct TypeInfoTraits<TOpenOptions> { static const TTypeInfo* Get(); };

class TOpenDialog : public TDerived<TOpenDialog, TCommonDialog> {
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;
    static TClass StaticClass();

    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& title) { FTitle = title; }
    // Pairs of description and masks: "Text files (*.txt)|*.txt|Web pages|*.html;*.htm".
    const AnsiString& Filter() const { return FFilter; }
    void SetFilter(const AnsiString& filter) { FFilter = filter; }
    // 1-based: which pair of the filter is chosen.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int filterIndex) { FFilterIndex = filterIndex; }
    // Given without its dot; added to a chosen name that has no extension.
    const AnsiString& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const AnsiString& defaultExt) { FDefaultExt = defaultExt; }
    // The name the dialog starts with and, after a confirmed Execute, the one chosen.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& fileName) { FFileName = fileName; }
    const AnsiString& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& initialDir) { FInitialDir = initialDir; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions options) { FOptions = options; }

    bool Execute() override;

private:
    AnsiString FTitle;
    AnsiString FFilter;
    int FFilterIndex = 1;
    AnsiString FDefaultExt;
    AnsiString FFileName;
    AnsiString FInitialDir;
    TOpenOptions FOptions{ofHideReadOnly};
};

class TSaveDialog : public TDerived<TSaveDialog, TOpenDialog> {
public:
    using TDerived::TDerived;
    ~TSaveDialog() override;
    static TClass StaticClass();
};

// `path` with "." + defaultExt added when its file name has no extension; a trailing dot gives
// way to it, a leading dot (a hidden file) is no extension.
AnsiString AddDefaultExt(const AnsiString& path, const AnsiString& defaultExt);

// A plain message box with an OK button; it needs no answer.
void ShowMessage(const AnsiString& message);
