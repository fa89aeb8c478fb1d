#include "host/designer/DesignerHands.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

#include "host/DesignerCommands.h"
#include "host/designer/DesignSurface.h"
#include "host/designer/DesignerWindow.h"
#include "host/designer/PreviewDock.h"
#include "host/designer/ObjectInspector.h"
#include "host/designer/PaletteBar.h"
#include "vcl50/Sysutils.h"

TDesignerHands::TDesignerHands(TDesignerWindow& window) : TScriptHands(window.Commands()), FWindow(window)
{
}

TDesigner& TDesignerHands::Designer() const
{
    return *FWindow.FHost.CurrentForm();
}

void TDesignerHands::Click(QPoint at, Qt::KeyboardModifiers modifiers)
{
    TDesignSurface* surface = FWindow.FSurface;
    const QPointF global = surface->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(surface, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(surface, &release);
}

QPoint TDesignerHands::SpotOf(TComponent* component) const
{
    // The form itself is where its surface is bare.
    TDesignSurface* surface = FWindow.FSurface;
    return component == Designer().GetRoot() ? surface->FreeSpot() : surface->ReachableSpot(component);
}

void TDesignerHands::Choose(TComponent* component)
{
    if (!FWindow.FInspector->ChooseComponent(component->Name()))
        throw EInvalidOperation(Format("The inspector does not list %s", {component->Name()}));
    FWindow.Sync();
}

void TDesignerHands::KeepSelection(const std::function<void()>& action)
{
    TDesigner& designer = Designer();
    const TDesignerSelectionList kept = designer.Selection();
    action();
    // Less whatever the action removed from the form.
    FCommands.Select(designer.OnForm(kept));
    FWindow.Sync();
}

void TDesignerHands::Add(TComponentClass cls, const AnsiString& name)
{
    FWindow.Sync();
    QToolButton* button = FWindow.FPalette->Button(cls);
    if (!button)
        throw EInvalidOperation(Format("The palette has no button for %s", {cls->ClassName()}));
    // The script's selection is the script's own: placing selects in the window, not in a script.
    KeepSelection([&] {
        FWindow.FPalette->setCurrentWidget(button->parentWidget());
        button->click();
        FWindow.FSurface->SetPlacementName(name);
        Click(FWindow.FSurface->FreeSpot(), Qt::NoModifier);
    });
}

void TDesignerHands::Select(const TDesignerSelectionList& selection)
{
    FWindow.Sync();
    bool first = true;
    for (TPersistent* object : selection) {
        Click(SpotOf(static_cast<TComponent*>(object)), first ? Qt::NoModifier : Qt::ControlModifier);
        first = false;
    }
    FWindow.Sync();
}

void TDesignerHands::Set(TPropertyGridRow&, const AnsiString& path, const AnsiString& value)
{
    FWindow.Sync();
    if (!FWindow.FInspector->TypeAndEnter(path, value))
        throw EInvalidOperation(Format("The inspector shows no editor for %s", {path}));
}

void TDesignerHands::Edit(TPropertyGridRow&, const AnsiString& path)
{
    FWindow.Sync();
    if (!FWindow.FInspector->PressEdit(path))
        throw EInvalidOperation(Format("The inspector shows no row %s", {path}));
}

void TDesignerHands::Verb(TComponent* component, int index)
{
    FWindow.Sync();
    std::unique_ptr<QMenu> menu = FWindow.FSurface->ContextMenu(component);
    const QList<QAction*> items = menu->actions();
    if (index >= items.size() || items[index]->isSeparator())
        throw EInvalidOperation(Format("The context menu has no verb %d", {index}));
    items[index]->trigger();
}

void TDesignerHands::DblClick(TComponent* component)
{
    FWindow.Sync();
    KeepSelection([&] {
        Choose(component);
        TDesignSurface* surface = FWindow.FSurface;
        const QPoint at = surface->TileRect(component).center();
        QMouseEvent event(QEvent::MouseButtonDblClick, at, surface->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    });
}

void TDesignerHands::Move(TComponent* component, int left, int top)
{
    FWindow.Sync();
    KeepSelection([&] {
        Choose(component);
        TDesignSurface* surface = FWindow.FSurface;
        const QPoint from = surface->TileRect(component).center();
        // A drag goes no farther than a position can: the distance then never overflows.
        const QPoint to =
            from + QPoint(std::clamp(left, MinDesignPosition, MaxDesignPosition) - component->DesignLeft(),
                          std::clamp(top, MinDesignPosition, MaxDesignPosition) - component->DesignTop());
        const QPointF global = surface->mapToGlobal(QPointF(from));
        // Alt: exactly where the script says, as under drowcast-host, not snapped to the grid.
        QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
        QApplication::sendEvent(surface, &press);
        QMouseEvent drag(QEvent::MouseMove, to, global, Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
        QApplication::sendEvent(surface, &drag);
        QMouseEvent release(QEvent::MouseButtonRelease, to, global, Qt::LeftButton, Qt::NoButton, Qt::AltModifier);
        QApplication::sendEvent(surface, &release);
    });
}

void TDesignerHands::Install(const std::string& path)
{
    FWindow.Install(path);
}

void TDesignerHands::Undo()
{
    FWindow.Sync();
    FWindow.FUndoAction->trigger();
}

void TDesignerHands::Redo()
{
    FWindow.Sync();
    FWindow.FRedoAction->trigger();
}

void TDesignerHands::Reset(const AnsiString& path)
{
    FWindow.Sync();
    if (!FWindow.FInspector->ResetRow(path))
        throw EInvalidOperation(Format("The inspector shows no row %s", {path}));
}

void TDesignerHands::Copy(const std::vector<TComponent*>& components)
{
    KeepSelection([&] {
        FCommands.Select({components.begin(), components.end()});
        FWindow.Sync();
        FWindow.FCopyAction->trigger();
    });
}

TDesignerCommands::TExportOutcome TDesignerHands::Export(TComponent* component)
{
    FWindow.FLastExport = {std::nullopt, "Component > Export is greyed out"};
    KeepSelection([&] {
        FCommands.Select({component});
        FWindow.Sync();
        FWindow.FExportAction->trigger();
    });
    return FWindow.FLastExport;
}

std::vector<TComponent*> TDesignerHands::Paste()
{
    FWindow.Sync();
    FWindow.FPasteAction->trigger();
    // What the paste selected.
    std::vector<TComponent*> pasted;
    for (TPersistent* object : Designer().Selection())
        pasted.push_back(static_cast<TComponent*>(object));
    return pasted;
}

bool TDesignerHands::Window(const AnsiString& path, TComponent* menuOf)
{
    FWindow.Sync();
    FWindow.FPreview->Flush();  // the picture shows the preview of what the script did
    QApplication::processEvents();
    QPixmap picture = FWindow.grab();
    if (menuOf) {
        // A popup menu is a window of its own, which the window's picture leaves out: it is drawn
        // in where a right click on the component opens it, kept inside the picture as a screen
        // keeps a popup.
        std::unique_ptr<QMenu> menu = FWindow.FSurface->ContextMenu(menuOf);
        menu->adjustSize();
        const QPoint click = FWindow.FSurface->mapTo(&FWindow, SpotOf(menuOf));
        const QPoint at(std::min(click.x(), picture.width() - menu->width()),
                        std::min(click.y(), picture.height() - menu->height()));
        QPainter(&picture).drawPixmap(at, menu->grab());
    }
    if (!picture.save(QString::fromStdString(path), "PNG"))
        throw EFCreateError(Format("Cannot create file \"%s\"", {path}));
    return true;
}
