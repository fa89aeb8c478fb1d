#include "host/designer/ObjectInspector.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "host/designer/ShownText.h"
#include "vcl50/Graphics.h"
#include "vcl50/Sysutils.h"

namespace {

constexpr int PathRole = Qt::UserRole;

// The value editor's own events: Enter commits, Escape restores, Tab goes to the next row, a
// double click calls the property editor's Edit.
class TEventFilter : public QObject {
public:
    TEventFilter(QObject* parent, std::function<bool(QEvent*)> onEvent) : QObject(parent), FOnEvent(std::move(onEvent)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return FOnEvent(event) || QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QEvent*)> FOnEvent;
};

// A value list's drop-down commits what is chosen in its list, not each step of the arrow keys.
class TValueCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    bool ChosenFromList() { return std::exchange(FFromList, false); }
    void hidePopup() override
    {
        FFromList = true;
        QComboBox::hidePopup();
    }

private:
    bool FFromList = false;
};

QIcon ColorSwatch(TColor color)
{
    const int32_t rgb = ColorToRGB(color);  // 0x00BBGGRR
    QPixmap swatch(12, 12);
    swatch.fill(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
    QPainter(&swatch).drawRect(0, 0, 11, 11);
    return QIcon(swatch);
}

}  // namespace

TObjectInspector::TObjectInspector(TDesignHost& host, QWidget* parent)
    : QWidget(parent), FHost(host), FChooser(new QComboBox), FFilter(new QLineEdit),
      FTree(new QTreeWidget)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FChooser);
    layout->addWidget(FFilter);
    layout->addWidget(FTree);
    FFilter->setPlaceholderText("Filter properties");
    FFilter->setClearButtonEnabled(true);
    connect(FFilter, &QLineEdit::textChanged, this, [this] {
        Refresh();
        FFilter->setFocus();  // the current row's editor took it; the person is still typing here
    });
    FTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FTree, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (std::unique_ptr<QMenu> menu = RowMenu(FTree->itemAt(at)))
            menu->exec(FTree->viewport()->mapToGlobal(at));
    });
    FTree->setColumnCount(2);
    FTree->setHeaderLabels({"Property", "Value"});
    FTree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    FTree->setColumnWidth(0, 150);
    FTree->setIndentation(12);
    FTree->setAlternatingRowColors(true);
    FTree->setUniformRowHeights(true);
    connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (item->childCount() == 0 && FRows.count(item))
            Fill(item, FRows[item]->SubRows(), item->data(0, PathRole).toString());
    });
    connect(FTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                if (previous)
                    FTree->removeItemWidget(previous, 1);
                FEdit = nullptr;
                FDialogButton = nullptr;
                if (current)
                    OpenEditor(current);
            });
    connect(FChooser, &QComboBox::activated, this, [this](int index) {
        TDesigner* designer = FHost.CurrentForm();
        if (!designer || !FOnChoose)
            return;
        if (TComponent* c = designer->GetComponent(FChooser->itemData(index).toString().toStdString()))
            FOnChoose(c);
    });
}

void TObjectInspector::FillChooser()
{
    TDesigner* designer = FHost.CurrentForm();
    std::vector<TComponent*> components;
    if (designer) {
        TComponent* root = designer->GetRoot();
        components.push_back(root);
        for (int i = 0; i < root->ComponentCount(); ++i)
            components.push_back(root->Components(i));
    }
    std::vector<std::string> texts;
    for (TComponent* c : components)
        texts.push_back(c->Name() + ": " + c->ClassName());
    // Refilled only when the form's components changed: thousands of entries made anew on every
    // selection would be felt.
    if (texts != FChooserTexts) {
        FChooser->clear();
        for (size_t i = 0; i < components.size(); ++i)
            FChooser->addItem(QString::fromStdString(texts[i]), QString::fromStdString(components[i]->Name()));
        FChooserTexts = std::move(texts);
    }
    if (!designer)
        return;
    TDesignerSelectionList selection = designer->Selection();
    auto* only = selection.size() == 1 ? dynamic_cast<TComponent*>(selection[0]) : nullptr;
    auto at = std::find(components.begin(), components.end(), only);
    FChooser->setCurrentIndex(only && at != components.end() ? static_cast<int>(at - components.begin()) : -1);
}

