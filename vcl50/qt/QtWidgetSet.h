#pragma once
// The Qt 6 widget set: real windows for the model's forms. Installed at run time with
// SetWidgetSet; the model never sees a Qt type.

#include <memory>
#include <vector>

#include "vcl50/Widgetset.h"

class QWidget;
class TCustomForm;

class TQtWidgetSet : public TWidgetSet {
public:
    // Interactive: a person answers modal forms and common dialogs. Scripted: as the headless
    // widget set, modal forms take the queued handlers (run once the window is up, so they act
    // on real widgets) and a common dialog without a queued answer is an error; message boxes
    // are traced and closed without showing.
    enum class TMode { Interactive, Scripted };

    explicit TQtWidgetSet(TMode mode = TMode::Interactive);
    ~TQtWidgetSet() override;

    std::unique_ptr<TControlPeer> CreatePeer(TControl* control) override;
    void RunModal(TCustomForm* form) override;
    std::optional<TColor> ExecuteColorDialog(TColorDialog* dialog) override;
    std::optional<AnsiString> ExecuteFileDialog(TOpenDialog* dialog) override;
    int MessageBox(const AnsiString& text, const AnsiString& caption, int flags) override;
    void ProcessMessages() override;
    // The system clipboard, in both modes: other programs share it.
    AnsiString ClipboardText() const override;
    AnsiString ClipboardHtml() const override;
    void SetClipboard(const AnsiString& text, const AnsiString& html) override;

    TMode Mode() const { return FMode; }

    // A PNG of a shown form's client area, exactly ClientWidth x ClientHeight pixels.
    static void Screenshot(TCustomForm* form, const AnsiString& path);
    // Makes the application object when there is none; with no display to show on, on the
    // offscreen platform. Also installs the font substitutions and a fixed style.
    static void EnsureApplication();

private:
    TMode FMode;
};
