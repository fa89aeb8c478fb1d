#include "host/Autosave.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/Designer.h"
#include "host/FormFile.h"
#include "vcl50/Formresources.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* SessionPrefix = "session-";
constexpr const char* LockName = "lock";

// A form's autosave, not the temporary file an atomic write leaves when it is cut short.
bool IsFormFile(const fs::directory_entry& entry)
{
    const std::string name = entry.path().filename().string();
    return entry.is_regular_file() && name[0] != '.' && entry.path().extension() == ".dfm";
}

std::vector<fs::path> FormFiles(const fs::path& session)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(session, error))
        if (IsFormFile(entry))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The lock of a session, taken: -1 while its process lives (or the lock cannot be opened). A lock
// needs no writing: a session in a folder that cannot be written is taken too.
int TakeLock(const fs::path& session)
{
    const int fd = open((session / LockName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Sessions of other processes, in name order; a session still being made is not yet one.
std::vector<fs::path> Sessions(const fs::path& folder, const fs::path& own)
{
    std::vector<fs::path> sessions;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_directory() && entry.path().filename().string().starts_with(SessionPrefix) && entry.path() != own)
            sessions.push_back(entry.path());
    std::sort(sessions.begin(), sessions.end());
    return sessions;
}

// Whether this process may remove the session or rename it: it writes the session's folder and
// the one holding it. Root passes permission bits, not a read-only mount or an immutable folder.
bool CanRemove(const fs::path& session)
{
    return faccessat(AT_FDCWD, session.c_str(), W_OK, AT_EACCESS) == 0 &&
           faccessat(AT_FDCWD, session.parent_path().c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

fs::path TAutosave::DefaultFolder()
{
    // A relative XDG_STATE_HOME is to be ignored.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return fs::path(state) / "drowcast-designer";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "/";
    }
    return fs::path(home) / ".local" / "state" / "drowcast-designer";
}

TAutosave::TAutosave(fs::path folder) : FFolder(std::move(folder)) {}

TAutosave::~TAutosave()
{
    RemoveRecovered();
    if (FSession.empty())
        return;
    std::error_code ignored;
    fs::remove_all(FSession, ignored);
    close(FLock);
}

void TAutosave::StartSession()
{
    // Made and locked under a name no scan looks at, then renamed: a session is never seen
    // without its lock held.
    std::error_code error;
    fs::create_directories(FFolder, error);
    std::string pattern = (FFolder / "new-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw EFCreateError(Format("Cannot create the autosave folder in \"%s\". %s", {FFolder.string(), AnsiString(strerror(errno))}));
    const fs::path made = pattern;
    const int fd = open((made / LockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const fs::path session = FFolder / (SessionPrefix + made.filename().string().substr(4));
    if (fd < 0 || flock(fd, LOCK_EX) != 0 || rename(made.c_str(), session.c_str()) != 0) {
        const int why = errno;
        if (fd >= 0)
            close(fd);
        fs::remove_all(made, error);
        throw EFCreateError(Format("Cannot create the autosave folder in \"%s\". %s", {FFolder.string(), AnsiString(strerror(why))}));
    }
    FSession = session;
    FLock = fd;
}

void TAutosave::Write(const std::vector<std::unique_ptr<TDesigner>>& forms)
{
    std::erase_if(FNumbers, [&](const auto& numbered) {
        return std::none_of(forms.begin(), forms.end(), [&](const auto& form) { return form.get() == numbered.first; });
    });
    std::vector<fs::path> written;
    for (const auto& form : forms) {
        if (!form->IsModified())
            continue;
        if (FSession.empty())
            StartSession();
        const auto [numbered, added] = FNumbers.try_emplace(form.get(), FNextNumber);
        if (added)
            ++FNextNumber;
        written.push_back(FSession / ("form-" + std::to_string(numbered->second) + ".dfm"));
        WriteFileAtomically(written.back().string(), WriteComponentResourceText(form->GetRoot()));
    }
    if (!FSession.empty()) {
        std::error_code ignored;
        for (const fs::path& file : FormFiles(FSession))
            if (std::find(written.begin(), written.end(), file) == written.end())
                fs::remove(file, ignored);
    }
    RemoveRecovered();
}

void TAutosave::Settle(const std::vector<std::unique_ptr<TDesigner>>& forms)
{
    if (std::none_of(forms.begin(), forms.end(), [](const auto& form) { return form->IsModified(); }))
        RemoveRecovered();
}

void TAutosave::RemoveRecovered()
{
    // The lock goes last: until the session is gone, no other process takes it.
    for (const TRecovered& recovered : FRecovered) {
        std::error_code ignored;
        if (recovered.Removable)
            fs::remove_all(recovered.Session, ignored);
        close(recovered.Lock);
    }
    FRecovered.clear();
}

bool TAutosave::HasOrphans() const
{
    for (const fs::path& session : Sessions(FFolder, FSession)) {
        const int fd = TakeLock(session);
        if (fd < 0)
            continue;
        const bool hasForms = !FormFiles(session).empty();
        close(fd);
        if (hasForms)
            return true;
    }
    return false;
}

std::vector<std::exception_ptr> TAutosave::RecoverOrphans(const std::function<bool(const fs::path& formFile)>& open)
{
    std::vector<std::exception_ptr> unremovable;
    for (const fs::path& session : Sessions(FFolder, FSession)) {
        const int fd = TakeLock(session);
        if (fd < 0)
            continue;
        const bool removable = CanRemove(session);
        if (!removable)
            unremovable.push_back(std::make_exception_ptr(EFCreateError(
                Format("Cannot remove the autosave folder \"%s\": it is read-only. Its forms are recovered but stay "
                       "there, to be offered again.",
                       {session.string()}))));
        bool allOpened = true;
        for (const fs::path& file : FormFiles(session))
            allOpened = open(file) && allOpened;
        if (allOpened || !removable) {
            FRecovered.push_back({session, fd, removable});
            continue;
        }
        std::error_code ignored;
        fs::rename(session, FFolder / ("unrecovered-" + session.filename().string().substr(8)), ignored);
        close(fd);
    }
    return unremovable;
}
