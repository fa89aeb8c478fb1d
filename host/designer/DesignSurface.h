#pragma once
// The design surface: the designed form at its size on a dot grid, its components as tiles
// (palette picture, name underneath). A person selects, places, drags, deletes and opens
// editors here; every change goes through the form's designer in the core.

#include <QImage>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "host/DesignHost.h"

class QMenu;
class TPaletteBar;

class TDesignSurface : public QWidget {
public:
    // Runs a call into package code; false when it raised (and was reported).
    using TGuard = std::function<bool(const std::function<void()>&)>;

    static constexpr int GridStep = 8;
    static constexpr int TileSize = 28;

    TDesignSurface(TDesignHost& host, TPaletteBar& palette, TGuard guard, QWidget* parent = nullptr);

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
    // A point of the component's tile where a click reaches it, not a tile placed over it: its
    // centre when free, else the first uncovered point; the centre when it is covered whole.
    QPoint ReachableSpot(TComponent* component) const;
    // The right-click menu for `component`: its editor's verbs above the host's own items.
    std::unique_ptr<QMenu> ContextMenu(TComponent* component);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TDesigner* Designer() const { return FHost.CurrentForm(); }
    QSize FormClientSize() const;
    QPoint ToForm(QPoint widgetPoint) const;
    std::vector<TComponent*> TiledComponents() const;
    TComponent* TileAt(QPoint widgetPoint) const;
    bool IsSelected(TComponent* component) const;
    void SelectOnly(const TDesignerSelectionList& selection);
    void SelectAll();
    void DeleteSelection();
    void MoveSelection(QPoint delta, bool snap);
    void Place(QPoint widgetPoint);
    // A class's palette picture, read from its package once between two Syncs.
    const QImage& TileImage(TComponentClass cls);

    TDesignHost& FHost;
    TPaletteBar& FPalette;
    TGuard FGuard;
    std::function<void()> FOnSelectionChanged;
    AnsiString FPlacementName;
    enum class TDrag { None, Move, Band } FDrag = TDrag::None;
    QPoint FDragStart;
    QPoint FDragNow;
    std::map<TComponentClass, QImage> FTileImages;
};
