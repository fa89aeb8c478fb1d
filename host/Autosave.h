#pragma once
// The autosave: the designed forms that are modified, written now and then into a session folder
// under the user's state folder, so that a designer that ends without a clean exit (a crash, a
// kill, a power cut) loses little. Each process writes a session of its own and holds its lock
// for as long as it lives; the system drops the lock when the process dies however it dies, so a
// session whose lock another process can take did not end cleanly, and its forms are offered
// back. A clean end removes the session.

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class TDesigner;

class TAutosave {
public:
    // $XDG_STATE_HOME/drowcast-designer, else ~/.local/state/drowcast-designer.
    static std::filesystem::path DefaultFolder();

    // Touches nothing on disk until the first write.
    explicit TAutosave(std::filesystem::path folder = DefaultFolder());
    // A clean end: this process's session is removed.
    ~TAutosave();
    TAutosave(const TAutosave&) = delete;
    TAutosave& operator=(const TAutosave&) = delete;

    // Writes each modified form as NAME.dfm, atomically, and drops the autosave of forms that are
    // no longer modified or no longer there. Raises EFCreateError when it cannot write.
    void Write(const std::vector<std::unique_ptr<TDesigner>>& forms);

    // Whether a session that did not end cleanly holds forms.
    bool HasOrphans() const;
    // Hands every form file of every session that did not end cleanly to `open`, each session
    // taken under its lock so that no other process takes it too, then removes the session.
    // `open` returns false for a file it could not open: that session is kept aside instead
    // (renamed "unrecovered-...", never offered again), so the file is not lost.
    void RecoverOrphans(const std::function<bool(const std::filesystem::path& formFile)>& open);

private:
    void StartSession();

    std::filesystem::path FFolder;
    std::filesystem::path FSession;  // empty until the first write
    int FLock = -1;
};
