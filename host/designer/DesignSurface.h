#pragma once
// The design surface: the designed form at its size on a dot grid, its components as tiles
// (palette picture, name underneath). It paints what the core's surface geometry says and turns a
// person's input into the designer's commands: select, place, drag, delete, open editors.

#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "host/DesignHost.h"
#include "host/SurfaceGeometry.h"

class QAction;
class QMenu;
class TPaletteBar;

class TDesignSurface : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(TDesignSurface)

public:
    TDesignSurface(TDesignHost& host, TPaletteBar& palette, QWidget* parent = nullptr);

    // Told where the dragged tiles are while a person drags them.
    void SetOnDragged(std::function<void(const QString&)> listener) { FOnDragged = std::move(listener); }
    // Told after the selection changed here.
    void SetOnSelectionChanged(std::function<void()> listener) { FOnSelectionChanged = std::move(listener); }
    // The next placed component gets this name instead of a default one (a script's name).
    void SetPlacementName(const AnsiString& name) { FPlacementName = name; }

    // Follows the current form's size; call when the form may have changed.
    void Sync();
    // Where the tile of a component is, in this widget's coordinates.
    QRect TileRect(TComponent* component) const;
    // A free spot for a new tile, in this widget's coordinates.
    QPoint FreeSpot() const;
    // A point of the component's tile where a click reaches it (TSurfaceGeometry::ReachableSpot).
    QPoint ReachableSpot(TComponent* component) const;
    // The right-click menu for `component`: its editor's verbs above the host's own items, the
    // window's Edit actions (SetEditActions).
    std::unique_ptr<QMenu> ContextMenu(TComponent* component);
    void SetEditActions(QList<QAction*> actions) { FEditActions = std::move(actions); }
    // Places a class where a person let go of it, its tile centred there.
    void PlaceAt(TComponentClass cls, QPoint widgetPoint);

    // The selection's components, less the form.
    std::vector<TComponent*> SelectedComponents() const;
    // The selection's components leave the form, which is then selected.
    void DeleteSelection();
    void SelectAll();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TDesigner* Designer() const { return FHost.CurrentForm(); }
    TDesignerCommands& Commands() const { return FHost.Commands(); }
    TSurfaceGeometry Geometry() const { return TSurfaceGeometry(*Designer()); }
    QSize FormClientSize() const;
    TComponent* TileAt(QPoint widgetPoint) const;
    void Select(const TDesignerSelectionList& selection);
    void MoveSelection(QPoint delta, bool snap, const TComponent* grabbed = nullptr);
    // A class's palette picture, read from its package once between two Syncs.
    const QImage& TileImage(TComponentClass cls);

    TDesignHost& FHost;
    TPaletteBar& FPalette;
    std::function<void()> FOnSelectionChanged;
    std::function<void(const QString&)> FOnDragged;
    AnsiString FPlacementName;
    enum class TDrag { None, Move, Band, Resize } FDrag = TDrag::None;
    TSurfaceGeometry::TEdges FResizing;
    QPoint FDragStart;
    QPoint FDragNow;
    TComponent* FGrabbed = nullptr;  // the tile a move drag holds
    QList<QAction*> FEditActions;
    std::map<TComponentClass, QImage> FTileImages;
};
