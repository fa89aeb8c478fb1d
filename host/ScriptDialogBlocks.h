#pragma once
// Dialog blocks of a designer script: what a person does in a modal form, through the session's
// input driver, and the answers queued for common dialogs. A block runs inside the modal handler
// of the form it is for, the innermost open one.

class TCustomForm;
class TScriptSession;
struct TScriptCommand;

namespace ScriptDialogBlocks {

// Queue a block or an answer for the next modal form or common dialog (also outside blocks).
void Dialog(TScriptSession& s, const TScriptCommand& c);
void Answer(TScriptSession& s, const TScriptCommand& c);

void Click(TScriptSession& s, const TScriptCommand& c);
void DblClick(TScriptSession& s, const TScriptCommand& c);
void Key(TScriptSession& s, const TScriptCommand& c);
void Choose(TScriptSession& s, const TScriptCommand& c);
void Pick(TScriptSession& s, const TScriptCommand& c);
void Type(TScriptSession& s, const TScriptCommand& c);
void Drag(TScriptSession& s, const TScriptCommand& c);
void Get(TScriptSession& s, const TScriptCommand& c);
void List(TScriptSession& s, const TScriptCommand& c);
void Enabled(TScriptSession& s, const TScriptCommand& c);
void Focus(TScriptSession& s, const TScriptCommand& c);
void Ok(TScriptSession& s, const TScriptCommand& c);
void Cancel(TScriptSession& s, const TScriptCommand& c);
void Close(TScriptSession& s, const TScriptCommand& c);
void Screenshot(TScriptSession& s, const TScriptCommand& c);

}  // namespace ScriptDialogBlocks
