#include "host/SurfaceGeometry.h"

#include <algorithm>

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

}  // namespace

TSurfaceGeometry::TSurfaceGeometry(const TDesigner& designer)
    : FDesigner(designer), FSelection(designer.Selection()), FSelectedSorted(FSelection.begin(), FSelection.end())
{
    std::sort(FSelectedSorted.begin(), FSelectedSorted.end());
}

int TSurfaceGeometry::Snap(int value)
{
    return (value >= 0 ? value + GridStep / 2 : value - GridStep / 2) / GridStep * GridStep;
}

TSurfacePoint TSurfaceGeometry::ClientSize() const
{
    auto* control = dynamic_cast<const TControl*>(FDesigner.GetRoot());
    if (!control || control->ClientWidth() <= 0 || control->ClientHeight() <= 0)
        return {480, 320};
    return {control->ClientWidth(), control->ClientHeight()};
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
    // A form too small for a tile keeps the tile at its top left corner.
    const int right = std::max(0, client.X - TileSize);
    const int bottom = std::max(0, client.Y - TileSize - LabelRoom);
    return {std::clamp(topLeft.X, 0, right), std::clamp(topLeft.Y, 0, bottom)};
}

TSurfacePoint TSurfaceGeometry::MovedBy(const TComponent* component, TSurfacePoint delta, bool snap) const
{
    int left = component->DesignLeft() + delta.X;
    int top = component->DesignTop() + delta.Y;
    if (snap) {
        left = Snap(left);
        top = Snap(top);
    }
    return KeptOnForm({left, top});
}

TSurfacePoint TSurfaceGeometry::PlacedAt(TSurfacePoint at) const
{
    return KeptOnForm({Snap(at.X - TileSize / 2), Snap(at.Y - TileSize / 2)});
}
