#pragma once
// Plays a designer script against a design host: host commands act on the designed form, the
// inspector and component editors; dialog blocks act in modal forms through the same input
// calls a widget set makes. Free of any widget set, so every designer runs scripts alike.

#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "host/ScriptParser.h"
#include "host/ScriptTrace.h"
#include "vcl50/Controls.h"

class TComboBox;
class TCustomForm;
class TCustomListBox;

// What a script needs of the widget set it runs under: a person's actions and screenshots. The
// defaults are the headless widget set's: actions go straight to the input path, and nothing
// draws. A widget set that shows forms makes the actions as real events on its widgets, so a
// script proves the widgets too.
class TScriptWidgetSet {
public:
    virtual ~TScriptWidgetSet();
    virtual void Click(TControl* control);
    virtual void DblClick(TControl* control);
    virtual void KeyDown(TWinControl* control, WORD key, TShiftState shift);
    virtual void ChooseItem(TComboBox* combo, int index);
    virtual void SelectItem(TCustomListBox* list, int index, TShiftState shift);
    // True when the target took the drop.
    virtual bool DragDrop(TControl* source, TControl* target, int x, int y);
    virtual void CloseBox(TCustomForm* form);
    // Writes a PNG of the form's client area, exactly ClientWidth by ClientHeight pixels; false
    // when this widget set draws nothing.
    virtual bool Screenshot(TCustomForm* form, const AnsiString& path);
};

class TScriptRunner {
public:
    // Without a widget set, the headless one's actions serve and `screenshot` is a script error.
    TScriptRunner(TDesignHost& host, std::ostream& out, std::ostream& err, TScriptWidgetSet* widgetSet = nullptr);

    // Plays the script: 0, or 1 after a script error, which is reported on `err`.
    int Run(std::string_view text);

private:
    using THandler = void (TScriptRunner::*)(const TScriptCommand&);
    using TDialogHandler = void (TScriptRunner::*)(const TScriptCommand&, TCustomForm*);

    int Fail(int line, const AnsiString& what);
    void RunCommand(const TScriptCommand& command);
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
    void Answer(const TScriptCommand& c);
    void Dialog(const TScriptCommand& c);

    // Dialog blocks: their commands run inside the modal handler of the form they are for.
    void RunBlock(const TScriptCommand& block, TCustomForm* form);
    void RunDialogCommand(const TScriptCommand& c, TCustomForm* form);
    void DialogClick(const TScriptCommand& c, TCustomForm* form);
    void DialogDblClick(const TScriptCommand& c, TCustomForm* form);
    void DialogKey(const TScriptCommand& c, TCustomForm* form);
    void DialogChoose(const TScriptCommand& c, TCustomForm* form);
    void DialogPick(const TScriptCommand& c, TCustomForm* form);
    void DialogDrag(const TScriptCommand& c, TCustomForm* form);
    void DialogGet(const TScriptCommand& c, TCustomForm* form);
    void DialogList(const TScriptCommand& c, TCustomForm* form);
    void DialogEnabled(const TScriptCommand& c, TCustomForm* form);
    void DialogFocus(const TScriptCommand& c, TCustomForm* form);
    void DialogAnswer(const TScriptCommand& c, TCustomForm* form);
    void DialogNested(const TScriptCommand& c, TCustomForm* form);
    void DialogOk(const TScriptCommand& c, TCustomForm* form);
    void DialogCancel(const TScriptCommand& c, TCustomForm* form);
    void DialogClose(const TScriptCommand& c, TCustomForm* form);
    void DialogScreenshot(const TScriptCommand& c, TCustomForm* form);
    void CloseWith(const TScriptCommand& c, TCustomForm* form, int modalResult);

    // Lookups that make a script error of what is not there.
    TDesigner& CurrentForm(const TScriptCommand& c);
    TComponent* FormComponent(const TScriptCommand& c, const AnsiString& name);
    TPropertyGrid Inspect(const TScriptCommand& c);
    TPropertyGridRow& Row(const TScriptCommand& c, TPropertyGrid& inspector, const AnsiString& path);
    void PrintPath(const TScriptCommand& c, TObject* start, const AnsiString& nameDotPath, const AnsiString& path);
    template <class T>
    T* DialogControl(const TScriptCommand& c, TCustomForm* form, const AnsiString& name, const char* kind);
    int Number(const TScriptCommand& c, const AnsiString& text);

    TDesignHost& FHost;
    std::ostream& FOut;
    std::ostream& FErr;
    TScriptWidgetSet FHeadless;
    TScriptWidgetSet& FWidgetSet;
    TScriptTrace FTrace;
    // The first script error of a command: it is raised out of modal forms, through code that
    // may report or swallow exceptions on its way, and still ends the script with its own line.
    std::optional<std::pair<int, AnsiString>> FScriptError;
};
