#pragma once
// What a person does in modal forms and common dialogs, as tests and designer scripts drive it:
// handlers queued for the next modal forms, answers queued for the next common dialogs, and an
// observer told of every modal form, common dialog and message box, whatever the widget set.

#include <deque>
#include <functional>
#include <optional>

#include "vcl50/Graphics.h"
#include "vcl50/Sysutils.h"

class TCustomForm;

// Raised by the interaction machinery itself: a modal form or common dialog with nothing queued
// for it, or a queued handler that failed. It passes through the default error report of event
// handlers to whoever drives the session (a test, a designer script).
VCL_EXCEPTION_CLASS(EInteractionError, Exception);

// The queued outcome of the next common dialog.
struct TDialogAnswer {
    enum TKind { Value, Cancel, Raise };
    TKind Kind = Cancel;
    TColor Color = clBlack;  // Value, for a colour dialog
    AnsiString Text;         // Value: the file name of a file dialog; Raise: the message

    static TDialogAnswer ColorValue(TColor color) { return {Value, color, {}}; }
    static TDialogAnswer FileValue(AnsiString path) { return {Value, clBlack, std::move(path)}; }
    static TDialogAnswer Cancelled() { return {Cancel, clBlack, {}}; }
    static TDialogAnswer Raising(AnsiString message) { return {Raise, clBlack, std::move(message)}; }
};

// What an open or save dialog was shown with.
struct TFileDialogRequest {
    bool Save = false;
    AnsiString Title;
    AnsiString Filter;
    AnsiString DefaultExt;
    AnsiString FileName;
    AnsiString InitialDir;
};

class TInteractionObserver {
public:
    virtual ~TInteractionObserver();
    virtual void FormShown(TCustomForm* form);
    virtual void FormClosed(TCustomForm* form, int modalResult);
    // `chosen` is empty when the person cancelled.
    virtual void ColorDialogRan(TColor start, const std::optional<TColor>& chosen);
    virtual void FileDialogRan(const TFileDialogRequest& request, const std::optional<AnsiString>& chosen);
    virtual void MessageShown(const AnsiString& text);  // ShowMessage and message boxes
    virtual void ErrorShown(const AnsiString& text);    // the default error report
};

namespace Interaction {

// The observer is never null: without one set, a silent one serves.
void SetObserver(TInteractionObserver* observer);
TInteractionObserver& Observer();

// Handlers run on the next modal forms, in queue order, once each form is shown (after OnShow).
using TModalHandler = std::function<void(TCustomForm*)>;
void QueueModalHandler(TModalHandler handler);
bool HasModalHandler();
size_t PendingModalHandlers();
TModalHandler TakeModalHandler();

void QueueAnswer(TDialogAnswer answer);
bool HasAnswer();
size_t PendingAnswers();
TDialogAnswer TakeAnswer();

void ClearQueues();

}  // namespace Interaction
