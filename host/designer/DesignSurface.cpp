#include "host/designer/DesignSurface.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <unordered_set>

#include "host/ScriptActions.h"
#include "host/designer/PaletteBar.h"
#include "host/designer/PaletteImages.h"
#include "vcl50/Controls.h"

namespace {

// The form's frame around its client area: a border and a caption bar, as a window has them.
constexpr int Border = 4;
constexpr int CaptionHeight = 22;
const QPoint ClientOrigin(Border, Border + CaptionHeight);

int Snap(int value)
{
    int step = TDesignSurface::GridStep;
    return (value >= 0 ? value + step / 2 : value - step / 2) / step * step;
}

// A verb as the Edit menu names its step: "F&ields editor..." is "Fields editor".
AnsiString StripHotkey(const AnsiString& verb)
{
    AnsiString label;
    for (size_t i = 0; i < verb.size(); ++i) {
        if (verb[i] == '&' && ++i == verb.size())
            break;
        label += verb[i];  // the letter after '&', or the second '&' of "&&"
    }
    while (!label.empty() && label.back() == '.')
        label.pop_back();
    return label;
}

}  // namespace

TDesignSurface::TDesignSurface(TDesignHost& host, TPaletteBar& palette, TGuard guard, QWidget* parent)
    : QWidget(parent), FHost(host), FPalette(palette), FGuard(std::move(guard))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    Sync();
}

