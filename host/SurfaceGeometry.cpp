#include "host/SurfaceGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

bool Contains(const TRect& rect, TSurfacePoint at)
{
    return at.X >= rect.Left && at.X < rect.Right && at.Y >= rect.Top && at.Y < rect.Bottom;
}

bool Intersects(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TSurfacePoint Centre(const TRect& rect)
{
    return {rect.Left + rect.Width() / 2, rect.Top + rect.Height() / 2};
}

// `at` moved by `by` in 64 bits, then brought into the range a position has: a move of any
// size ends at an edge, never overflows.
int Moved(int at, int by)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t{at} + by, MinDesignPosition, MaxDesignPosition));
}

}  // namespace

TSurfaceGeometry::TSurfaceGeometry(const TDesigner& designer)
    : FDesigner(designer), FSelection(designer.Selection()), FSelectedSorted(FSelection.begin(), FSelection.end())
{
    std::sort(FSelectedSorted.begin(), FSelectedSorted.end());
}

int TSurfaceGeometry::Snap(int value)
{
    // The int's own ends snap inwards: the grid line past them is no int.
    constexpr int64_t last = std::numeric_limits<int>::max() / GridStep * GridStep;
    const int64_t v = value;
    const int64_t snapped = (v >= 0 ? v + GridStep / 2 : v - GridStep / 2) / GridStep * GridStep;
    return static_cast<int>(std::clamp(snapped, -last, last));
}

TSurfacePoint TSurfaceGeometry::ClientSize() const
{
    auto* control = dynamic_cast<const TControl*>(FDesigner.GetRoot());
    if (!control || control->ClientWidth() <= 0 || control->ClientHeight() <= 0)
        return {480, 320};
    return {control->ClientWidth(), control->ClientHeight()};
}

TSurfaceGeometry::TEdges TSurfaceGeometry::EdgesAt(TSurfacePoint at) const
{
    const TSurfacePoint size = ClientSize();
    const bool acrossX = at.X >= -EdgeGrip && at.X <= size.X + EdgeGrip;
    const bool acrossY = at.Y >= -EdgeGrip && at.Y <= size.Y + EdgeGrip;
    return {acrossY && std::abs(at.X - size.X) <= EdgeGrip, acrossX && std::abs(at.Y - size.Y) <= EdgeGrip};
}

TSurfacePoint TSurfaceGeometry::Resized(TEdges edges, TSurfacePoint delta) const
{
    const TSurfacePoint size = ClientSize();
    const int width = edges.Right ? size.X + delta.X : size.X;
    const int height = edges.Bottom ? size.Y + delta.Y : size.Y;
    return {std::clamp(width, TileSize, MaxClientSize), std::clamp(height, TileSize + LabelRoom, MaxClientSize)};
}

bool TSurfaceGeometry::IsSelected(const TComponent* component) const
{
    return std::binary_search(FSelectedSorted.begin(), FSelectedSorted.end(), component);
}

std::vector<TComponent*> TSurfaceGeometry::Tiles() const
{
    std::vector<TComponent*> tiles;
    TComponent* root = FDesigner.GetRoot();
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (!root->Components(i)->InheritsFrom(TControl::StaticClass()))
            tiles.push_back(root->Components(i));
    std::stable_partition(tiles.begin(), tiles.end(), [this](TComponent* c) { return !IsSelected(c); });
    return tiles;
}

TRect TSurfaceGeometry::TileRect(const TComponent* component)
{
    const int left = component->DesignLeft();
    const int top = component->DesignTop();
    return {left, top, left + TileSize, top + TileSize};
}

TComponent* TSurfaceGeometry::TileAt(TSurfacePoint at) const
{
    const std::vector<TComponent*> tiles = Tiles();
    for (auto it = tiles.rbegin(); it != tiles.rend(); ++it)
        if (Contains(TileRect(*it), at))
            return *it;
    return nullptr;
}

TSurfacePoint TSurfaceGeometry::ReachableSpot(const TComponent* component) const
{
    const TRect tile = TileRect(component);
    if (TileAt(Centre(tile)) == component)
        return Centre(tile);
    for (int y = tile.Top; y < tile.Bottom; y += 2)
        for (int x = tile.Left; x < tile.Right; x += 2)
            if (TileAt({x, y}) == component)
                return {x, y};
    return Centre(tile);
}

