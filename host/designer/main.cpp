// drowcast-designer: the designer host with real windows. `--script FILE` plays a designer script
// as drowcast-host does, with the same trace, on the Qt widget set, plus `screenshot PATH`.

#include <CLI/CLI.hpp>

#include <iostream>
#include <iterator>
#include <string>

#include "host/DesignHost.h"
#include "host/FormFile.h"
#include "host/PackageReport.h"
#include "host/ScriptRunner.h"
#include "vcl50/qt/QtSyntheticInput.h"
#include "vcl50/qt/QtWidgetSet.h"

namespace {

constexpr const char* Program = "drowcast-designer";

int Fail(const std::string& what)
{
    std::cerr << Program << ": " << what << '\n';
    return 1;
}

int PlayScript(const std::string& packagePath, const std::string& file)
{
    AnsiString text;
    if (file == "-")
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    else
        text = ReadWholeFile(file);
    // Scripted: modal forms take the script's dialog blocks, common dialogs its answers.
    SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
    int code;
    {
        TDesignHost host;
        HMODULE module = host.LoadPackage(packagePath);
        // A person's actions are real Qt events on the widgets; screenshots are what they drew.
        TQtSyntheticInput input;
        TScriptRunner runner(host, std::cout, std::cerr, &input, &TQtWidgetSet::Screenshot);
        try {
            host.RegisterPackage(module);
        } catch (const Exception& e) {
            std::cout << "exception: " << e.ClassName() << ": " << e.Message() << '\n';
        }
        code = runner.Run(text);
    }
    SetWidgetSet(nullptr);
    return code;
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{"The designer host with real windows."};
    app.name(Program);
    std::string package;
    std::string scriptFile;
    app.add_option("--script", scriptFile, "play a designer script ('-' reads standard input)");
    app.add_option("--package", package, "the package to load (default: the one built beside the designer)");
    app.footer("The script language, every command and trace line, with a worked example:\n  " DESIGNER_SCRIPTS_GUIDE "\n");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0)
            return app.exit(e);
        return Fail(e.what());
    }
    if (scriptFile.empty())
        return Fail("the designer window is not built yet; --script FILE plays a designer script");

    // The application object before anything else: without a display, the offscreen platform.
    TQtWidgetSet::EnsureApplication();
    try {
        if (package.empty())
            package = DefaultPackagePath();
        return PlayScript(package, scriptFile);
    } catch (const Exception& e) {
        return Fail(e.Message());
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
