#include "vcl50/qt/QtListBoxPeer.h"

#include <QAbstractListModel>
#include <QItemSelection>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtBridge.h"
#include "vcl50/qt/QtDrag.h"
#include "vcl50/qt/QtKeys.h"

// Reads the entries where the control keeps them; a reset follows every batch of changes.
class QtListModel : public QAbstractListModel {
public:
    explicit QtListModel(TCustomListBox* list) : FList(list), FChecks(dynamic_cast<TCheckListBox*>(list)) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : FList->Items()->Count();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= FList->Items()->Count())
            return {};
        if (role == Qt::DisplayRole)
            return QString::fromStdString(FList->Items()->Get(index.row()));
        if (role == Qt::SizeHintRole)
            return QSize(1, FList->ItemHeight());
        if (role == Qt::CheckStateRole && FChecks)
            return FChecks->Checked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractListModel::flags(index) | (FChecks ? Qt::ItemIsUserCheckable : Qt::NoItemFlags);
    }

    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

    void ChecksChanged()
    {
        if (int count = rowCount({}); count > 0)
            emit dataChanged(index(0), index(count - 1), {Qt::CheckStateRole});
    }

    bool HasChecks() const { return FChecks != nullptr; }

private:
    TCustomListBox* FList;
    TCheckListBox* FChecks;  // null for a plain list box
};

namespace {

constexpr WORD VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_UP = 0x26, VK_DOWN = 0x28;

class QtListWidget : public QListView, public QtPeerLink {
public:
    explicit QtListWidget(QWidget* parent) : QListView(parent)
    {
        setUniformItemSizes(true);
        setSelectionMode(QAbstractItemView::MultiSelection);  // shows any set the model holds
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Sunken);
        setLineWidth(2);
        setDragEnabled(false);
        setAcceptDrops(false);
    }

protected:
    QtListBoxPeer* ListPeer() const { return static_cast<QtListBoxPeer*>(Peer()); }

    void mousePressEvent(QMouseEvent* event) override
    {
        event->accept();
        if (event->button() != Qt::LeftButton || !ListPeer())
            return;
        FPressed = true;
        FDeferred = -1;
        ListPeer()->Refresh();  // the rows under the mouse are the model's rows
        QModelIndex index = indexAt(event->position().toPoint());
        TShiftState shift = QtKeys::ToShiftState(static_cast<int>(event->modifiers()));
        int row = index.isValid() ? index.row() : -1;
        // A plain press on an entry of a multiple selection may start dragging them all; it
        // selects that entry alone only if it ends as a click.
        QtListBoxPeer* peer = ListPeer();
        if (row >= 0 && shift.Empty() && OnCheckBox(index, event->position().toPoint()))
            peer->CheckPressed(row);
        else if (row >= 0 && shift.Empty() && peer->List()->Selected(row) && peer->List()->SelCount() > 1 &&
                 peer->Control()->DragMode() == dmAutomatic)
            FDeferred = row;
        else
            peer->EntryPressed(row, shift);
        if (ListPeer())
            QtDrag::Press(ListPeer(), event->globalPosition().toPoint());
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        event->accept();
        if ((event->buttons() & Qt::LeftButton) && QtDrag::Move(event->globalPosition().toPoint()))
            FDeferred = -1;
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->accept();
        if (event->button() != Qt::LeftButton)
            return;
        bool dragged = QtDrag::Release(event->globalPosition().toPoint());
        if (!FPressed)
            return;
        FPressed = false;
        if (!dragged && FDeferred >= 0 && ListPeer())
            ListPeer()->EntryPressed(FDeferred, {});
        FDeferred = -1;
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        event->accept();
        FPressed = false;
        if (event->button() == Qt::LeftButton && Peer())
            Peer()->DoubleClicked();
    }

private:
    // Whether `at` lies on the check box that the style draws for the entry.
    bool OnCheckBox(const QModelIndex& index, QPoint at) const
    {
        if (!(model()->flags(index) & Qt::ItemIsUserCheckable))
            return false;
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualRect(index);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this).contains(at);
    }

    bool FPressed = false;
    int FDeferred = -1;
};

}  // namespace

