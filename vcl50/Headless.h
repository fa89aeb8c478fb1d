#pragma once
// The headless widget set, the default: no display, no timing. A modal form goes to the handler
// that a test or script queued; common dialogs without a queued answer and modal forms without a
// handler are errors. Its peers count what they are told, so tests can see what would repaint.

#include <array>

#include "vcl50/Widgetset.h"

// One per TControlPeer notification, in its order.
enum class TPeerNotice : uint8_t {
    Bounds, Visible, Enabled, Caption, Color, Font, Cursor, Hint, Focus, TabOrder, Appearance,
    Items, Selection, ItemIndex, Checked, ModalResult
};
constexpr size_t PeerNoticeCount = static_cast<size_t>(TPeerNotice::ModalResult) + 1;

class THeadlessPeer : public TControlPeer {
public:
    // The headless peer of a control; null when it has none (its form is not shown).
    static THeadlessPeer* Of(const TControl* control);

    int Count(TPeerNotice notice) const { return FCounts[static_cast<size_t>(notice)]; }
    int Total() const;
    void Reset() { FCounts.fill(0); }

    void BoundsChanged() override { Add(TPeerNotice::Bounds); }
    void VisibleChanged() override { Add(TPeerNotice::Visible); }
    void EnabledChanged() override { Add(TPeerNotice::Enabled); }
    void CaptionChanged() override { Add(TPeerNotice::Caption); }
    void ColorChanged() override { Add(TPeerNotice::Color); }
    void FontChanged() override { Add(TPeerNotice::Font); }
    void CursorChanged() override { Add(TPeerNotice::Cursor); }
    void HintChanged() override { Add(TPeerNotice::Hint); }
    void FocusChanged() override { Add(TPeerNotice::Focus); }
    void TabOrderChanged() override { Add(TPeerNotice::TabOrder); }
    void AppearanceChanged() override { Add(TPeerNotice::Appearance); }
    void ItemsChanged() override { Add(TPeerNotice::Items); }
    void SelectionChanged() override { Add(TPeerNotice::Selection); }
    void ItemIndexChanged() override { Add(TPeerNotice::ItemIndex); }
    void CheckedChanged() override { Add(TPeerNotice::Checked); }
    void ModalResultChanged() override { Add(TPeerNotice::ModalResult); }

private:
    void Add(TPeerNotice notice) { ++FCounts[static_cast<size_t>(notice)]; }
    std::array<int, PeerNoticeCount> FCounts{};
};

class THeadlessWidgetSet : public TWidgetSet {
public:
    std::unique_ptr<TControlPeer> CreatePeer(TControl* control) override;
    // Runs the next queued modal handler on the form; raises EInteractionError when none is
    // queued or when the handler leaves the form open.
    void RunModal(TCustomForm* form) override;
    std::optional<TColor> ExecuteColorDialog(TColorDialog* dialog) override;
    std::optional<AnsiString> ExecuteFileDialog(TOpenDialog* dialog) override;
    // Presses the default button; the observer has seen the text already.
    int MessageBox(const AnsiString& text, const AnsiString& caption, int flags) override;
    // A clipboard in memory, one for the process: it outlives any one headless widget set, as
    // the system's outlives a program's windows.
    AnsiString ClipboardText() const override;
    AnsiString ClipboardHtml() const override;
    void SetClipboard(const AnsiString& text, const AnsiString& html) override;
};
