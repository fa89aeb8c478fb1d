#include "rowcastb5/Kclipboardexport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <mutex>
#include <vector>

#include "rowcastb5/Clipboardwriter.h"
#include "rowcastb5/Kexportwriter.h"
#include "vcl50/Clipbrd.h"

namespace {

const bool registered = (RegisterClasses({TKClipboardExport::StaticClass()}), true);

// Viewers started and not yet known to have ended: each start reaps those that did, so a
// designer that runs for days holds no more ended processes than viewers still open.
std::mutex ViewersMutex;
std::vector<pid_t> Viewers;

void ReapEndedViewers()
{
    std::erase_if(Viewers, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

// Starts `program` with no arguments and no shell, in a session of its own (the designer's
// terminal closing does not end it), its standard files on /dev/null (it holds no pipe of
// ours open), with the signals the host ignores back at their defaults. Returns 0 or errno.
int SpawnDetached(const AnsiString& program)
{
    posix_spawn_file_actions_t files;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&files);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGXFSZ);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    AnsiString argument0 = program;
    char* argv[] = {argument0.data(), nullptr};
    pid_t pid = 0;
    std::lock_guard lock(ViewersMutex);
    ReapEndedViewers();
    const int error = posix_spawnp(&pid, program.c_str(), &files, &attributes, argv, environ);
    if (error == 0)
        Viewers.push_back(pid);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    return error;
}

}  // namespace

TKClipboardExport::TKClipboardExport(TComponent* owner) : TDerived(owner) {}

TKClipboardExport::~TKClipboardExport() = default;

TClass TKClipboardExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKClipboardExport, TKExport>("TKClipboardExport")
        .Property("ClipboardViewer", &TKClipboardExport::ClipboardViewer, &TKClipboardExport::SetClipboardViewer)
        .Build();
    return &meta;
}

std::unique_ptr<TExportOutput> TKClipboardExport::OpenOutput(const TExportOptions& options, AnsiString& destination)
{
    if (!options.FileName.empty())
        return TKExport::OpenOutput(options, destination);
    destination = "clipboard";
    return std::make_unique<TMemoryExportOutput>();
}

std::unique_ptr<TExportWriter> TKClipboardExport::CreateWriter(TExportOutput& out,
                                                               const std::vector<TExportColumn>& columns)
{
    const bool toClipboard = dynamic_cast<TMemoryExportOutput*>(&out) != nullptr;
    return std::make_unique<TClipboardWriter>(out, columns, *Formats(), toClipboard);
}

void TKClipboardExport::Deliver(TExportOutput& out, TExportWriter& writer, const TExportOptions& options)
{
    auto* memory = dynamic_cast<TMemoryExportOutput*>(&out);
    if (!memory) {
        TKExport::Deliver(out, writer, options);
        return;
    }
    Clipboard()->SetTextAndHtml(memory->Bytes(), static_cast<TClipboardWriter&>(writer).Html());
    StartViewer(options);
}

void TKClipboardExport::StartViewer(const TExportOptions& options) const
{
    if (FClipboardViewer.empty() || !options.ConfirmProgram || !options.ConfirmProgram(FClipboardViewer))
        return;
    if (const int error = SpawnDetached(FClipboardViewer))
        throw EExportError(Format("The rows are on the clipboard, but ClipboardViewer '%s' could not be started: %s",
                                  {FClipboardViewer, AnsiString(std::strerror(error))}));
}