void TObjectInspector::Refresh()
{
    QSet<QString> expanded;
    for (auto& [item, row] : FRows)
        if (item->isExpanded())
            expanded.insert(item->data(0, PathRole).toString());
    const QString current = FTree->currentItem() ? FTree->currentItem()->data(0, PathRole).toString() : QString();
    const int scroll = FTree->verticalScrollBar()->value();

    FTree->setCurrentItem(nullptr);
    FTree->clear();
    FRows.clear();
    FGrid.reset();
    FDefaults.reset();
    FillChooser();
    TDesigner* designer = FHost.CurrentForm();
    if (!designer || designer->Selection().empty())
        return;
    Guarded([&] {
        FGrid = std::make_unique<TPropertyGrid>(designer->Selection(), designer);
        FDefaults = std::make_unique<TRowDefaults>(designer->Selection(), designer->GetRoot());
    });
    if (!FGrid || !FDefaults)
        return;
    Fill(nullptr, FGrid->Rows(), QString());
    // Parents come before their sub-rows, so a shorter path opens first.
    QStringList paths(expanded.begin(), expanded.end());
    std::sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) { return a.size() < b.size(); });
    for (const QString& path : paths)
        if (QTreeWidgetItem* item = FindItem(path.toStdString()))
            item->setExpanded(true);
    if (!current.isEmpty())
        if (QTreeWidgetItem* item = FindItem(current.toStdString()))
            FTree->setCurrentItem(item, 1);
    FTree->verticalScrollBar()->setValue(scroll);
}

void TObjectInspector::Fill(QTreeWidgetItem* parent, const std::vector<std::unique_ptr<TPropertyGridRow>>& rows,
                            const QString& parentPath)
{
    const std::string filter = FFilter->text().toStdString();
    for (const auto& row : rows) {
        bool shown = true;
        Guarded([&] { shown = row->Shown(filter); });
        if (!shown)
            continue;
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(FTree);
        const QString name = QString::fromStdString(row->Name());
        item->setText(0, name);
        item->setData(0, PathRole, parentPath.isEmpty() ? name : parentPath + "." + name);
        FRows[item] = row.get();
        ShowValue(item);
        if (!row->Editor().GetAttributes().Contains(paSubProperties))
            continue;
        if (filter.empty()) {
            item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            continue;
        }
        // Filtered: the matching sub-rows are shown at once, their parents open.
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        Guarded([&] { Fill(item, row->SubRows(), item->data(0, PathRole).toString()); });
        item->setExpanded(item->childCount() > 0);
    }
}

void TObjectInspector::ShowValue(QTreeWidgetItem* item)
{
    TPropertyGridRow* row = FRows[item];
    AnsiString value;
    Guarded([&] { value = row->DisplayValue(); });
    // No more than the row's editor takes: a line edit's length is 32767 at most.
    item->setText(1, ShownText(value, 32767));
    if (row->Editor().GetPropType() == TypeInfoOf<TColor>() && row->Editor().AllEqual())
        item->setIcon(1, ColorSwatch(static_cast<TColor>(row->Editor().GetOrdValue())));
    if (row->Editor().GetAttributes().Contains(paReadOnly))
        item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
    QFont font = item->font(1);
    font.setBold(FDefaults && FDefaults->Differs(row->Path()));
    item->setFont(1, font);
}

std::unique_ptr<QMenu> TObjectInspector::RowMenu(QTreeWidgetItem* item)
{
    TDesigner* designer = FHost.CurrentForm();
    if (!item || !FRows.count(item) || !designer)
        return nullptr;
    const AnsiString path = FRows[item]->Path();
    auto menu = std::make_unique<QMenu>();
    QAction* reset = menu->addAction("Reset", [this, path] { FHost.Commands().Reset(path); });
    reset->setEnabled(FDefaults && FDefaults->Differs(path));
    return menu;
}