TSurfacePoint TSurfaceGeometry::FreeSpot() const
{
    const TSurfacePoint client = ClientSize();
    const int pitch = 6 * GridStep;
    const std::vector<TComponent*> tiles = Tiles();
    for (int y = 2 * GridStep; y + TileSize < client.Y; y += pitch)
        for (int x = 2 * GridStep; x + TileSize < client.X; x += pitch) {
            const TRect spot{x, y, x + TileSize, y + TileSize + LabelRoom};
            const bool taken = std::any_of(tiles.begin(), tiles.end(), [&](TComponent* c) {
                TRect named = TileRect(c);
                named.Bottom += LabelRoom;
                return Intersects(named, spot);
            });
            if (!taken)
                return {x + TileSize / 2, y + TileSize / 2};
        }
    return {2 * GridStep + TileSize / 2, 2 * GridStep + TileSize / 2};
}

TDesignerSelectionList TSurfaceGeometry::ComponentsOnly(const TDesignerSelectionList& selection) const
{
    TDesignerSelectionList components = selection;
    std::erase(components, FDesigner.GetRoot());
    return components;
}

TDesignerSelectionList TSurfaceGeometry::Clicked(TComponent* hit, bool adding) const
{
    TDesignerSelectionList selection = ComponentsOnly(FSelection);
    if (adding) {
        if (IsSelected(hit))
            std::erase(selection, hit);
        else
            selection.push_back(hit);
        return selection;
    }
    return IsSelected(hit) ? selection : TDesignerSelectionList{hit};
}

TDesignerSelectionList TSurfaceGeometry::Banded(TRect band, bool adding) const
{
    TDesignerSelectionList selection = adding ? ComponentsOnly(FSelection) : TDesignerSelectionList{};
    TComponent* root = FDesigner.GetRoot();
    // In the form's order, not the drawing order: the inspector lists them so.
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        if (c->InheritsFrom(TControl::StaticClass()) || !Intersects(band, TileRect(c)))
            continue;
        if (std::find(selection.begin(), selection.end(), c) == selection.end())
            selection.push_back(c);
    }
    if (selection.empty())
        selection.push_back(root);
    return selection;
}

TSurfacePoint TSurfaceGeometry::KeptOnForm(TSurfacePoint topLeft) const
{
    const TSurfacePoint client = ClientSize();
    // A form too small for a tile keeps the tile at its top left corner; on a form wider than a
    // form file's positions reach, the tile stops where they end.
    const int right = std::min(std::max(0, client.X - TileSize), MaxDesignPosition);
    const int bottom = std::min(std::max(0, client.Y - TileSize - LabelRoom), MaxDesignPosition);
    return {std::clamp(topLeft.X, 0, right), std::clamp(topLeft.Y, 0, bottom)};
}

TSurfacePoint TSurfaceGeometry::GroupDelta(const std::vector<TComponent*>& components, const TComponent* grabbed,
                                          TSurfacePoint delta, bool snap) const
{
    // No move goes further than from one end of the positions' range to the other, so nothing
    // below can overflow.
    constexpr int span = MaxDesignPosition - MinDesignPosition;
    delta = {std::clamp(delta.X, -span, span), std::clamp(delta.Y, -span, span)};
    if (snap && grabbed) {
        delta.X = Snap(Moved(grabbed->DesignLeft(), delta.X)) - grabbed->DesignLeft();
        delta.Y = Snap(Moved(grabbed->DesignTop(), delta.Y)) - grabbed->DesignTop();
    }
    // Each tile may move only as far as the form lets it; the group moves as far as all may.
    for (const TComponent* component : components) {
        const TSurfacePoint wanted{Moved(component->DesignLeft(), delta.X), Moved(component->DesignTop(), delta.Y)};
        const TSurfacePoint kept = KeptOnForm(wanted);
        delta.X += kept.X - wanted.X;
        delta.Y += kept.Y - wanted.Y;
    }
    return delta;
}

TSurfacePoint TSurfaceGeometry::PlacedAt(TSurfacePoint at) const
{
    return KeptOnForm({Snap(Moved(at.X, -TileSize / 2)), Snap(Moved(at.Y, -TileSize / 2))});
}
