// drowcast-host: the designer host's command line. It reports on a design-time package, lists
// what the package registers, plays designer scripts and runs the exports of saved forms.

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "host/DesignHost.h"
#include "host/ExportReport.h"
#include "host/FormFile.h"
#include "host/InfoReport.h"
#include "host/ProgramFiles.h"
#include "host/ScriptRunner.h"
#include "host/StandardOutput.h"

namespace {

constexpr const char* Program = "drowcast-host";

int CommandLineError(const std::string& what)
{
    std::cerr << Program << ": " << what << '\n';
    return 1;
}

// The reports write their one error line to `err`; it goes out under the program's name.
int Reported(const std::function<int(std::ostream& err)>& report)
{
    std::ostringstream err;
    const int status = report(err);
    std::string line = err.str();
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    return status == 0 ? 0 : CommandLineError(line);
}

AnsiString ClassNameOf(TClass cls)
{
    return cls ? cls->ClassName() : "(every class)";
}

// What a designer sees of the package once it has registered.
int Registrations(const std::string& path)
{
    TDesignHost host;
    HMODULE module = host.LoadPackage(path);
    if (std::optional<TCallFailure> failure = host.RegisterPackage(module))
        return CommandLineError(failure->Message);
    const TDesignRegistry& registry = host.Registry();

    std::vector<std::pair<AnsiString, std::vector<TClass>>> pages;
    for (const auto& page : registry.Pages()) {
        std::vector<TClass> classes;
        for (const auto& entry : page.Classes)
            if (entry.Module == module)
                classes.push_back(entry.Class);
        if (!classes.empty())
            pages.emplace_back(page.Name, std::move(classes));
    }
    std::cout << "palette pages: " << pages.size() << '\n';
    for (const auto& [name, classes] : pages) {
        std::cout << "  " << name << ':';
        for (size_t i = 0; i < classes.size(); ++i)
            std::cout << (i ? ", " : " ") << classes[i]->ClassName();
        std::cout << '\n';
    }

    std::vector<const TDesignRegistry::TPropertyEditorRow*> properties;
    for (const auto& row : registry.PropertyEditorRows())
        if (row.Module == module)
            properties.push_back(&row);
    std::cout << "property editors: " << properties.size() << '\n';
    for (size_t i = 0; i < properties.size(); ++i)
        std::cout << "  " << i + 1 << ". " << properties[i]->PropertyType->Name << ' '
                  << ClassNameOf(properties[i]->ComponentClass) << " \"" << properties[i]->PropertyName << "\" "
                  << properties[i]->EditorClass->ClassName() << '\n';

    std::vector<const TDesignRegistry::TComponentEditorRow*> components;
    for (const auto& row : registry.ComponentEditorRows())
        if (row.Module == module)
            components.push_back(&row);
    std::cout << "component editors: " << components.size() << '\n';
    for (size_t i = 0; i < components.size(); ++i)
        std::cout << "  " << i + 1 << ". " << components[i]->ComponentClass->ClassName() << ' '
                  << components[i]->EditorClass->ClassName() << '\n';
    return 0;
}

int Script(const std::string& packagePath, const std::string& file)
{
    const AnsiString text = ReadScriptText(file);
    TDesignHost host;
    HMODULE module = host.LoadPackage(packagePath);
    TScriptRunner runner(host, std::cout, std::cerr);
    // A package whose Register raises is what some scripts are there to show.
    if (std::optional<TCallFailure> failure = host.RegisterPackage(module))
        TScriptTrace(std::cout).ExceptionReached(*failure);
    return runner.Run(text);
}

// Shows how far an export is on a terminal, on one line that the next overwrites.
class TTerminalProgress {
public:
    explicit TTerminalProgress(const AnsiString& name) : FName(name), FShown(isatty(STDERR_FILENO) == 1) {}
    ~TTerminalProgress()
    {
        if (FShown && FWritten)
            std::cerr << "\r\033[K" << std::flush;
    }
    bool operator()(int64_t done, int64_t total)
    {
        // Asked every few records and while a query works: shown ten times a second at most.
        if (!FShown)
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now - FLast >= std::chrono::milliseconds(100)) {
            FLast = now;
            std::cerr << '\r' << FName << ": " << done;
            if (total >= 0)
                std::cerr << " of " << total;
            std::cerr << " records" << std::flush;
            FWritten = true;
        }
        return true;
    }

private:
    AnsiString FName;
    bool FShown;
    bool FWritten = false;
    std::chrono::steady_clock::time_point FLast;
};

