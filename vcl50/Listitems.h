#pragma once
// The entries of a list or combo box: a TStrings whose storage is the control's own model. Every
// way of filling it (Add, Insert, Assign, AddStrings, a form resource) lands here, so a sorted
// control stays sorted, associated objects and selection travel with their entries, and the
// control hears of changes once per update batch.

#include <cstdint>
#include <functional>
#include <vector>

#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"

class TListItems : public TDerived<TListItems, TStrings> {
public:
    enum TChange : uint8_t { Entries = 1, Selection = 2, Index = 4, Checks = 8 };

    explicit TListItems(std::function<void(TChange)> changed);
    ~TListItems() override;
    static TClass StaticClass();

    int Count() const override { return static_cast<int>(FOrder.size()); }
    AnsiString Get(int index) const override;
    TObject* GetObject(int index) const override;
    // In a sorted list a changed entry moves to its place.
    void Put(int index, const AnsiString& s) override;
    void PutObject(int index, TObject* object) override;
    // In a sorted list the entry goes to its alphabetical place whatever the index asks.
    void Insert(int index, const AnsiString& s) override;
    void InsertObject(int index, const AnsiString& s, TObject* object) override;
    int AddObject(const AnsiString& s, TObject* object) override;
    // In a sorted list, the entries land where one AddObject after another would put them.
    void AddStrings(const TStrings* strings) override;
    void Delete(int index) override;
    void Clear() override;

    // Alphabetical without regard to case; equal entries keep their order of arrival.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);

    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    void SelectOnly(int index);  // -1 selects nothing
    int SelCount() const;
    // A check list box's check marks: like the selection, a mark travels with its entry.
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    // The current entry: -1 for none; it follows its entry as others come and go.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);

protected:
    void SetUpdateState(bool updating) override;

private:
    struct Entry {
        AnsiString Text;
        TObject* Object = nullptr;
        bool Selected = false;
        TAnsiTextKey Key;  // made while the list is sorted
        bool Checked = false;
    };
    void CheckIndex(int index) const;
    Entry& At(int index) { return FSlots[FOrder[static_cast<size_t>(index)]]; }
    const Entry& At(int index) const { return FSlots[FOrder[static_cast<size_t>(index)]]; }
    int SortedPlace(const Entry& entry) const;
    int InsertEntry(int index, Entry entry);
    uint32_t TakeSlot(Entry entry);
    bool SortsBefore(uint32_t a, uint32_t b) const;
    void FreeSlot(uint32_t slot);
    void Changed(uint8_t changes);

    // Each entry keeps its slot while it exists; the list order is a vector of slot numbers, so an
    // insertion in the middle of a long list shifts four bytes per later entry, not whole entries.
    std::vector<Entry> FSlots;
    std::vector<uint32_t> FOrder;
    std::vector<uint32_t> FFreeSlots;
    int FItemIndex = -1;
    bool FSorted = false;
    uint8_t FPending = 0;
    std::function<void(TChange)> FChanged;
};
