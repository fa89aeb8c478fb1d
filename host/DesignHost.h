#pragma once
// The designer host's core, free of any widget toolkit: the registry that packages fill, the
// packages it loaded, and the forms it designs (one designer each, one of them current). A
// command line or a designer window sits on top of it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/Designer.h"
#include "host/Registry.h"
#include "vcl50/Instances.h"

class TDesignHost {
public:
    // Installs the registry for the registration calls and puts the host's own components on
    // its palette ("Data Access"). One host at a time: EInvalidOperation for a second.
    TDesignHost();
    // Closes every form, then unloads the packages, newest first, with their registrations.
    ~TDesignHost();
    TDesignHost(const TDesignHost&) = delete;
    TDesignHost& operator=(const TDesignHost&) = delete;

    TDesignRegistry& Registry() { return FRegistry; }

    // Loads a design-time package (EPackageError when it cannot), to be unloaded with the host.
    // The file is checked before it is opened: what is no package, or has a malformed
    // PACKAGEINFO, is refused unrun. A path without a folder names a file in the working folder.
    HMODULE LoadPackage(const std::string& path);
    // Calls the Register procedure of each unit the package contains, in their order. Should one
    // raise, what was registered until then stays, and the exception passes on.
    void RegisterPackage(HMODULE module);
    const std::vector<HMODULE>& Packages() const { return FPackages; }

    // A new, empty designed form named `name`; it becomes the current one. EComponentError
    // when the name is no identifier or another designed form has it.
    TDesigner& NewForm(const AnsiString& name);
    // Reads a form file into a new designed form, which becomes the current one and takes the
    // place of a designed form of the same name. On any failure nothing changes.
    TDesigner& OpenForm(const std::string& path);
    // Writes the form as a form file, atomically, and clears its modified mark.
    void SaveForm(TDesigner& designer, const std::string& path);
    // Frees a designed form; the newest other one, if any, becomes the current one.
    void CloseForm(TDesigner& designer);
    TDesigner* CurrentForm() const { return FCurrent; }
    const std::vector<std::unique_ptr<TDesigner>>& Forms() const { return FForms; }

    // The clipboard that copying and pasting components use: a text slot of the host's own,
    // unless a window connects the system clipboard, so that other programs share it.
    struct TClipboard {
        std::function<AnsiString()> Get;
        std::function<void(const AnsiString&)> Set;
    };
    void ConnectClipboard(TClipboard clipboard) { FClipboard = std::move(clipboard); }
    AnsiString ClipboardText() const { return FClipboard.Get ? FClipboard.Get() : FClipboardText; }
    void SetClipboardText(const AnsiString& text)
    {
        if (FClipboard.Set)
            FClipboard.Set(text);
        else
            FClipboardText = text;
    }

    // Told of every Modified call of any designer.
    void SetOnModified(std::function<void(TDesigner&)> listener) { FOnModified = std::move(listener); }
    const std::function<void(TDesigner&)>& OnModified() const { return FOnModified; }

private:
    TDesigner& Adopt(std::unique_ptr<TComponent> root);
    TDesigner* FindForm(std::string_view name) const;

    TDesignRegistry FRegistry;
    std::vector<HMODULE> FPackages;
    std::vector<std::unique_ptr<TDesigner>> FForms;
    TDesigner* FCurrent = nullptr;
    std::function<void(TDesigner&)> FOnModified;
    TClipboard FClipboard;
    AnsiString FClipboardText;
};
