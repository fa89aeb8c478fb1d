#pragma once
// Plays a designer script against a design host: host commands act on the designed form, the
// inspector and component editors; dialog blocks act in modal forms through an input driver, as
// a person would. Free of any widget set, so every designer runs scripts alike.

#include <functional>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "host/ScriptActions.h"
#include "host/ScriptParser.h"
#include "host/ScriptTrace.h"
#include "vcl50/Inputdriver.h"

class TCustomForm;

class TScriptRunner {
public:
    // Writes a PNG of a shown form's client area, exactly ClientWidth by ClientHeight pixels.
    using TScreenshot = std::function<void(TCustomForm* form, const AnsiString& path)>;

    // Without a driver, a person's actions go straight to the input path; without a screenshot
    // function, `screenshot` is a script error; without actions, host commands act on the core.
    TScriptRunner(TDesignHost& host, std::ostream& out, std::ostream& err, TInputDriver* input = nullptr,
                  TScreenshot screenshot = nullptr, TScriptActions* actions = nullptr);

    // Plays the script: 0, or 1 after a script error, which is reported on `err`.
    int Run(std::string_view text);

private:
    friend std::span<const TScriptCommandRow> HostCommandRows();
    friend std::span<const TScriptCommandRow> DialogCommandRows();

    int Fail(int line, const AnsiString& what);
    [[noreturn]] void Error(const TScriptCommand& command, const AnsiString& what);

    // Host commands.
    void Form(const TScriptCommand& c);
    void Add(const TScriptCommand& c);
    void Delete(const TScriptCommand& c);
    void Select(const TScriptCommand& c);
    void Set(const TScriptCommand& c);
    void Value(const TScriptCommand& c);
    void Values(const TScriptCommand& c);
    void Attrs(const TScriptCommand& c);
    void Edit(const TScriptCommand& c);
    void Get(const TScriptCommand& c);
    void Verbs(const TScriptCommand& c);
    void Verb(const TScriptCommand& c);
    void DblClick(const TScriptCommand& c);
    void Modified(const TScriptCommand& c);
    void Forms(const TScriptCommand& c);
    void Regional(const TScriptCommand& c);
    void Palette(const TScriptCommand& c);
    void Save(const TScriptCommand& c);
    void Open(const TScriptCommand& c);
    void Move(const TScriptCommand& c);
    void Window(const TScriptCommand& c);
    // The inspector's rows, defaults and the clipboard (ScriptInspect.cpp).
    void Inspector(const TScriptCommand& c);
    void Reset(const TScriptCommand& c);
    void Copy(const TScriptCommand& c);
    void Paste(const TScriptCommand& c);
    void Answer(const TScriptCommand& c);  // also inside a dialog block
    void Dialog(const TScriptCommand& c);  // also inside a dialog block
    void Undo(const TScriptCommand& c);
    void Redo(const TScriptCommand& c);
    // The packages and the safety nets (ScriptSafetyNets.cpp).
    void Install(const TScriptCommand& c);
    void Packages(const TScriptCommand& c);
    void Autosave(const TScriptCommand& c);
    void Crash(const TScriptCommand& c);
    void Recover(const TScriptCommand& c);

    // Dialog blocks: their commands run inside the modal handler of the form they are for, the
    // innermost open one (FDialog).
    void RunBlock(const TScriptCommand& block, TCustomForm* form);
    void DialogClick(const TScriptCommand& c);
    void DialogDblClick(const TScriptCommand& c);
    void DialogKey(const TScriptCommand& c);
    void DialogChoose(const TScriptCommand& c);
    void DialogPick(const TScriptCommand& c);
    void DialogDrag(const TScriptCommand& c);
    void DialogGet(const TScriptCommand& c);
    void DialogList(const TScriptCommand& c);
    void DialogEnabled(const TScriptCommand& c);
    void DialogFocus(const TScriptCommand& c);
    void DialogOk(const TScriptCommand& c);
    void DialogCancel(const TScriptCommand& c);
    void DialogClose(const TScriptCommand& c);
    void DialogScreenshot(const TScriptCommand& c);
    void CloseWith(const TScriptCommand& c, int modalResult);

    void Perform(const TScriptCommand& c, const std::function<void()>& action);

    // Lookups that make a script error of what is not there.
    TDesigner& CurrentForm(const TScriptCommand& c);
    TComponent* FormComponent(const TScriptCommand& c, const AnsiString& name);
    TPropertyGrid Inspect(const TScriptCommand& c);
    TPropertyGridRow& Row(const TScriptCommand& c, TPropertyGrid& inspector, const AnsiString& path);
    void PrintPath(const TScriptCommand& c, TObject* start, const AnsiString& nameDotPath, const AnsiString& path);
    template <class T>
    T* DialogControl(const TScriptCommand& c, const AnsiString& name, const char* kind);
    int Number(const TScriptCommand& c, const AnsiString& text);

    TDesignHost& FHost;
    std::ostream& FOut;
    std::ostream& FErr;
    TInputDriver FDirectInput;
    TInputDriver& FInput;
    TScreenshot FScreenshot;
    TScriptActions FCoreActions;
    TScriptActions& FActions;
    TScriptTrace FTrace;
    TCustomForm* FDialog = nullptr;
    // The first script error of a command: it is raised out of modal forms, through code that
    // may report or swallow exceptions on its way, and still ends the script with its own line.
    std::optional<std::pair<int, AnsiString>> FScriptError;
};
