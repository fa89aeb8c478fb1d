// The window's Edit menu: components cut, copied and pasted as form text on the system
// clipboard, so that two designer windows or a text editor can exchange them.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include "host/designer/DesignerWindow.h"

void TDesignerWindow::BuildEditMenu(QMenu* edit)
{
    edit->addAction("Cu&t", QKeySequence::Cut, this, [this] { CutSelection(); });
    FCopyAction = edit->addAction("&Copy", QKeySequence::Copy, this, [this] { CopySelection(); });
    FPasteAction = edit->addAction("&Paste", QKeySequence::Paste, this, [this] { PasteFromClipboard(); });
}

void TDesignerWindow::ConnectSystemClipboard()
{
    FHost.ConnectClipboard({
        [] { return AnsiString(QApplication::clipboard()->text().toStdString()); },
        [](const AnsiString& text) { QApplication::clipboard()->setText(QString::fromStdString(text)); },
    });
}

std::vector<TComponent*> TDesignerWindow::SelectedComponents() const
{
    std::vector<TComponent*> components;
    TDesigner* designer = FHost.CurrentForm();
    if (!designer)
        return components;
    // The form itself is no component to copy.
    for (TPersistent* object : designer->Selection())
        if (object != designer->GetRoot())
            components.push_back(static_cast<TComponent*>(object));
    return components;
}

void TDesignerWindow::CopySelection()
{
    std::vector<TComponent*> components = SelectedComponents();
    if (!components.empty())
        Commands().Copy(components);
}

void TDesignerWindow::CutSelection()
{
    std::vector<TComponent*> components = SelectedComponents();
    if (!components.empty() && Commands().Cut(components))
        Sync();
}

// Text that is no form text is reported (a message box) and changes nothing.
void TDesignerWindow::PasteFromClipboard()
{
    if (Commands().Paste())
        Sync();
}
