#include "host/designer/DesignSurface.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <unordered_set>

#include "host/designer/PaletteBar.h"
#include "host/designer/PaletteImages.h"
#include "host/designer/ShownText.h"
#include "vcl50/Controls.h"

namespace {

// The form's frame around its client area: a border and a caption bar, as a window has them.
constexpr int Border = 4;
constexpr int CaptionHeight = 22;
const QPoint ClientOrigin(Border, Border + CaptionHeight);

TSurfacePoint ToForm(QPoint widgetPoint)
{
    const QPoint at = widgetPoint - ClientOrigin;
    return {at.x(), at.y()};
}

QPoint ToWidget(TSurfacePoint formPoint)
{
    return ClientOrigin + QPoint(formPoint.X, formPoint.Y);
}

QRect ToWidget(const TRect& rect)
{
    return QRect(ClientOrigin + QPoint(rect.Left, rect.Top), QSize(rect.Width(), rect.Height()));
}

bool Adding(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
}

}  // namespace

TDesignSurface::TDesignSurface(TDesignHost& host, TPaletteBar& palette, QWidget* parent)
    : QWidget(parent), FHost(host), FPalette(palette)
{
    setFocusPolicy(Qt::StrongFocus);
    // The cursor shows where the form's edges can be dragged.
    setMouseTracking(true);
    Sync();
}

QSize TDesignSurface::FormClientSize() const
{
    if (!Designer())
        return QSize(480, 320);
    const TSurfacePoint size = Geometry().ClientSize();
    return QSize(size.X, size.Y);
}

QSize TDesignSurface::sizeHint() const
{
    return FormClientSize() + QSize(2 * Border, 2 * Border + CaptionHeight);
}

void TDesignSurface::Sync()
{
    // A package installed or removed since may bring other pictures.
    FTileImages.clear();
    setFixedSize(sizeHint());
    update();
}

QRect TDesignSurface::TileRect(TComponent* component) const
{
    // Asks nothing of the designer: a paint asks it of every tile.
    return ToWidget(TSurfaceGeometry::TileRect(component));
}

TComponent* TDesignSurface::TileAt(QPoint widgetPoint) const
{
    return Designer() ? Geometry().TileAt(ToForm(widgetPoint)) : nullptr;
}

QPoint TDesignSurface::ReachableSpot(TComponent* component) const
{
    return ToWidget(Geometry().ReachableSpot(component));
}

QPoint TDesignSurface::FreeSpot() const
{
    return ToWidget(Geometry().FreeSpot());
}

void TDesignSurface::Select(const TDesignerSelectionList& selection)
{
    Commands().Select(selection);
    update();
    if (FOnSelectionChanged)
        FOnSelectionChanged();
}

void TDesignSurface::SelectAll()
{
    const std::vector<TComponent*> tiles = Geometry().Tiles();
    Select({tiles.begin(), tiles.end()});
}

std::vector<TComponent*> TDesignSurface::SelectedComponents() const
{
    std::vector<TComponent*> components;
    for (TPersistent* object : Designer()->Selection())
        if (object != Designer()->GetRoot())
            components.push_back(static_cast<TComponent*>(object));
    return components;
}

void TDesignSurface::DeleteSelection()
{
    const std::vector<TComponent*> components = SelectedComponents();
    if (!components.empty())
        Commands().Delete(components);
    Select({Designer()->GetRoot()});
}

void TDesignSurface::MoveSelection(QPoint delta, bool snap, const TComponent* grabbed)
{
    const std::vector<TComponent*> components = SelectedComponents();
    if (!components.empty())
        Commands().MoveBy(components, delta.x(), delta.y(), snap, grabbed);
    update();
}

void TDesignSurface::PlaceAt(TComponentClass cls, QPoint widgetPoint)
{
    FPalette.ClearChoice();
    if (!Designer())
        return;
    const TSurfacePoint at = Geometry().PlacedAt(ToForm(widgetPoint));
    AnsiString name = std::exchange(FPlacementName, AnsiString());
    if (TComponent* placed = Commands().Place(cls, name, at.X, at.Y))
        Select({placed});
}

// ---- drawing ----------------------------------------------------------------------------------

const QImage& TDesignSurface::TileImage(TComponentClass cls)
{
    auto it = FTileImages.find(cls);
    if (it != FTileImages.end())
        return it->second;
    QImage image;
    for (const auto& page : FHost.Registry().Pages())
        for (const auto& entry : page.Classes)
            if (entry.Class == cls)
                image = PaletteImage(entry);
    return FTileImages[cls] = image;
}

