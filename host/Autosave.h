#pragma once
// The autosave: the designed forms that are modified, written now and then into a session folder
// under the user's state folder, so that a designer that ends without a clean exit (a crash, a
// kill, a power cut) loses little. Each process writes a session of its own and holds its lock
// for as long as it lives; the system drops the lock when the process dies however it dies, so a
// session whose lock another process can take did not end cleanly, and its forms are offered
// back. A clean end removes the session.

#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class TDesigner;

class TAutosave {
public:
    // $XDG_STATE_HOME/drowcast-designer, else ~/.local/state/drowcast-designer.
    static std::filesystem::path DefaultFolder();

    // Touches nothing on disk until the first write.
    explicit TAutosave(std::filesystem::path folder = DefaultFolder());
    // A clean end: this process's session is removed, and so are the sessions it recovered.
    ~TAutosave();
    TAutosave(const TAutosave&) = delete;
    TAutosave& operator=(const TAutosave&) = delete;

    // Writes each modified form atomically as form-N.dfm, N the form's own number for as long as
    // it lives (never its name: that is text a person typed; the file holds it), and drops the
    // autosave of forms no longer modified or no longer there. Once all is written the sessions
    // recovered are removed: what came from them is here now, saved, or closed. Raises
    // EFCreateError when it cannot write.
    void Write(const std::vector<std::unique_ptr<TDesigner>>& forms);
    // Removes the sessions recovered once no form is left unsaved (a save or a close does that).
    void Settle(const std::vector<std::unique_ptr<TDesigner>>& forms);

    // Whether a session that did not end cleanly holds forms.
    bool HasOrphans() const;
    // Hands every form file of every session that did not end cleanly to `open`, each session
    // taken under its lock. Lock and session are kept until the forms are safe in this process
    // (Write, Settle, a clean end): no other process takes them meanwhile, and a crash before
    // then leaves them to the next. `open` returns false for a file it could not open: that
    // session is kept aside at once (renamed "unrecovered-...", never offered again), so the
    // file is not lost. A session in a folder that cannot be written is recovered all the same
    // and left as it is, to be offered again; what comes back says so (EFCreateError), once for
    // each.
    std::vector<std::exception_ptr> RecoverOrphans(
        const std::function<bool(const std::filesystem::path& formFile)>& open);

private:
    struct TRecovered {
        std::filesystem::path Session;
        int Lock;
        bool Removable;
    };

    void StartSession();
    void RemoveRecovered();

    std::filesystem::path FFolder;
    std::filesystem::path FSession;  // empty until the first write
    int FLock = -1;
    std::map<const TDesigner*, int> FNumbers;  // each form's file, by the forms written
    int FNextNumber = 1;
    std::vector<TRecovered> FRecovered;  // locked until their forms are safe
};
