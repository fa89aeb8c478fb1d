#pragma once
// List boxes on QListView over a model that reads the control's entries in place, with uniform
// item heights, so tens of thousands of entries fill, sort and scroll at once. Qt selects
// nothing itself: clicks and keys go to the model as SelectItem, and the view shows the model's
// selection. A check list box's entries show their check boxes; a press on one goes to the model
// as ClickCheck.

#include <memory>

#include "vcl50/qt/QtPeer.h"

class TCustomListBox;
class QtListModel;

class QtListBoxPeer : public QtPeer {
public:
    QtListBoxPeer(TCustomListBox* list, QWidget* parent);
    ~QtListBoxPeer() override;
    void Synchronize() override;
    void FontChanged() override;
    void ItemsChanged() override;
    void SelectionChanged() override;
    void ItemIndexChanged() override;
    void CheckedChanged() override;
    void AppearanceChanged() override;
    // Up, Down, Home, End, PageUp and PageDown move the current entry, Shift extending.
    void KeyPressed(WORD key, TShiftState shift) override;

    TCustomListBox* List() const { return FList; }
    // A press on entry `row` (-1 below the entries) with Qt keyboard modifiers.
    void EntryPressed(int row, TShiftState shift);
    // A press on the check box of entry `row` of a check list box.
    void CheckPressed(int row);
    // Brings the view up to the model now; notices otherwise gather until the event loop
    // turns, so code that changes entries one by one costs one refresh, not one per entry.
    void Refresh();

private:
    void Schedule(bool items);

    TCustomListBox* FList;
    std::unique_ptr<QtListModel> FModel;
    bool FItemsDirty = false;
    bool FSelectionDirty = false;
    bool FChecksDirty = false;
    bool FScheduled = false;
};
