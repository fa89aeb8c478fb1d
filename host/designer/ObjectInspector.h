#pragma once
// The object inspector: a chooser of the form's components and a property tree for the
// selection, made from the core's TPropertyGrid. Values show as GetValue gives them; Enter
// commits with SetValue, Escape restores, Tab moves to the next row, a double click on a value
// calls Edit; value lists drop down, dialog properties have a "..." button, class properties and
// sets expand. A filter box keeps the rows whose name holds its text and their parents, values
// that differ from their defaults show bold, and a row's context menu resets it; the core
// decides all three.

#include <QCoreApplication>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "host/DesignHost.h"
#include "host/PropertyDefaults.h"
#include "host/PropertyGrid.h"

class QComboBox;
class QMenu;
class QLineEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class TObjectInspector : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(TObjectInspector)

public:
    explicit TObjectInspector(TDesignHost& host, QWidget* parent = nullptr);

    // Told when the chooser picks a component.
    void SetOnChoose(std::function<void(TComponent*)> listener) { FOnChoose = std::move(listener); }
    // Rebuilds the rows for the current form's selection, keeping the expanded rows, the current
    // row and the scroll position.
    void Refresh();

    // A person's actions on the row of a dotted path: type into its editor and press Enter;
    // call its Edit (the "..." button where it has one, else a double click on the value).
    // False when there is no such row.
    bool TypeAndEnter(const AnsiString& path, const AnsiString& text);
    bool PressEdit(const AnsiString& path);
    // Picks Reset in the row's context menu (nothing where it is greyed out).
    bool ResetRow(const AnsiString& path);
    // Sets what was typed into the open row's editor: `always` as Enter does, else when it differs
    // from what the row showed, as Tab, a click elsewhere and a new selection do; the window does
    // it before it closes.
    void CommitEdit(bool always = false);
    // Picks the component in the drop-down above the rows; false when it does not list it.
    bool ChooseComponent(const AnsiString& name);

private:
    void Fill(QTreeWidgetItem* parent, const std::vector<std::unique_ptr<TPropertyGridRow>>& rows,
              const QString& parentPath);
    void ShowValue(QTreeWidgetItem* item);
    // The host's own dialogs for a string list (one entry a line) and a font.
    void EditLines(TPropertyGridRow& row);
    void EditFont(TPropertyGridRow& row);
    void OpenEditor(QTreeWidgetItem* item, bool takeFocus);
    // Reads values through package code; false when it raised (and was reported).
    bool Guarded(const std::function<void()>& call) { return FHost.Commands().Guarded(call); }
    QTreeWidgetItem* FindItem(const AnsiString& path);
    void FillChooser();
    // The row's context menu: Reset, enabled where the row differs from its default.
    std::unique_ptr<QMenu> RowMenu(QTreeWidgetItem* item);

    TDesignHost& FHost;
    std::function<void(TComponent*)> FOnChoose;
    QComboBox* FChooser;
    std::vector<std::string> FChooserTexts;  // what the chooser lists
    QLineEdit* FFilter;
    QTreeWidget* FTree;
    std::unique_ptr<TPropertyGrid> FGrid;
    TDesignerSelectionList FGridSelection;  // what the rows were made for
    std::unique_ptr<TRowDefaults> FDefaults;
    std::map<QTreeWidgetItem*, TPropertyGridRow*> FRows;
    QLineEdit* FEdit = nullptr;          // the open editor's text
    QTreeWidgetItem* FEditItem = nullptr;  // its row
    QString FEditShown;                    // what the row showed, or was last set to
    QToolButton* FDialogButton = nullptr;  // its "..." button
    bool FRestoringFocus = false;          // rows rebuilt while a person works in them
};
