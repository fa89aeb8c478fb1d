// The window's Edit menu: components cut, copied and pasted as form text on the clipboard, which
// under the Qt widget set is the system's, so that two designer windows or a text editor can
// exchange them; deleted and all selected. The surface's context menu shows the same actions.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include "host/designer/DesignSurface.h"
#include "host/designer/DesignerWindow.h"
#include "vcl50/Clipbrd.h"

void TDesignerWindow::BuildEditMenu(QMenu* edit)
{
    auto add = [&](const QString& text, QKeySequence::StandardKey key, const char* name, auto slot) {
        QAction* action = edit->addAction(text, key, this, slot);
        action->setObjectName(name);
        return action;
    };
    FCutAction = add(tr("Cu&t"), QKeySequence::Cut, "cutAction", [this] { CutSelection(); });
    FCopyAction = add(tr("&Copy"), QKeySequence::Copy, "copyAction", [this] { CopySelection(); });
    FPasteAction = add(tr("&Paste"), QKeySequence::Paste, "pasteAction", [this] { PasteFromClipboard(); });
    FDeleteAction = add(tr("&Delete"), QKeySequence::Delete, "deleteAction", [this] { FSurface->DeleteSelection(); });
    edit->addSeparator();
    FSelectAllAction =
        add(tr("Select &all"), QKeySequence::SelectAll, "selectAllAction", [this] { FSurface->SelectAll(); });
    FSurface->SetEditActions({FCutAction, FCopyAction, FPasteAction, FDeleteAction, FSelectAllAction});
    connect(edit, &QMenu::aboutToShow, this, [this] { UpdateEditActions(); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdateEditActions(); });
}

void TDesignerWindow::UpdateEditActions()
{
    const bool components = !FSurface->SelectedComponents().empty();
    TDesigner* designer = FHost.CurrentForm();
    FCutAction->setEnabled(components);
    FCopyAction->setEnabled(components);
    FDeleteAction->setEnabled(components);
    FSelectAllAction->setEnabled(designer && designer->GetRoot()->ComponentCount() > 0);
    // Only form text pastes: its first word is "object" (or "inherited", "inline").
    const QString text = QString::fromStdString(Clipboard()->AsText()).trimmed();
    FPasteAction->setEnabled(designer && (text.startsWith("object") || text.startsWith("inherited") ||
                                          text.startsWith("inline")));
}

void TDesignerWindow::CopySelection()
{
    std::vector<TComponent*> components = FSurface->SelectedComponents();
    if (!components.empty())
        Commands().Copy(components);
}

void TDesignerWindow::CutSelection()
{
    std::vector<TComponent*> components = FSurface->SelectedComponents();
    if (!components.empty() && Commands().Cut(components))
        Sync();
}

// Text that is no form text is reported (a message box) and changes nothing.
void TDesignerWindow::PasteFromClipboard()
{
    if (Commands().Paste())
        Sync();
}
