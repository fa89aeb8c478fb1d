#include "host/ScriptCommands.h"

#include "host/ScriptDesignerCommands.h"
#include "host/ScriptDialogBlocks.h"
#include "host/ScriptHostCommands.h"

std::span<const TScriptCommandRow> HostCommandRows()
{
    namespace H = ScriptHostCommands;
    namespace D = ScriptDesignerCommands;
    namespace B = ScriptDialogBlocks;
    static constexpr TScriptCommandRow rows[] = {
        {"form", 1, 1, "form NAME", &H::Form},
        {"add", 2, 2, "add CLASS NAME", &H::Add},
        {"delete", 1, 1, "delete NAME", &H::Delete},
        {"select", 1, ManyArgs, "select NAME...", &H::Select},
        {"set", 2, 2, "set PROP VALUE", &H::Set},
        {"value", 1, 1, "value PROP", &H::Value},
        {"values", 1, 1, "values PROP", &H::Values},
        {"attrs", 1, 1, "attrs PROP", &H::Attrs},
        {"edit", 1, 1, "edit PROP", &H::Edit},
        {"get", 1, 1, "get NAME.PROP", &H::Get},
        {"verbs", 1, 1, "verbs NAME", &H::Verbs},
        {"verb", 2, 2, "verb NAME INDEX", &H::Verb},
        {"dblclick", 1, 1, "dblclick NAME", &H::DblClick},
        {"modified", 0, 0, "modified", &H::Modified},
        {"forms", 0, 0, "forms", &H::Forms},
        {"regional", 2, 2, "regional NAME VALUE", &H::Regional},
        {"palette", 0, 0, "palette", &H::Palette},
        {"save", 1, 1, "save PATH", &H::Save},
        {"open", 1, 1, "open PATH", &H::Open},
        {"move", 3, 3, "move NAME X Y", &D::Move},
        {"window", 1, 2, "window PATH [NAME]", &D::Window},
        {"inspector", 0, 1, "inspector [FILTER]", &D::Inspector},
        {"reset", 1, 1, "reset PROP", &D::Reset},
        {"copy", 1, ManyArgs, "copy NAME...", &D::Copy},
        {"paste", 0, 0, "paste", &D::Paste},
        {"export", 1, 1, "export NAME", &D::Export},
        {"preview", 2, 3, "preview NAME PATH [ROWS]", &D::Preview},
        {"execute", 1, 1, "execute NAME", &D::Execute},
        {"clipboard", 0, 0, "clipboard", &D::ClipboardText},
        {"answer", 2, 2, "answer KIND VALUE", &B::Answer},
        {"dialog", 0, 0, "dialog", &B::Dialog},
        {"install", 1, 1, "install PATH", &D::Install},
        {"packages", 0, 0, "packages", &D::Packages},
        {"autosave", 0, 0, "autosave", &D::Autosave},
        {"crash", 0, 0, "crash", &D::Crash},
        {"recover", 0, 0, "recover", &D::Recover},
        {"undo", 0, 0, "undo", &D::Undo},
        {"redo", 0, 0, "redo", &D::Redo},
    };
    return rows;
}

std::span<const TScriptCommandRow> DialogCommandRows()
{
    namespace B = ScriptDialogBlocks;
    static constexpr TScriptCommandRow rows[] = {
        {"click", 1, 1, "click NAME", &B::Click},
        {"dblclick", 1, 1, "dblclick NAME", &B::DblClick},
        {"key", 2, 2, "key NAME CODE", &B::Key},
        {"choose", 2, 2, "choose NAME INDEX", &B::Choose},
        {"pick", 2, ManyArgs, "pick NAME TEXT...", &B::Pick},
        {"type", 2, 2, "type NAME TEXT", &B::Type},
        {"drag", 2, 2, "drag FROM TO", &B::Drag},
        {"get", 1, 1, "get NAME.PROP", &B::Get},
        {"list", 1, 1, "list NAME", &B::List},
        {"enabled", 1, ManyArgs, "enabled NAME...", &B::Enabled},
        {"focus", 0, 0, "focus", &B::Focus},
        {"answer", 2, 2, "answer KIND VALUE", &B::Answer},
        {"dialog", 0, 0, "dialog", &B::Dialog},
        {"ok", 0, 0, "ok", &B::Ok},
        {"cancel", 0, 0, "cancel", &B::Cancel},
        {"close", 0, 0, "close", &B::Close},
        {"screenshot", 1, 1, "screenshot PATH", &B::Screenshot},
    };
    return rows;
}
