// drowcast-designer: the designer host's window. It loads the package as a designer host does,
// opens FORMFILE or a new form, and lets a person design it; `--script FILE` plays a designer
// script through the same window offscreen, with the same trace as drowcast-host.

#include <CLI/CLI.hpp>

#include <QApplication>
#include <QIcon>
#include <csignal>
#include <iostream>
#include <string>

#include "host/DesignHost.h"
#include "host/FormFile.h"
#include "host/ProgramFiles.h"
#include "host/ScriptRunner.h"
#include "host/StandardOutput.h"
#include "host/designer/DesignerHands.h"
#include "host/designer/DesignerWindow.h"
#include "host/designer/Translations.h"
#include "vcl50/qt/QtSyntheticInput.h"
#include "vcl50/qt/QtWidgetSet.h"

namespace {

constexpr const char* Program = "drowcast-designer";

int Fail(const std::string& what)
{
    std::cerr << Program << ": " << what << '\n';
    return 1;
}

// Loads and registers the package; an exception of its registration is reported and the host
// goes on with what was registered.
HMODULE LoadPackage(TDesignHost& host, const std::string& packagePath, std::ostream& report)
{
    HMODULE module = host.LoadPackage(packagePath);
    if (std::optional<TCallFailure> failure = host.RegisterPackage(module))
        TScriptTrace(report).ExceptionReached(*failure);
    return module;
}

// The widget set, the host with its package and the window, for the length of `work`. A scripted
// widget set answers modal forms and common dialogs from the script; an interactive one asks the
// person.
template <class Work>
int WithDesigner(TQtWidgetSet::TMode mode, const std::string& packagePath, std::ostream& report, Work work)
{
    SetWidgetSet(std::make_unique<TQtWidgetSet>(mode));
    int code;
    {
        TDesignHost host;
        HMODULE module = LoadPackage(host, packagePath, report);
        TDesignerWindow window(host, packagePath, module, mode == TQtWidgetSet::TMode::Scripted);
        code = work(host, window);
    }
    SetWidgetSet(nullptr);
    return code;
}

int PlayScript(const std::string& packagePath, const std::string& file)
{
    const AnsiString text = ReadScriptText(file);
    return WithDesigner(TQtWidgetSet::TMode::Scripted, packagePath, std::cout,
                        [&](TDesignHost& host, TDesignerWindow& window) {
                            window.show();
                            // A person's actions are real Qt events on the widgets; screenshots
                            // are what they drew.
                            TQtSyntheticInput input;
                            TDesignerHands hands(window);
                            TScriptRunner runner(host, std::cout, std::cerr, &input, &TQtWidgetSet::Screenshot,
                                                 &hands);
                            return runner.Run(text);
                        });
}

int RunWindow(const std::string& packagePath, const std::string& formFile)
{
    return WithDesigner(TQtWidgetSet::TMode::Interactive, packagePath, std::cerr,
                        [&](TDesignHost&, TDesignerWindow& window) {
                            window.NewFile();
                            if (!formFile.empty())
                                window.OpenFile(QString::fromStdString(formFile));
                            window.show();
                            window.OfferRecovery();
                            return QApplication::exec();
                        });
}

}  // namespace

static int RunCommand(int argc, char** argv)
{
    CLI::App app{"The designer host's window: a component palette, a design surface and an object inspector\n"
                 "on a form file, with the package's editors and dialogs. Opens FORMFILE, or a new form."};
    app.name(Program);
    std::string package;
    std::string scriptFile;
    std::string formFile;
    app.add_option("FORMFILE", formFile, "the form file to open");
    app.add_option("--script", scriptFile,
                   "play a designer script through the window, offscreen without a display ('-' reads standard input)");
    app.add_option("--package", package, "the package to load (default: the one beside the designer, else the installed one)");
    app.footer("The script language, every command and trace line, with a worked example:\n  " + DesignerScriptsGuide() + "\n");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0)
            return app.exit(e);
        return Fail(e.what());
    }

    // The application object before anything else (without a display, the offscreen platform),
    // named as the desktop should know its windows.
    QCoreApplication::setApplicationName(Program);
    TQtWidgetSet::EnsureApplication();
    QGuiApplication::setDesktopFileName(Program);
    // The window's texts in the language the package's dialogs take from their language modules.
    InstallTranslations();
    // The installed icon theme's (none in a build folder: the desktop's default then).
    QApplication::setWindowIcon(QIcon::fromTheme(Program));
    try {
        if (package.empty())
            package = DefaultPackagePath();
        if (!scriptFile.empty())
            return PlayScript(package, scriptFile);
        return RunWindow(package, formFile);
    } catch (const Exception& e) {
        return Fail(e.Message());
    } catch (const std::exception& e) {
        return Fail(e.what());
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
        return Fail("cannot write standard output: " + *failure);
    return status;
}
