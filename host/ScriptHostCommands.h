#pragma once
// The host commands of a designer script: they build the form and act in the object inspector and
// the component editors, through the session's hands where a person would.

class TScriptSession;
struct TScriptCommand;

namespace ScriptHostCommands {

void Form(TScriptSession& s, const TScriptCommand& c);
void Add(TScriptSession& s, const TScriptCommand& c);
void Delete(TScriptSession& s, const TScriptCommand& c);
void Select(TScriptSession& s, const TScriptCommand& c);
void Set(TScriptSession& s, const TScriptCommand& c);
void Value(TScriptSession& s, const TScriptCommand& c);
void Values(TScriptSession& s, const TScriptCommand& c);
void Attrs(TScriptSession& s, const TScriptCommand& c);
void Edit(TScriptSession& s, const TScriptCommand& c);
void Get(TScriptSession& s, const TScriptCommand& c);
void Verbs(TScriptSession& s, const TScriptCommand& c);
void Verb(TScriptSession& s, const TScriptCommand& c);
void DblClick(TScriptSession& s, const TScriptCommand& c);
void Modified(TScriptSession& s, const TScriptCommand& c);
void Forms(TScriptSession& s, const TScriptCommand& c);
void Regional(TScriptSession& s, const TScriptCommand& c);
void Palette(TScriptSession& s, const TScriptCommand& c);
void Save(TScriptSession& s, const TScriptCommand& c);
void Open(TScriptSession& s, const TScriptCommand& c);

}  // namespace ScriptHostCommands