void TObjectInspector::OpenEditor(QTreeWidgetItem* item)
{
    TPropertyGridRow* row = FRows.count(item) ? FRows[item] : nullptr;
    if (!row)
        return;
    const TPropertyAttributes attributes = row->Editor().GetAttributes();
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QString shown = item->text(1);
    if (attributes.Contains(paValueList) && !attributes.Contains(paReadOnly)) {
        auto* combo = new TValueCombo;
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        Guarded([&] {
            for (const AnsiString& value : row->DropDownValues())
                combo->addItem(QString::fromStdString(value));
        });
        combo->setCurrentIndex(combo->findText(shown));
        combo->setEditText(shown);
        FEdit = combo->lineEdit();
        connect(combo, &QComboBox::activated, this, [this, combo, item] {
            if (combo->ChosenFromList())
                Commit(item, combo->currentText().toStdString());
        });
        layout->addWidget(combo);
    } else {
        FEdit = new QLineEdit(shown);
        FEdit->setFrame(false);
        FEdit->setReadOnly(attributes.Contains(paReadOnly));
        layout->addWidget(FEdit);
    }
    QLineEdit* edit = FEdit;
    TPropertyGridRow* editedRow = row;
    edit->installEventFilter(new TEventFilter(edit, [this, item, edit, shown, editedRow](QEvent* event) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            FHost.Commands().EditRow(*editedRow);
            return true;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (!edit->isReadOnly())
                Commit(item, edit->text().toStdString());
            return true;
        }
        if (key == Qt::Key_Escape) {
            edit->setText(shown);
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            QTreeWidgetItem* next = key == Qt::Key_Tab ? FTree->itemBelow(item) : FTree->itemAbove(item);
            if (next)
                FTree->setCurrentItem(next, 1);
            return true;
        }
        return false;
    }));
    if (attributes.Contains(paDialog)) {
        FDialogButton = new QToolButton;
        FDialogButton->setText("...");
        FDialogButton->setFixedWidth(20);
        TPropertyGridRow* dialogRow = row;
        connect(FDialogButton, &QToolButton::clicked, this,
                [this, dialogRow] {
                    FHost.Commands().EditRow(*dialogRow);
                });
        layout->addWidget(FDialogButton);
    }
    FTree->setItemWidget(item, 1, box);
    edit->setFocus();
}

void TObjectInspector::Commit(QTreeWidgetItem* item, const AnsiString& text)
{
    TPropertyGridRow* row = FRows[item];
    // A refused value shows its message and the row shows the value it still has.
    if (!FHost.Commands().Set(*row, text) && FEdit)
        FEdit->setText(item->text(1));
}

QTreeWidgetItem* TObjectInspector::FindItem(const AnsiString& path)
{
    QTreeWidgetItem* found = nullptr;
    size_t start = 0;
    while (true) {
        const size_t dot = path.find('.', start);
        const AnsiString name = path.substr(start, dot == AnsiString::npos ? AnsiString::npos : dot - start);
        const int count = found ? found->childCount() : FTree->topLevelItemCount();
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* child = found ? found->child(i) : FTree->topLevelItem(i);
            if (SameText(child->text(0).toStdString(), name))
                next = child;
        }
        if (!next || dot == AnsiString::npos)
            return next;
        next->setExpanded(true);  // which fills its sub-rows
        found = next;
        start = dot + 1;
    }
}

bool TObjectInspector::TypeAndEnter(const AnsiString& path, const AnsiString& text)
{
    QTreeWidgetItem* item = FindItem(path);
    if (!item)
        return false;
    FTree->scrollToItem(item);
    FTree->setCurrentItem(item, 1);
    if (!FEdit)
        return false;
    FEdit->setText(QString::fromStdString(text));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(FEdit, &enter);
    return true;
}

bool TObjectInspector::ResetRow(const AnsiString& path)
{
    std::unique_ptr<QMenu> menu = RowMenu(FindItem(path));
    if (!menu)
        return false;
    menu->actions().first()->trigger();
    return true;
}

bool TObjectInspector::PressEdit(const AnsiString& path)
{
    QTreeWidgetItem* item = FindItem(path);
    if (!item)
        return false;
    FTree->scrollToItem(item);
    FTree->setCurrentItem(item, 1);
    if (FDialogButton) {
        FDialogButton->click();
        return true;
    }
    if (!FEdit)
        return false;
    const QPointF at = FEdit->rect().center();
    QMouseEvent click(QEvent::MouseButtonDblClick, at, FEdit->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(FEdit, &click);
    return true;
}

bool TObjectInspector::ChooseComponent(const AnsiString& name)
{
    const int index = FChooser->findData(QString::fromStdString(name));
    if (index < 0)
        return false;
    FChooser->setCurrentIndex(index);
    emit FChooser->activated(index);
    return true;
}
