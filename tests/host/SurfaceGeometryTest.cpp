// The design surface's geometry, headless: hit testing with overlapping tiles, the selection a
// click or a band makes, the grid, and group moves and placements kept on the form.

#include <gtest/gtest.h>

#include "host/DesignHost.h"
#include "host/SurfaceGeometry.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

class SurfaceGeometry : public testing::Test {
protected:
    SurfaceGeometry() : Designer(Host.NewForm("F"))
    {
        As<TControl>(Designer.GetRoot())->SetClientWidth(200);
        As<TControl>(Designer.GetRoot())->SetClientHeight(100);
        // A lies under B (B comes later); C stands apart.
        A = Designer.AddComponent(TSQLiteDataSet::StaticClass(), "A", 0, 0);
        B = Designer.AddComponent(TSQLiteDataSet::StaticClass(), "B", 10, 10);
        C = Designer.AddComponent(TSQLiteDataSet::StaticClass(), "C", 100, 40);
    }
    TSurfaceGeometry Geometry() const { return TSurfaceGeometry(Designer); }

    TDesignHost Host;
    TDesigner& Designer;
    TComponent* A;
    TComponent* B;
    TComponent* C;
};

}  // namespace

TEST_F(SurfaceGeometry, TheTopmostTileIsHitAndASelectedOneLiesOnTop)
{
    const TSurfacePoint overlap{20, 20};
    EXPECT_EQ(Geometry().TileAt(overlap), B);
    EXPECT_EQ(Geometry().TileAt({5, 5}), A);
    EXPECT_EQ(Geometry().TileAt({99, 99}), nullptr);
    EXPECT_EQ(Geometry().TileAt({28, 0}), nullptr) << "the tile's right edge lies outside it";
    // A is covered at its centre: the first point that reaches it is above B's corner.
    EXPECT_EQ(Geometry().ReachableSpot(A), (TSurfacePoint{0, 0}));
    EXPECT_EQ(Geometry().ReachableSpot(B), (TSurfacePoint{24, 24}));
    Designer.Select({A});
    EXPECT_EQ(Geometry().TileAt(overlap), A);
    EXPECT_EQ(Geometry().ReachableSpot(A), (TSurfacePoint{14, 14}));
    EXPECT_EQ(Geometry().Tiles(), (std::vector<TComponent*>{B, C, A}));
}

TEST_F(SurfaceGeometry, ClicksAndBandsMakeTheSelection)
{
    Designer.Select({Designer.GetRoot()});
    EXPECT_EQ(Geometry().Clicked(B, false), (TDesignerSelectionList{B}));
    EXPECT_EQ(Geometry().Clicked(B, true), (TDesignerSelectionList{B})) << "the form leaves the selection";
    Designer.Select({B, C});
    EXPECT_EQ(Geometry().Clicked(B, false), (TDesignerSelectionList{B, C})) << "a drag moves them all";
    EXPECT_EQ(Geometry().Clicked(A, false), (TDesignerSelectionList{A}));
    EXPECT_EQ(Geometry().Clicked(B, true), (TDesignerSelectionList{C}));
    EXPECT_EQ(Geometry().Clicked(A, true), (TDesignerSelectionList{B, C, A}));
    // A band catches what it touches, in the form's order; catching nothing selects the form.
    EXPECT_EQ(Geometry().Banded({5, 5, 120, 50}, false), (TDesignerSelectionList{A, B, C}));
    EXPECT_EQ(Geometry().Banded({30, 30, 90, 35}, false), (TDesignerSelectionList{B}));
    EXPECT_EQ(Geometry().Banded({150, 90, 160, 95}, false), (TDesignerSelectionList{Designer.GetRoot()}));
    EXPECT_EQ(Geometry().Banded({0, 0, 2, 2}, true), (TDesignerSelectionList{B, C, A}));
}

TEST_F(SurfaceGeometry, MovesAndPlacementsLandOnTheGridAndStayOnTheForm)
{
    // B at 10,10 with C at 100,40, grabbed by B: the group keeps C's distance to B.
    struct Case {
        TSurfacePoint Delta;
        bool Snap;
        TSurfacePoint Moves;
    } moves[] = {
        {{5, 2}, false, {5, 2}},
        {{5, 2}, true, {6, 6}},
        {{-3, -3}, true, {-2, -2}},
        {{-50, -50}, false, {-10, -10}},
        // C stops the group first: 200 by 100 less the tile (28) and the room for its name (14).
        {{500, 500}, false, {72, 18}},
        {{500, 500}, true, {72, 18}},
    };
    for (const Case& m : moves)
        EXPECT_EQ(Geometry().GroupDelta({B, C}, B, m.Delta, m.Snap), m.Moves) << m.Delta.X << "," << m.Delta.Y;
    EXPECT_EQ(Geometry().GroupDelta({C}, C, {500, 500}, false), (TSurfacePoint{72, 18})) << "alone";
    EXPECT_EQ(Geometry().GroupDelta({B}, B, {500, 500}, false), (TSurfacePoint{162, 48})) << "alone";
    EXPECT_EQ(TSurfaceGeometry::Snap(-5), -8);
    EXPECT_EQ(TSurfaceGeometry::Snap(3), 0);
    EXPECT_EQ(TSurfaceGeometry::Snap(4), 8);
    EXPECT_EQ(Geometry().PlacedAt({50, 50}), (TSurfacePoint{40, 40}));
    EXPECT_EQ(Geometry().PlacedAt({199, 99}), (TSurfacePoint{172, 58}));
    // A free place keeps clear of the tiles and their names.
    const TSurfacePoint spot = Geometry().FreeSpot();
    EXPECT_EQ(Geometry().TileAt(spot), nullptr);
    EXPECT_EQ(spot, (TSurfacePoint{78, 30}));
}

TEST(SurfaceGeometrySize, AFormWithoutSizeIsShownAtTheDefaultSize)
{
    TDesignHost host;
    TDesigner& designer = host.NewForm("F");
    As<TControl>(designer.GetRoot())->SetClientWidth(0);
    EXPECT_EQ(TSurfaceGeometry(designer).ClientSize(), (TSurfacePoint{480, 320}));
}
