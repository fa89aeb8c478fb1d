#pragma once
// The designer's one edit path: a method for each action a person can take on the designed forms.
// Each guards its calls into package code (what they raise is reported and the host goes on),
// makes its edit one undo step under one label (the text the Edit menu, the undo history and
// scripts all show), performs it and says whether it did. The design surface, the object
// inspector, the menus and the script runner only turn a gesture or a script line into one call.
// The edits act on the host's current form.

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "host/CallFailure.h"
#include "host/Designer.h"
#include "rowcastb5/Kbaseexport.h"
#include "vcl50/Graphics.h"
#include "vcl50/Formreader.h"

class TDesignHost;
class TPropertyGridRow;

// How many records a preview of an export shows: enough to judge the settings by, quick to make.
constexpr int64_t DefaultPreviewRecords = 50;

// Asked whether to open a form file without the unknown names it lists; true opens the rest.
using TAcceptUnknownNames = std::function<bool(const std::vector<TUnknownFormName>&)>;

class TDesignerCommands {
public:
    // How a view hears of what a call into package code raised: the window shows it in a box, a
    // script traces it. Without one, the failure is kept as LastFailure only.
    using TReport = std::function<void(std::exception_ptr)>;

    explicit TDesignerCommands(TDesignHost& host);

    void SetReport(TReport report) { FReport = std::move(report); }
    const TReport& Report() const { return FReport; }
    // Told when the outermost command or guarded call has ended, so views catch up with the form.
    void SetOnIdle(std::function<void()> listener) { FOnIdle = std::move(listener); }
    // Whether a command is running: its package code may hold the rows and components a view
    // shows (a dialog's event loop runs inside it).
    bool Running() const { return FDepth > 0; }
    // What the last failed call raised.
    const std::optional<TCallFailure>& LastFailure() const { return FLastFailure; }

    // Runs a call into package code that is no edit (a view reading values or verbs); false when
    // it raised, which is reported.
    bool Guarded(const std::function<void()>& call);

    // ---- edits of the current form, one undo step each ----------------------------------------
    // A new component of `cls` at `left`, `top` (kept on the form); an empty name gets the first
    // free one. Null when it failed.
    TComponent* Place(TComponentClass cls, const AnsiString& name, int left, int top);
    // The same where a click on the surface's first free spot places it (TSurfaceGeometry).
    TComponent* Place(TComponentClass cls, const AnsiString& name);
    bool Delete(const std::vector<TComponent*>& components);
    // To a position kept on the form; by a delta, together (TSurfaceGeometry::GroupDelta), the
    // grabbed one landing on the grid when snapped.
    bool MoveTo(TComponent* component, int left, int top);
    bool MoveBy(const std::vector<TComponent*>& components, int dx, int dy, bool snap,
                const TComponent* grabbed = nullptr);
    // A string list row's entries (a TStrings property), one a line, as its list editor sets them.
    bool SetLines(TPropertyGridRow& row, const AnsiString& lines);
    // A font row's face, size and style, as the font dialog sets them.
    struct TFontChoice {
        AnsiString Name;
        int Size = 8;
        TFontStyles Style;
    };
    bool SetFont(TPropertyGridRow& row, const TFontChoice& font);
    // The form's client area to this size, as dragging its edges does.
    bool ResizeForm(int clientWidth, int clientHeight);
    // The inspector row's SetValue, as typing a value and pressing Enter does.
    bool Set(TPropertyGridRow& row, const AnsiString& value);
    // The row of the selection back to its default; nothing where it holds it.
    bool Reset(const AnsiString& path);
    // The row's dialog button (its editor's Edit).
    bool EditRow(TPropertyGridRow& row);
    bool Verb(TComponent* component, int index);
    // The component editor's Edit, as a double click on the component does.
    bool DblClick(TComponent* component);
    // Copies the components to the clipboard, then deletes them.
    bool Cut(const std::vector<TComponent*>& components);
    // What the clipboard holds, pasted and selected; nullopt when it failed.
    std::optional<std::vector<TComponent*>> Paste();
    // Take back the last step, or take it again; false when there is none or it failed.
    bool Undo();
    bool Redo();

    // ---- actions that are no edit -------------------------------------------------------------
    bool Select(const TDesignerSelectionList& selection);
    bool Copy(const std::vector<TComponent*>& components);
    // The component editor's verbs as its menu shows them; nullopt when they could not be read.
    std::optional<std::vector<AnsiString>> Verbs(TComponent* component);
    // Opens a form file as the current form; null when it failed. A file that names unknown
    // classes or properties is refused, listing them all; with `accept`, it is asked instead
    // whether to open the rest (TDesignHost::OpenFormLeniently), and a no gives null unreported.
    TDesigner* Open(const std::string& path, const TAcceptUnknownNames& accept = {});
    bool Save(TDesigner& designer, const std::string& path);
    bool Install(const std::string& path);
    // Brings back every form of the designers that did not end cleanly, each as a modified form,
    // in order; a form that cannot be read is kept aside in the state folder and listed with why.
    // A session that cannot be removed (a read-only folder) is reported, its forms recovered.
    struct TRecovery {
        TDesigner* Form = nullptr;
        std::optional<TCallFailure> Failure;
    };
    std::vector<TRecovery> Recover();
    // Runs an export component with its settings as they are: no edit (the form stays
    // unmodified, no undo step). A failure (the old file kept) comes back as its reason, for the
    // view to show as it shows export failures.
    struct TExportOutcome {
        std::optional<TExportResult> Result;
        AnsiString Failure;
    };
    TExportOutcome Export(TComponent* component, const TExportOptions& options = {});
    // Runs Execute of an export dialog component (TKExportDialog) as the application would: its
    // form, its export, its configuration file. No edit. What the dialog exported; nothing when
    // the person cancelled, or when it raised (reported as a call into package code is).
    std::optional<TExportResult> ExecuteDialog(TComponent* component);

private:
    // Counts the commands running, and tells the views when the outermost one ends.
    class TDepth {
    public:
        explicit TDepth(TDesignerCommands& commands);
        ~TDepth();

    private:
        TDesignerCommands& FCommands;
    };

    // Runs an edit of the current form as one undo step under `label`; false when there is no
    // form or it raised. `label` is worked out inside the guard: it may ask package code.
    bool Edit(const std::function<AnsiString(TDesigner&)>& label, const std::function<void(TDesigner&)>& edit);

    TDesignHost& FHost;
    TReport FReport;
    std::function<void()> FOnIdle;
    std::optional<TCallFailure> FLastFailure;
    int FDepth = 0;
};

// A component's editor under `designer`, as the commands and the views that list verbs use it.
std::unique_ptr<TComponentEditor> ComponentEditorOf(TComponent* component, TDesigner& designer);
// A verb as the undo history names its step: "F&ields editor..." is "Fields editor".
AnsiString VerbLabel(const AnsiString& verb);