QSize TDesignSurface::FormClientSize() const
{
    auto* control = Designer() ? dynamic_cast<TControl*>(Designer()->GetRoot()) : nullptr;
    if (!control || control->ClientWidth() <= 0 || control->ClientHeight() <= 0)
        return QSize(480, 320);
    return QSize(control->ClientWidth(), control->ClientHeight());
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

QPoint TDesignSurface::ToForm(QPoint widgetPoint) const
{
    return widgetPoint - ClientOrigin;
}

std::vector<TComponent*> TDesignSurface::TiledComponents() const
{
    std::vector<TComponent*> tiles;
    if (!Designer())
        return tiles;
    TComponent* root = Designer()->GetRoot();
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (!root->Components(i)->InheritsFrom(TControl::StaticClass()))
            tiles.push_back(root->Components(i));
    return tiles;
}

QRect TDesignSurface::TileRect(TComponent* component) const
{
    return QRect(ClientOrigin + QPoint(component->DesignLeft(), component->DesignTop()), QSize(TileSize, TileSize));
}

TComponent* TDesignSurface::TileAt(QPoint widgetPoint) const
{
    std::vector<TComponent*> tiles = TiledComponents();
    // The tile drawn last lies on top.
    for (auto it = tiles.rbegin(); it != tiles.rend(); ++it)
        if (TileRect(*it).contains(widgetPoint))
            return *it;
    return nullptr;
}

QPoint TDesignSurface::ReachableSpot(TComponent* component) const
{
    const QRect tile = TileRect(component);
    if (TileAt(tile.center()) == component)
        return tile.center();
    for (int y = tile.top(); y <= tile.bottom(); y += 2)
        for (int x = tile.left(); x <= tile.right(); x += 2)
            if (TileAt({x, y}) == component)
                return {x, y};
    return tile.center();
}

QPoint TDesignSurface::FreeSpot() const
{
    const QSize client = FormClientSize();
    const int pitch = 6 * GridStep;
    for (int y = 2 * GridStep; y + TileSize < client.height(); y += pitch)
        for (int x = 2 * GridStep; x + TileSize < client.width(); x += pitch) {
            QRect spot(ClientOrigin + QPoint(x, y), QSize(TileSize, TileSize + 14));
            bool taken = false;
            for (TComponent* c : TiledComponents())
                taken = taken || TileRect(c).adjusted(0, 0, 0, 14).intersects(spot);
            if (!taken)
                return spot.topLeft() + QPoint(TileSize / 2, TileSize / 2);
        }
    return ClientOrigin + QPoint(2 * GridStep, 2 * GridStep);
}

bool TDesignSurface::IsSelected(TComponent* component) const
{
    if (!Designer())
        return false;
    TDesignerSelectionList selection = Designer()->Selection();
    return std::find(selection.begin(), selection.end(), component) != selection.end();
}

void TDesignSurface::SelectOnly(const TDesignerSelectionList& selection)
{
    Designer()->Select(selection);
    update();
    if (FOnSelectionChanged)
        FOnSelectionChanged();
}

void TDesignSurface::SelectAll()
{
    TDesignerSelectionList all;
    for (TComponent* c : TiledComponents())
        all.push_back(c);
    SelectOnly(all);
}

void TDesignSurface::DeleteSelection()
{
    TDesignerSelectionList selection = Designer()->Selection();
    Designer()->Perform("Delete", [&] {
        for (TPersistent* object : selection)
            if (object != Designer()->GetRoot())
                if (auto* component = dynamic_cast<TComponent*>(object); component && Designer()->GetComponent(component->Name()) == component)
                    Designer()->DeleteComponent(component);
    });
    SelectOnly({Designer()->GetRoot()});
}

void TDesignSurface::MoveSelection(QPoint delta, bool snap)
{
    Designer()->Perform("Move", [&] {
        for (TPersistent* object : Designer()->Selection()) {
            auto* component = dynamic_cast<TComponent*>(object);
            if (!component || component == Designer()->GetRoot())
                continue;
            int left = component->DesignLeft() + delta.x();
            int top = component->DesignTop() + delta.y();
            Designer()->MoveComponent(component, snap ? Snap(left) : left, snap ? Snap(top) : top);
        }
    });
    update();
}

void TDesignSurface::Place(QPoint widgetPoint)
{
    TComponentClass cls = FPalette.ChosenClass();
    FPalette.ClearChoice();
    QPoint at = ToForm(widgetPoint) - QPoint(TileSize / 2, TileSize / 2);
    AnsiString name = std::exchange(FPlacementName, AnsiString());
    TComponent* placed = nullptr;
    FGuard([&] { placed = Designer()->AddComponent(cls, name, Snap(at.x()), Snap(at.y())); });
    if (placed)
        SelectOnly({placed});
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
        AnsiString title = control && !control->Caption().empty() ? control->Caption() : designer->GetRoot()->Name();
        p.drawText(caption.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(title));
    }
    p.setFont(font());
    // The client area and its dot grid, as far as it is exposed: a large form shows a small part.
    const QRect client(ClientOrigin, FormClientSize());
    const QRect exposed = event->rect();
    p.fillRect(client, QColor(236, 233, 216));
    p.setPen(Qt::black);
    const QRect dots = exposed.intersected(client).translated(-ClientOrigin);
    for (int y = dots.top() / GridStep * GridStep; y <= dots.bottom(); y += GridStep)
        for (int x = dots.left() / GridStep * GridStep; x <= dots.right(); x += GridStep)
            p.drawPoint(client.topLeft() + QPoint(x, y));
    if (!Designer())
        return;
    const QPoint dragged = FDrag == TDrag::Move ? FDragNow - FDragStart : QPoint();
    const TDesignerSelectionList list = Designer()->Selection();
    const std::unordered_set<TPersistent*> selection(list.begin(), list.end());
    const int labelHeight = fontMetrics().height();
    for (TComponent* c : TiledComponents()) {
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
}

// ---- a person's input -------------------------------------------------------------------------

void TDesignSurface::mousePressEvent(QMouseEvent* event)
{
    if (!Designer() || event->button() != Qt::LeftButton)
        return;
    setFocus();
    const QPoint at = event->position().toPoint();
    if (FPalette.ChosenClass()) {
        Place(at);
        return;
    }
    const bool adding = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    FDragStart = FDragNow = at;
    if (TComponent* hit = TileAt(at)) {
        TDesignerSelectionList selection = Designer()->Selection();
        std::erase(selection, Designer()->GetRoot());
        if (adding) {
            if (IsSelected(hit))
                std::erase(selection, hit);
            else
                selection.push_back(hit);
            SelectOnly(selection);
            return;
        }
        if (!IsSelected(hit))
            SelectOnly({hit});
        FDrag = TDrag::Move;
        return;
    }
    FDrag = TDrag::Band;
}

void TDesignSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (FDrag == TDrag::None)
        return;
    FDragNow = event->position().toPoint();
    update();
}

void TDesignSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (FDrag == TDrag::None || event->button() != Qt::LeftButton)
        return;
    FDragNow = event->position().toPoint();
    const TDrag drag = std::exchange(FDrag, TDrag::None);
    const QPoint delta = FDragNow - FDragStart;
    if (drag == TDrag::Move) {
        // Alt places freely; otherwise the tiles land on the grid.
        if (!delta.isNull())
            FGuard([&] { MoveSelection(delta, !(event->modifiers() & Qt::AltModifier)); });
        // A plain click on one tile of several selected ones selects it alone.
        else if (TComponent* hit = TileAt(FDragNow); hit && !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)))
            SelectOnly({hit});
        return;
    }
    const QRect band = QRect(FDragStart, FDragNow).normalized();
    TDesignerSelectionList selection;
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        selection = Designer()->Selection();
        std::erase(selection, Designer()->GetRoot());
    }
    for (TComponent* c : TiledComponents())
        if (band.intersects(TileRect(c)) && std::find(selection.begin(), selection.end(), c) == selection.end())
            selection.push_back(c);
    // A click on the bare form selects the form.
    if (selection.empty())
        selection.push_back(Designer()->GetRoot());
    SelectOnly(selection);
}

void TDesignSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    FDrag = TDrag::None;
    TComponent* hit = Designer() ? TileAt(event->position().toPoint()) : nullptr;
    if (hit)
        FGuard([&] { Designer()->Perform("Double-click " + hit->Name(), [&] { ComponentEditorOf(hit, *Designer())->Edit(); }); });
}

std::unique_ptr<QMenu> TDesignSurface::ContextMenu(TComponent* component)
{
    auto menu = std::make_unique<QMenu>(this);
    TDesigner* designer = Designer();
    FGuard([&] {
        auto editor = ComponentEditorOf(component, *designer);
        for (int i = 0; i < editor->GetVerbCount(); ++i) {
            editor->PrepareItem(i);
            // Qt reads a verb's & as the accelerator and && as an ampersand, as the platform does.
            AnsiString verb = editor->GetVerb(i);
            menu->addAction(QString::fromStdString(verb), [this, component, designer, i, label = StripHotkey(verb)] {
                FGuard([&] { designer->Perform(label, [&] { ComponentEditorOf(component, *designer)->ExecuteVerb(i); }); });
            });
        }
    });
    if (!menu->isEmpty())
        menu->addSeparator();
    QAction* remove = menu->addAction("&Delete", [this] { FGuard([this] { DeleteSelection(); }); });
    remove->setShortcut(QKeySequence::Delete);
    remove->setEnabled(component != designer->GetRoot());
    QAction* all = menu->addAction("Select &all", [this] { SelectAll(); });
    all->setShortcut(QKeySequence::SelectAll);
    return menu;
}

void TDesignSurface::contextMenuEvent(QContextMenuEvent* event)
{
    if (!Designer())
        return;
    TComponent* hit = TileAt(event->pos());
    if (hit && !IsSelected(hit))
        SelectOnly({hit});
    std::unique_ptr<QMenu> menu = ContextMenu(hit ? hit : Designer()->GetRoot());
    menu->exec(event->globalPos());
}

void TDesignSurface::keyPressEvent(QKeyEvent* event)
{
    if (!Designer())
        return;
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Delete:
        FGuard([this] { DeleteSelection(); });
        return;
    case Qt::Key_Left:
        step = QPoint(-GridStep, 0);
        break;
    case Qt::Key_Right:
        step = QPoint(GridStep, 0);
        break;
    case Qt::Key_Up:
        step = QPoint(0, -GridStep);
        break;
    case Qt::Key_Down:
        step = QPoint(0, GridStep);
        break;
    default:
        if (event->matches(QKeySequence::SelectAll)) {
            SelectAll();
            return;
        }
        QWidget::keyPressEvent(event);
        return;
    }
    FGuard([&] { MoveSelection(step, false); });
}
