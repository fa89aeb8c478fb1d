#pragma once
// The widget-set interface. The model's controls hold every bit of state; a widget set shows them
// and reports a person's input through the Input unit. One widget set is active at a time, chosen
// at run time; the headless one serves until another is installed.

#include <memory>
#include <optional>
#include <vector>

#include "vcl50/Graphics.h"
#include "vcl50/Messagebox.h"

class TColorDialog;
class TControl;
class TCustomForm;
class TOpenDialog;

// What a control's widget hears when its control changes. Each call only says what changed; the
// peer reads the new state from its control. The defaults do nothing, so a back end overrides
// only what it shows. A peer is freed before its parent's, and its destructor must not read its
// control, which may be part way through being freed.
class TControlPeer {
public:
    TControlPeer();
    TControlPeer(const TControlPeer&) = delete;
    TControlPeer& operator=(const TControlPeer&) = delete;
    virtual ~TControlPeer();

    virtual void BoundsChanged();      // Left, Top, Width, Height (also through alignment)
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void CaptionChanged();     // Caption, or a combo box's or an edit box's Text
    virtual void ColorChanged();       // also when a ParentColor control follows its parent
    virtual void FontChanged();        // likewise through ParentFont
    virtual void CursorChanged();
    virtual void HintChanged();        // Hint, or ShowHint (also through ParentShowHint)
    virtual void FocusChanged();       // the control gained or lost the focus
    virtual void TabOrderChanged();    // the tab order among this control's children
    // A property of the control's own class: bevels, bevel shape, label layout, default and
    // cancel roles, button kind, list or combo style, form border.
    virtual void AppearanceChanged();
    virtual void ItemsChanged();       // the entries of a list or combo box
    virtual void SelectionChanged();   // which entries of a list box are selected
    virtual void ItemIndexChanged();   // a list box's current entry, a combo box's chosen one
    virtual void CheckedChanged();     // which entries of a check list box are checked
    virtual void ModalResultChanged(); // a form's ModalResult, set by input or by code
};

class TWidgetSet {
public:
    virtual ~TWidgetSet();

    // Made for every control of a form that is being shown, parents before children, and for a
    // control that joins a shown form; freed when the form hides or the control leaves it.
    virtual std::unique_ptr<TControlPeer> CreatePeer(TControl* control) = 0;

    // The modal loop of a shown form. After each event: when form->ModalResult() is set, call
    // form->CloseModal(), and return once it agrees. Input reported through the Input unit
    // already runs that check; a result that code sets reaches the loop through the form's
    // peer (ModalResultChanged).
    virtual void RunModal(TCustomForm* form) = 0;

    // The common dialogs, shown with the dialog's settings. Empty when the person cancels.
    virtual std::optional<TColor> ExecuteColorDialog(TColorDialog* dialog) = 0;
    virtual std::optional<AnsiString> ExecuteFileDialog(TOpenDialog* dialog) = 0;

    // Returns the ID of the button pressed.
    virtual int MessageBox(const AnsiString& text, const AnsiString& caption, int flags) = 0;

    // Handles the input waiting now, from inside a long call of an event handler, so a person can
    // still press its Cancel button. Nothing waits in a widget set without a person: the default
    // does nothing.
    virtual void ProcessMessages();

    // The clipboard (Clipbrd.h): its plain text, and its HTML (empty when it holds none).
    virtual AnsiString ClipboardText() const = 0;
    virtual AnsiString ClipboardHtml() const = 0;
    // Puts both on it in one change; an empty `html` leaves text alone on it.
    virtual void SetClipboard(const AnsiString& text, const AnsiString& html) = 0;
};

// Installs a widget set; null restores the default one. Raises EInvalidOperation while a form
// is shown (while any widget lives), since its widgets belong to the widget set that made them.
void SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet);
TWidgetSet& WidgetSet();

// The widget set that serves while none is installed. The headless unit registers its own: it
// drives forms and dialogs, which sit above this unit.
using TWidgetSetFactory = std::unique_ptr<TWidgetSet> (*)();
void SetDefaultWidgetSet(TWidgetSetFactory makeDefault);
