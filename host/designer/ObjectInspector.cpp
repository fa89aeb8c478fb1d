#include "host/designer/ObjectInspector.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QPlainTextEdit>
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
#include "vcl50/Strings.h"
#include "vcl50/Typinfo.h"
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

// Whether the row's value is an object of class T (a string list, a font).
template <class T>
bool ValueClass(TPropertyGridRow& row)
{
    const TTypeInfo* type = row.Editor().GetPropType();
    return type->Kind == tkClass && type->ClassType && type->ClassType->InheritsFrom(T::StaticClass());
}

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
    FChooser->setObjectName("inspectorChooser");
    FFilter->setObjectName("inspectorFilter");
    FTree->setObjectName("inspectorTree");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FChooser);
    layout->addWidget(FFilter);
    layout->addWidget(FTree);
    FFilter->setPlaceholderText(tr("Filter properties"));
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
    FTree->setHeaderLabels({tr("Property"), tr("Value")});
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
                const bool inspecting = FTree->hasFocus() || FTree->isAncestorOf(QApplication::focusWidget());
                if (previous) {
                    CommitEdit();
                    FTree->removeItemWidget(previous, 1);
                }
                FEdit = nullptr;
                FEditItem = nullptr;
                FDialogButton = nullptr;
                if (current)
                    OpenEditor(current, inspecting || FRestoringFocus);
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
    const bool inspecting = FTree->isAncestorOf(QApplication::focusWidget());
    // What was typed and not committed when the rows go is dropped: their components may be gone.
    FEdit = nullptr;
    FEditItem = nullptr;

    FTree->setCurrentItem(nullptr);
    FTree->clear();
    FRows.clear();
    FGrid.reset();
    FDefaults.reset();
    FillChooser();
    TDesigner* designer = FHost.CurrentForm();
    if (!designer || designer->Selection().empty())
        return;
    FGridSelection = designer->Selection();
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
        if (QTreeWidgetItem* item = FindItem(current.toStdString())) {
            FRestoringFocus = inspecting;
            FTree->setCurrentItem(item, 1);
            FRestoringFocus = false;
        }
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
        item->setToolTip(0, name);  // the whole name where the column cuts it
        item->setData(0, PathRole, parentPath.isEmpty() ? name : parentPath + "." + name);
        FRows[item] = row.get();
        ShowValue(item);
        // A string list has no rows of its own to expand to: its list editor edits it.
        if (!row->Editor().GetAttributes().Contains(paSubProperties) || ValueClass<TStrings>(*row))
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
    item->setToolTip(1, ShownText(value, 1024));
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
    QAction* reset = menu->addAction(tr("Reset"), [this, path] { FHost.Commands().Reset(path); });
    reset->setEnabled(FDefaults && FDefaults->Differs(path));
    return menu;
}

void TObjectInspector::OpenEditor(QTreeWidgetItem* item, bool takeFocus)
{
    TPropertyGridRow* row = FRows.count(item) ? FRows[item] : nullptr;
    if (!row)
        return;
    const TPropertyAttributes attributes = row->Editor().GetAttributes();
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FEditItem = item;
    FEditShown = item->text(1);
    QWidget* keys;  // the widget that has the keyboard while the row is edited
    if (attributes.Contains(paValueList) && !attributes.Contains(paReadOnly)) {
        auto* combo = new TValueCombo;
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        const bool colors = row->Editor().GetPropType() == TypeInfoOf<TColor>();
        Guarded([&] {
            for (const AnsiString& value : row->DropDownValues()) {
                int64_t color = 0;
                // A colour's name with its swatch, as the value column shows it.
                if (colors && IdentToColor(value, color))
                    combo->addItem(ColorSwatch(static_cast<TColor>(color)), QString::fromStdString(value));
                else
                    combo->addItem(QString::fromStdString(value));
            }
        });
        combo->setCurrentIndex(combo->findText(FEditShown));
        combo->setEditText(FEditShown);
        FEdit = combo->lineEdit();
        connect(combo, &QComboBox::activated, this, [this, combo] {
            if (combo->ChosenFromList()) {
                FEdit->setText(combo->currentText());
                CommitEdit(true);
            }
        });
        layout->addWidget(combo);
        keys = combo;
    } else {
        FEdit = new QLineEdit(FEditShown);
        FEdit->setFrame(false);
        FEdit->setReadOnly(attributes.Contains(paReadOnly));
        layout->addWidget(FEdit);
        keys = FEdit;
    }
    TPropertyGridRow* editedRow = row;
    auto* filter = new TEventFilter(box, [this, item, editedRow](QEvent* event) {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            FHost.Commands().EditRow(*editedRow);
            return true;
        case QEvent::FocusOut:
            // Leaving the row by a click elsewhere commits it, as Enter does; its own drop-down
            // opening does not.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                CommitEdit();
            return false;
        case QEvent::KeyPress:
            break;
        default:
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CommitEdit(true);
            return true;
        }
        if (key == Qt::Key_Escape) {
            FEdit->setText(FEditShown);
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            CommitEdit();
            QTreeWidgetItem* next = key == Qt::Key_Tab ? FTree->itemBelow(item) : FTree->itemAbove(item);
            if (next)
                FTree->setCurrentItem(next, 1);
            return true;
        }
        return false;
    });
    keys->installEventFilter(filter);
    if (keys != FEdit)
        FEdit->installEventFilter(filter);
    // The row's own dialog, else the host's for a string list or a font.
    std::function<void()> dialog;
    bool ownDialog = false;
    Guarded([&] { ownDialog = row->Editor().EditOpensDialog(); });
    if (ownDialog)
        dialog = [this, editedRow] { FHost.Commands().EditRow(*editedRow); };
    else if (ValueClass<TStrings>(*row))
        dialog = [this, editedRow] { EditLines(*editedRow); };
    else if (ValueClass<TFont>(*row))
        dialog = [this, editedRow] { EditFont(*editedRow); };
    if (dialog) {
        FDialogButton = new QToolButton;
        FDialogButton->setText("...");
        FDialogButton->setFixedWidth(20);
        connect(FDialogButton, &QToolButton::clicked, this, dialog);
        layout->addWidget(FDialogButton);
    }
    FTree->setItemWidget(item, 1, box);
    // Only a person working in the inspector gives the editor the keyboard: rows rebuilt after an
    // edit elsewhere leave it where it is.
    if (takeFocus)
        keys->setFocus();
}