void TDesignSurface::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(frame);
    // The caption bar.
    QRect caption(Border, Border, width() - 2 * Border, CaptionHeight - 2);
    p.fillRect(caption, QColor(0, 84, 153));
    p.setPen(Qt::white);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    if (TDesigner* designer = Designer()) {
        auto* control = dynamic_cast<TControl*>(designer->GetRoot());
        const AnsiString& title =
            control && !control->Caption().empty() ? control->Caption() : designer->GetRoot()->Name();
        // Clipped to the bar; no glyph is narrower than a pixel, so as many characters as the bar
        // has pixels are more than it shows.
        const QRect room = caption.adjusted(6, 0, 0, 0);
        p.drawText(room, Qt::AlignVCenter | Qt::AlignLeft, ShownText(title, room.width()));
    }
    p.setFont(font());
    // The client area and its dot grid, as far as it is exposed: a large form shows a small part.
    const QRect client(ClientOrigin, FormClientSize());
    const QRect exposed = event->rect();
    p.fillRect(client, QColor(236, 233, 216));
    p.setPen(Qt::black);
    const QRect dots = exposed.intersected(client).translated(-ClientOrigin);
    constexpr int step = TSurfaceGeometry::GridStep;
    for (int y = dots.top() / step * step; y <= dots.bottom(); y += step)
        for (int x = dots.left() / step * step; x <= dots.right(); x += step)
            p.drawPoint(client.topLeft() + QPoint(x, y));
    if (!Designer())
        return;
    const QPoint dragged = FDrag == TDrag::Move ? FDragNow - FDragStart : QPoint();
    const TDesignerSelectionList list = Designer()->Selection();
    const std::unordered_set<TPersistent*> selection(list.begin(), list.end());
    const int labelHeight = fontMetrics().height();
    for (TComponent* c : Geometry().Tiles()) {
        const bool selected = selection.contains(c);
        QRect tile = TileRect(c).translated(selected ? dragged : QPoint());
        // The tile with its handles and the name underneath, wider than the tile.
        if (!exposed.intersects(tile.adjusted(-60, -2, 60, labelHeight + 2)))
            continue;
        p.fillRect(tile, palette().color(QPalette::Button));
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(tile.topLeft(), tile.topRight());
        p.drawLine(tile.topLeft(), tile.bottomLeft());
        p.setPen(palette().color(QPalette::Shadow));
        p.drawLine(tile.bottomLeft(), tile.bottomRight());
        p.drawLine(tile.topRight(), tile.bottomRight());
        p.drawImage(tile.topLeft() + QPoint(2, 2), TileImage(c->ClassType()));
        QString name = QString::fromStdString(c->Name());
        QRect label(tile.center().x() - 60, tile.bottom() + 2, 120, labelHeight);
        p.setPen(Qt::black);
        p.drawText(label, Qt::AlignHCenter | Qt::AlignTop, name);
        if (selected) {
            p.setBrush(Qt::black);
            p.setPen(Qt::NoPen);
            for (QPoint corner : {tile.topLeft(), tile.topRight(), tile.bottomLeft(), tile.bottomRight()})
                p.drawRect(QRect(corner - QPoint(2, 2), QSize(5, 5)));
            p.setBrush(Qt::NoBrush);
        }
    }
    if (FDrag == TDrag::Band) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(QRect(FDragStart, FDragNow).normalized());
    }
    if (FDrag == TDrag::Resize) {
        // The new size's outline, inside what the surface shows until the drag ends.
        const QPoint delta = FDragNow - FDragStart;
        const TSurfacePoint size = Geometry().Resized(FResizing, {delta.x(), delta.y()});
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(QRect(ClientOrigin, QSize(size.X, size.Y)).intersected(rect().adjusted(0, 0, -1, -1)));
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

// ---- a person's input -------------------------------------------------------------------------

void TDesignSurface::mousePressEvent(QMouseEvent* event)
{
    if (!Designer() || event->button() != Qt::LeftButton)
        return;
    setFocus();
    const QPoint at = event->position().toPoint();
    if (TComponentClass cls = FPalette.ChosenClass()) {
        PlaceAt(cls, at);
        return;
    }
    FDragStart = FDragNow = at;
    if (const TSurfaceGeometry::TEdges edges = Geometry().EdgesAt(ToForm(at)); edges.Any()) {
        FDrag = TDrag::Resize;
        FResizing = edges;
        return;
    }
    TComponent* hit = TileAt(at);
    if (!hit) {
        FDrag = TDrag::Band;
        return;
    }
    const TDesignerSelectionList selection = Geometry().Clicked(hit, Adding(event->modifiers()));
    if (selection != Designer()->Selection())
        Select(selection);
    // A tile added to the selection or taken from it is not dragged.
    if (!Adding(event->modifiers())) {
        FDrag = TDrag::Move;
        FGrabbed = hit;
    }
}

void TDesignSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (FDrag == TDrag::None) {
        const TSurfaceGeometry::TEdges edges =
            Designer() ? Geometry().EdgesAt(ToForm(event->position().toPoint())) : TSurfaceGeometry::TEdges{};
        setCursor(edges.Right && edges.Bottom ? Qt::SizeFDiagCursor
                  : edges.Right               ? Qt::SizeHorCursor
                  : edges.Bottom              ? Qt::SizeVerCursor
                                              : Qt::ArrowCursor);
        return;
    }
    FDragNow = event->position().toPoint();
    if (FDrag == TDrag::Move && FGrabbed && FOnDragged) {
        const QPoint at = QPoint(FGrabbed->DesignLeft(), FGrabbed->DesignTop()) + FDragNow - FDragStart;
        FOnDragged(tr("%1 at %2, %3 (%4 by %4)")
                       .arg(QString::fromStdString(FGrabbed->Name()))
                       .arg(at.x())
                       .arg(at.y())
                       .arg(TSurfaceGeometry::TileSize));
    }
    update();
}

void TDesignSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (FDrag == TDrag::None || event->button() != Qt::LeftButton)
        return;
    FDragNow = event->position().toPoint();
    const TDrag drag = std::exchange(FDrag, TDrag::None);
    const QPoint delta = FDragNow - FDragStart;
    if (drag == TDrag::Resize) {
        const TSurfacePoint size = Geometry().Resized(FResizing, {delta.x(), delta.y()});
        if (!delta.isNull())
            Commands().ResizeForm(size.X, size.Y);
        Sync();
        return;
    }
    if (drag == TDrag::Move) {
        // Alt places freely; otherwise the tiles land on the grid.
        if (!delta.isNull())
            MoveSelection(delta, !(event->modifiers() & Qt::AltModifier), std::exchange(FGrabbed, nullptr));
        // A plain click on one tile of several selected ones selects it alone.
        else if (TComponent* hit = TileAt(FDragNow); hit && !Adding(event->modifiers()))
            Select({hit});
        return;
    }
    const QRect band = QRect(FDragStart, FDragNow).normalized().translated(-ClientOrigin);
    Select(Geometry().Banded({band.left(), band.top(), band.right() + 1, band.bottom() + 1}, Adding(event->modifiers())));
}

void TDesignSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    FDrag = TDrag::None;
    if (TComponent* hit = TileAt(event->position().toPoint()))
        Commands().DblClick(hit);
}

std::unique_ptr<QMenu> TDesignSurface::ContextMenu(TComponent* component)
{
    auto menu = std::make_unique<QMenu>(this);
    const std::vector<AnsiString> verbs = Commands().Verbs(component).value_or(std::vector<AnsiString>{});
    for (size_t i = 0; i < verbs.size(); ++i) {
        // Qt reads a verb's & as the accelerator and && as an ampersand, as the platform does.
        menu->addAction(QString::fromStdString(verbs[i]),
                        [this, component, i] { Commands().Verb(component, static_cast<int>(i)); });
    }
    if (!menu->isEmpty())
        menu->addSeparator();
    menu->addActions(FEditActions);
    return menu;
}

void TDesignSurface::contextMenuEvent(QContextMenuEvent* event)
{
    if (!Designer())
        return;
    TComponent* hit = TileAt(event->pos());
    const TDesignerSelectionList selection = Designer()->Selection();
    if (hit && std::find(selection.begin(), selection.end(), hit) == selection.end())
        Select({hit});
    std::unique_ptr<QMenu> menu = ContextMenu(hit ? hit : Designer()->GetRoot());
    menu->exec(event->globalPos());
}

void TDesignSurface::keyPressEvent(QKeyEvent* event)
{
    if (!Designer())
        return;
    // Delete, Select all and the clipboard's keys are the window's Edit menu's shortcuts.
    constexpr int step = TSurfaceGeometry::GridStep;
    switch (event->key()) {
    case Qt::Key_Escape:
        FPalette.ClearChoice();
        return;
    case Qt::Key_Left:
        MoveSelection({-step, 0}, false);
        return;
    case Qt::Key_Right:
        MoveSelection({step, 0}, false);
        return;
    case Qt::Key_Up:
        MoveSelection({0, -step}, false);
        return;
    case Qt::Key_Down:
        MoveSelection({0, step}, false);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// The focus frame shows where the keys go.
void TDesignSurface::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TDesignSurface::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
