#pragma once
// The designer commands of a designer script: moving components, undo and redo, the inspector's
// rows and defaults, the clipboard, the packages and the safety nets (autosave, crash, recovery),
// and the window's picture.

class TScriptSession;
struct TScriptCommand;

namespace ScriptDesignerCommands {

void Move(TScriptSession& s, const TScriptCommand& c);
void Undo(TScriptSession& s, const TScriptCommand& c);
void Redo(TScriptSession& s, const TScriptCommand& c);
void Inspector(TScriptSession& s, const TScriptCommand& c);
void Reset(TScriptSession& s, const TScriptCommand& c);
void Copy(TScriptSession& s, const TScriptCommand& c);
void Export(TScriptSession& s, const TScriptCommand& c);
void Preview(TScriptSession& s, const TScriptCommand& c);
void Execute(TScriptSession& s, const TScriptCommand& c);
void Paste(TScriptSession& s, const TScriptCommand& c);
void ClipboardText(TScriptSession& s, const TScriptCommand& c);
void Install(TScriptSession& s, const TScriptCommand& c);
void Packages(TScriptSession& s, const TScriptCommand& c);
void Autosave(TScriptSession& s, const TScriptCommand& c);
void Crash(TScriptSession& s, const TScriptCommand& c);
void Recover(TScriptSession& s, const TScriptCommand& c);
void Window(TScriptSession& s, const TScriptCommand& c);

}  // namespace ScriptDesignerCommands
