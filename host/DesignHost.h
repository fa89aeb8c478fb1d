#pragma once
// The designer host's core, free of any widget toolkit: the registry that packages fill, the
// packages it loaded, and the forms it designs (one designer each, one of them current). A
// command line or a designer window sits on top of it.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/Autosave.h"
#include "host/CallFailure.h"
#include "host/Designer.h"
#include "host/DesignerCommands.h"
#include "host/Registry.h"
#include "vcl50/Instances.h"

// One package the host loaded or tried to load, as the package report shows it.
struct TPackageRecord {
    std::string Path;          // as it was given
    HMODULE Module = nullptr;  // null when it did not load
    std::string Failure;       // why it failed to load or register; empty when it did not fail
};

class TDesignHost {
public:
    // Installs the registry for the registration calls, puts the host's own components on its
    // palette ("Data Access") and registers its own editors: a component's Name, and the
    // PostgreSQL dataset's connection string and table name. One host at a time:
    // EInvalidOperation for a second.
    TDesignHost();
    // Closes every form, then unloads the packages, newest first, with their registrations.
    ~TDesignHost();
    TDesignHost(const TDesignHost&) = delete;
    TDesignHost& operator=(const TDesignHost&) = delete;

    TDesignRegistry& Registry() { return FRegistry; }
    // Every action a person takes on the forms goes through here, whichever view it comes from.
    TDesignerCommands& Commands() { return FCommands; }

    // Loads a design-time package (EPackageError when it cannot), to be unloaded with the host.
    // The file is checked before it is opened: what is no package, has a malformed PACKAGEINFO,
    // is run-only, or is a package loaded already, is refused unrun. A path without a folder
    // names a file in the working folder. The try goes into the package report.
    HMODULE LoadPackage(const std::string& path);
    // Calls the Register procedure of each unit the package contains, in their order. Should one
    // raise, what was registered until then stays, the rest are not called, the report records
    // it as the package's failure, and what it raised is returned: the host goes on.
    std::optional<TCallFailure> RegisterPackage(HMODULE module);
    const std::vector<HMODULE>& Packages() const { return FPackages; }
    // Loads and registers a package as Component > Install package does. A failure is recorded
    // in the report and raised; the host goes on with what it had (and what registered).
    void InstallPackage(const std::string& path);
    // Every package loaded or tried, oldest first, with the reason of each failure: the load
    // refused (a refused second start of a package already loaded among them) or Register raised.
    const std::vector<TPackageRecord>& PackageReport() const { return FPackageReport; }

    // A new, empty designed form named `name`; it becomes the current one. EComponentError
    // when the name is no identifier or another designed form has it.
    TDesigner& NewForm(const AnsiString& name);
    // Reads a form file into a new designed form, which becomes the current one and takes the
    // place of a designed form of the same name. On any failure nothing changes: a file that
    // names unknown classes or properties is refused with all of them listed.
    TDesigner& OpenForm(const std::string& path);
    // Opens a form file as OpenForm does, but one that names unknown classes or properties is
    // read without them (ReadFormResourcesLeniently) and `accept` is asked: yes opens it, marked
    // modified, for its file lacks what was left out; no changes nothing and gives null.
    TDesigner* OpenFormLeniently(const std::string& path, const TAcceptUnknownNames& accept);
    // Writes the form as a form file, atomically, clears its modified mark and keeps the path as
    // the form's file.
    void SaveForm(TDesigner& designer, const std::string& path);
    // Frees a designed form; the newest other one, if any, becomes the current one.
    void CloseForm(TDesigner& designer);
    // (Both let the autosave drop the sessions recovered once no form is left unsaved.)
    // Opens a form file as a form that is not saved anywhere yet: marked modified. Raises
    // EComponentError, changing nothing, when a form of that name has unsaved changes; a file
    // that cannot be read raises with its path.
    TDesigner& RecoverForm(const std::string& path);
    TDesigner* CurrentForm() const { return FCurrent; }
    // Makes one of the designed forms the current one.
    void SetCurrentForm(TDesigner& designer);
    const std::vector<std::unique_ptr<TDesigner>>& Forms() const { return FForms; }

    // This process's autosave of its modified forms, and the way to the forms of designers that
    // did not end cleanly.
    TAutosave& Autosave() { return FAutosave; }
    // Told of every Modified call of any designer.
    void SetOnModified(std::function<void(TDesigner&)> listener) { FOnModified = std::move(listener); }
    const std::function<void(TDesigner&)>& OnModified() const { return FOnModified; }
    // Told when an action of any designer was too large for its undo history, which it cleared
    // (TUndoHistory::MaxBytes): a window says so; a script's trace stays as it is.
    void SetOnUndoHistoryCleared(std::function<void(TDesigner&)> listener)
    {
        FOnUndoHistoryCleared = std::move(listener);
    }

private:
    // The folder of the file that the component's form came from or went to: what its relative
    // paths (a dataset's database, an export's file) are taken against. Empty without a file.
    AnsiString DocumentFolderOf(const TComponent* component) const;
    // Left out names go to `unknown` when it is given; without it they are refused.
    std::unique_ptr<TComponent> ReadForm(const std::string& path, std::vector<TUnknownFormName>* unknown = nullptr);
    TDesigner& Adopt(std::unique_ptr<TComponent> root);
    TDesigner* FindForm(std::string_view name) const;

    HMODULE LoadNewPackage(const std::string& path);
    // Register of each unit; one that raises is recorded in the report, and passes on.
    void RegisterUnits(HMODULE module);

    TDesignRegistry FRegistry;
    std::vector<HMODULE> FPackages;
    std::vector<TPackageRecord> FPackageReport;
    TAutosave FAutosave;
    std::vector<std::unique_ptr<TDesigner>> FForms;
    TDesigner* FCurrent = nullptr;
    std::function<void(TDesigner&)> FOnModified;
    std::function<void(TDesigner&)> FOnUndoHistoryCleared;
    // The form being read and its file, while it is read.
    struct TReading {
        const TComponent* Root;
        std::string Path;
    };
    std::optional<TReading> FReading;
    TDesignerCommands FCommands{*this};
};