QtListBoxPeer::QtListBoxPeer(TCustomListBox* list, QWidget* parent)
    : QtPeer(list, new QtListWidget(parent)), FList(list), FModel(std::make_unique<QtListModel>(list))
{
    static_cast<QListView*>(Widget())->setModel(FModel.get());
}

QtListBoxPeer::~QtListBoxPeer()
{
    // The view is buried, not deleted at once: it must not read a model that is gone.
    if (auto* view = static_cast<QListView*>(Widget()))
        view->setModel(nullptr);
}

void QtListBoxPeer::Synchronize()
{
    QtPeer::Synchronize();
    FItemsDirty = true;
    Refresh();
}

void QtListBoxPeer::FontChanged()
{
    QtPeer::FontChanged();
    Schedule(true);  // the item height the view caches
}

void QtListBoxPeer::ItemsChanged()
{
    Schedule(true);
}

void QtListBoxPeer::SelectionChanged()
{
    Schedule(false);
}

void QtListBoxPeer::ItemIndexChanged()
{
    Schedule(false);
}

void QtListBoxPeer::CheckedChanged()
{
    FChecksDirty = true;
    Schedule(false);
}

void QtListBoxPeer::AppearanceChanged()
{
    Schedule(true);
}

void QtListBoxPeer::Schedule(bool items)
{
    FItemsDirty |= items;
    FSelectionDirty = true;
    if (FScheduled)
        return;
    FScheduled = true;
    auto* widget = static_cast<QtListWidget*>(Widget());
    QMetaObject::invokeMethod(
        widget,
        [widget] {
            if (auto* peer = static_cast<QtListBoxPeer*>(widget->Peer()))
                peer->Refresh();
        },
        Qt::QueuedConnection);
}

void QtListBoxPeer::Refresh()
{
    FScheduled = false;
    if (FItemsDirty)
        FModel->Reset();
    else if (FChecksDirty)
        FModel->ChecksChanged();
    FItemsDirty = false;
    FChecksDirty = false;
    FSelectionDirty = false;

    auto* view = static_cast<QListView*>(Widget());
    QItemSelection selection;
    int count = FList->Items()->Count();
    for (int i = 0; i < count;) {
        if (!FList->Selected(i)) {
            ++i;
            continue;
        }
        int first = i;
        while (i < count && FList->Selected(i))
            ++i;
        selection.select(FModel->index(first), FModel->index(i - 1));
    }
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);

    int index = FList->ItemIndex();
    if (index < 0 || index >= count)
        return;
    QModelIndex current = FModel->index(index);
    view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    view->scrollTo(current);
}

void QtListBoxPeer::EntryPressed(int row, TShiftState shift)
{
    TCustomListBox* list = FList;
    if (row >= list->Items()->Count())
        row = -1;
    if (row < 0) {
        // Below the last entry: the platform's list takes the click on its last entry.
        row = list->Items()->Count() - 1;
        if (row < 0)
            return;
    }
    QtBridge::Deliver(list, [list, row, shift] { Input::SelectItem(list, row, shift); });
}

void QtListBoxPeer::CheckPressed(int row)
{
    auto* list = dynamic_cast<TCheckListBox*>(FList);
    if (!list || row < 0 || row >= list->Items()->Count())
        return;
    QtBridge::Deliver(list, [list, row] { Input::ClickCheck(list, row); });
}

void QtListBoxPeer::KeyPressed(WORD key, TShiftState shift)
{
    Refresh();
    int count = FList->Items()->Count();
    if (count == 0 || (!shift.Empty() && shift != TShiftState{ssShift}))
        return;
    auto* view = static_cast<QListView*>(Widget());
    int rowHeight = std::max(1, FList->ItemHeight());
    int page = std::max(1, view->viewport()->height() / rowHeight - 1);
    int current = FList->ItemIndex();
    int target;
    switch (key) {
    case VK_UP: target = current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    case VK_PRIOR: target = current - page; break;
    case VK_NEXT: target = current + page; break;
    default: return;
    }
    target = std::clamp(target, 0, count - 1);
    if (target == current)
        return;
    TCustomListBox* list = FList;
    QtBridge::Deliver(list, [list, target, shift] { Input::SelectItem(list, target, shift); });
}