void TObjectInspector::EditLines(TPropertyGridRow& row)
{
    AnsiString lines;
    Guarded([&] {
        if (auto* list = dynamic_cast<TStrings*>(GetObjectProp(row.Editor().GetComponent(0), row.Editor().GetPropInfo())))
            lines = list->Text();
    });
    QDialog dialog(this);
    dialog.setWindowTitle(tr("String list editor: %1").arg(QString::fromStdString(row.Path())));
    auto* text = new QPlainTextEdit(QString::fromStdString(lines));
    text->setObjectName("lines");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(tr("One entry a line:")));
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(360, 300);
    if (dialog.exec() == QDialog::Accepted)
        FHost.Commands().SetLines(row, text->toPlainText().toStdString());
}

void TObjectInspector::EditFont(TPropertyGridRow& row)
{
    QFont start;
    Guarded([&] {
        if (auto* font = dynamic_cast<TFont*>(GetObjectProp(row.Editor().GetComponent(0), row.Editor().GetPropInfo()))) {
            start = QFont(QString::fromStdString(font->Name()), font->Size());
            start.setBold(font->Style().Contains(fsBold));
            start.setItalic(font->Style().Contains(fsItalic));
            start.setUnderline(font->Style().Contains(fsUnderline));
            start.setStrikeOut(font->Style().Contains(fsStrikeOut));
        }
    });
    bool chosen = false;
    const QFont font =
        QFontDialog::getFont(&chosen, start, this, tr("Font: %1").arg(QString::fromStdString(row.Path())));
    if (!chosen)
        return;
    TFontStyles style;
    if (font.bold())
        style << fsBold;
    if (font.italic())
        style << fsItalic;
    if (font.underline())
        style << fsUnderline;
    if (font.strikeOut())
        style << fsStrikeOut;
    FHost.Commands().SetFont(row, {font.family().toStdString(), font.pointSize() > 0 ? font.pointSize() : 8, style});
}

void TObjectInspector::CommitEdit(bool always)
{
    if (!FEdit || FEdit->isReadOnly() || !FEditItem || !FRows.count(FEditItem))
        return;
    if (!always && FEdit->text() == FEditShown)
        return;
    // Rows made for a selection that has changed since (an undo rebuilt its components, say) set
    // nothing: their editors hold the components they were made for.
    TDesigner* designer = FHost.CurrentForm();
    if (!designer || designer->Selection() != FGridSelection)
        return;
    // Once, however many ways the edit ends at the same time (Enter, then the focus leaving).
    FEditShown = FEdit->text();
    // A refused value shows its message, and the row the value it still has.
    if (!FHost.Commands().Set(*FRows[FEditItem], FEditShown.toStdString()) && FEdit) {
        FEditShown = FEditItem->text(1);
        FEdit->setText(FEditShown);
    }
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