// Runs the form's exports (the named ones, or all of them in their order on the form); each
// failure is reported and the rest still run.
int Export(const std::string& formFile, const std::vector<std::string>& names, bool startPrograms)
{
    TDesignHost host;
    TDesigner& designer = host.OpenForm(formFile);
    TComponent* root = designer.GetRoot();
    std::vector<TComponent*> exports;
    int status = 0;
    if (names.empty()) {
        for (int i = 0; i < root->ComponentCount(); ++i)
            if (dynamic_cast<TKExport*>(root->Components(i)))
                exports.push_back(root->Components(i));
    }
    for (const std::string& name : names) {
        TComponent* component = root->FindComponent(name);
        if (component)
            exports.push_back(component);
        else
            status = CommandLineError(name + ": no component of that name on " + root->Name());
    }
    for (TComponent* component : exports) {
        TExportOptions options;
        if (startPrograms)
            options.ConfirmProgram = [](const AnsiString&) { return true; };
        TDesignerCommands::TExportOutcome outcome;
        {
            // Its line is cleared before what the export did is said.
            TTerminalProgress progress(component->Name());
            options.OnProgress = std::ref(progress);
            outcome = host.Commands().Export(component, options);
        }
        if (!outcome.Result) {
            status = CommandLineError(component->Name() + ": " + outcome.Failure);
            continue;
        }
        std::cout << ExportedLine(component->Name(), *outcome.Result) << '\n';
        for (const AnsiString& note : outcome.Result->Notes)
            std::cerr << Program << ": " << component->Name() << ": " << note << '\n';
    }
    return status;
}

}  // namespace

static int RunCommand(int argc, char** argv)
{
    CLI::App app{"The designer host's command line: package reports, registrations and designer scripts."};
    app.name(Program);
    app.require_subcommand(1);

    std::string package;
    auto* info = app.add_subcommand("info", "the package's description, flags, requires, contains, options "
                                            "and resources");
    info->add_option("PACKAGE", package, "the package file (default: the one beside the host, else the installed one)");

    std::vector<std::string> resourceArgs;
    bool bmp = false;
    auto* resource = app.add_subcommand("resource", "the raw bytes of one resource on standard output");
    resource->add_option("[PACKAGE] NAME", resourceArgs, "the package file (optional) and the resource name")
        ->expected(1, 2)
        ->required();
    resource->add_flag("--bmp", bmp, "a bitmap resource as a .bmp file that image viewers open "
                                     "(the file header put before the bitmap)");

    auto* registrations = app.add_subcommand("registrations", "load the package as a designer does and list "
                                                              "what it registers");
    registrations->add_option("PACKAGE", package, "the package file (default: the one beside the host, else the installed one)");

    std::string scriptFile;
    auto* script = app.add_subcommand("script", "play a designer script ('-' reads standard input)");
    script->add_option("--package", package, "the package to load (default: the one beside the host, else the installed one)");
    script->add_option("FILE", scriptFile, "the script")->required();
    script->footer("The script language, every command and trace line, with a worked example:\n  " + DesignerScriptsGuide() + "\n");

    std::string formFile;
    std::vector<std::string> exportNames;
    bool startPrograms = false;
    auto* exportCommand = app.add_subcommand("export", "run the export components of a saved form, as each "
                                                        "one's settings say");
    exportCommand->add_option("FORMFILE", formFile, "the form file")->required();
    exportCommand->add_option("NAME", exportNames, "the exports to run (default: every export on the form)");
    exportCommand->add_flag("--start-viewer", startPrograms, "start the clipboard export's ClipboardViewer program "
                                                             "(a form file names it: never started unasked)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0)
            return app.exit(e);  // --help
        // CLI11 would only say a subcommand is required; say which word was not one.
        const std::vector<std::string> commands = {"info", "resource", "registrations", "script", "export"};
        if (argc > 1 && argv[1][0] != '-' && std::find(commands.begin(), commands.end(), argv[1]) == commands.end())
            return CommandLineError(std::string("unknown command ") + argv[1] +
                                    " (commands: info, resource, registrations, script, export)");
        return CommandLineError(e.what());
    }

    try {
        if (resource->parsed() && resourceArgs.size() == 2)
            package = resourceArgs[0];
        if (package.empty())
            package = DefaultPackagePath();
        if (info->parsed())
            return Reported([&](std::ostream& err) { return ReportInfo(package, std::cout, err); });
        if (resource->parsed())
            return Reported([&](std::ostream& err) {
                return ReportResource(package, resourceArgs.back(), std::cout, err,
                                      bmp ? TResourceForm::BitmapFile : TResourceForm::Raw);
            });
        if (registrations->parsed())
            return Registrations(package);
        if (exportCommand->parsed())
            return Export(formFile, exportNames, startPrograms);
        return Script(package, scriptFile);
    } catch (const Exception& e) {
        return CommandLineError(e.Message());
    } catch (const std::exception& e) {
        return CommandLineError(e.what());
    }
}

int main(int argc, char** argv)
{
    // Under a file size limit (ulimit -f) a write past it would end the process at once, the
    // trace unflushed and the save's temporary left behind; ignored, the write fails with EFBIG
    // and the save reports it as it reports any write error.
    std::signal(SIGXFSZ, SIG_IGN);
    const int status = RunCommand(argc, argv);
    // A report that never reached standard output is no success.
    if (std::optional<std::string> failure = StandardOutputFailure())
        return CommandLineError("cannot write standard output: " + *failure);
    return status;
}
