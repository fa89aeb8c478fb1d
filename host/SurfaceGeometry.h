#pragma once
// The design surface's geometry, in the form's client coordinates and free of any toolkit: where
// each component's tile lies, which tile a point hits, what a rubber band catches, how a click or
// a band changes the selection, the grid, and moves and placements kept on the form. A surface
// that draws only paints what this says and forwards a person's input to it.

#include <vector>

#include "host/Designer.h"
#include "vcl50/Controls.h"

struct TSurfacePoint {
    int X = 0, Y = 0;
    bool operator==(const TSurfacePoint&) const = default;
};

class TSurfaceGeometry {
public:
    static constexpr int GridStep = 8;
    static constexpr int TileSize = 28;
    // Room under a tile for its name.
    static constexpr int LabelRoom = 14;

    explicit TSurfaceGeometry(const TDesigner& designer);

    // The nearest grid line (the last one inside an int at its ends).
    static int Snap(int value);

    // The form's client area: its ClientWidth and ClientHeight, 480 by 320 where it has none.
    TSurfacePoint ClientSize() const;
    // The edges of the client area a person drags to size the form: a few points either side of
    // its right and bottom edges, both at the corner.
    struct TEdges {
        bool Right = false, Bottom = false;
        bool Any() const { return Right || Bottom; }
    };
    TEdges EdgesAt(TSurfacePoint at) const;
    // The client size a drag of those edges by `delta` gives, kept between room for one tile and
    // the largest size a form file holds.
    TSurfacePoint Resized(TEdges edges, TSurfacePoint delta) const;
    static constexpr int EdgeGrip = 4;
    static constexpr int MaxClientSize = 8192;
    // The tiled components (those that are no controls), bottom first: the selected ones lie
    // above the rest, so that the component a person picks is the one a click then reaches.
    std::vector<TComponent*> Tiles() const;
    // Where its stored position puts it; no selection or other tile moves it.
    static TRect TileRect(const TComponent* component);
    // The topmost tile under the point; null on bare form.
    TComponent* TileAt(TSurfacePoint at) const;
    // A point of the tile where a click reaches it: its centre when that is uncovered, else the
    // first uncovered point; the centre when it is covered whole.
    TSurfacePoint ReachableSpot(const TComponent* component) const;
    // The centre of a free place for a new tile, its name included.
    TSurfacePoint FreeSpot() const;

    // The selection after a click on the tile `hit`. Adding (Ctrl or Shift) toggles
    // the hit tile in the selection; otherwise a selected tile keeps the selection, so that a drag
    // moves all of it, and another tile is selected alone.
    TDesignerSelectionList Clicked(TComponent* hit, bool adding) const;
    // The selection after a rubber band: the tiles it touches, added to the selection when
    // adding; the form itself when it catches nothing.
    TDesignerSelectionList Banded(TRect band, bool adding) const;

    // The delta that moves a group of tiles together: when snapped, the one that puts the grabbed
    // tile on the grid, so the others keep their distances to it; cut short where one of them,
    // its name included, would leave the form.
    TSurfacePoint GroupDelta(const std::vector<TComponent*>& components, const TComponent* grabbed,
                             TSurfacePoint delta, bool snap) const;
    // Where a new tile goes when placed with its centre at `at`: on the grid, on the form.
    TSurfacePoint PlacedAt(TSurfacePoint at) const;
    // A tile's top left corner moved as little as it takes for the tile and its name to lie on
    // the form, and inside the range a form file holds (vcl50/Classes.h).
    TSurfacePoint KeptOnForm(TSurfacePoint topLeft) const;

private:
    bool IsSelected(const TComponent* component) const;
    TDesignerSelectionList ComponentsOnly(const TDesignerSelectionList& selection) const;

    const TDesigner& FDesigner;
    TDesignerSelectionList FSelection;
    // The selection by address, for the tests of every tile whether it is selected.
    std::vector<const TPersistent*> FSelectedSorted;
};
