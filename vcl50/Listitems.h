#pragma once
// The entries of a list or combo box: a TStrings whose storage is the control's own model. Every
// way of filling it (Add, Insert, Assign, AddStrings, a form resource) lands here, so a sorted
// control stays sorted, associated objects and selection travel with their entries, and the
// control hears of changes once per update batch.

#include <functional>
#include <vector>

#include "vcl50/Strings.h"

class TListItems : public TStrings {
public:
    enum TChange : uint8_t { Entries = 1, Selection = 2, Index = 4 };

    explicit TListItems(std::function<void(TChange)> changed);
    ~TListItems() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    int Count() const override { return static_cast<int>(FEntries.size()); }
    AnsiString Get(int index) const override;
    TObject* GetObject(int index) const override;
    // In a sorted list a changed entry moves to its place.
    void Put(int index, const AnsiString& s) override;
    void PutObject(int index, TObject* object) override;
    // In a sorted list the entry goes to its alphabetical place whatever the index asks.
    void Insert(int index, const AnsiString& s) override;
    void InsertObject(int index, const AnsiString& s, TObject* object) override;
    int AddObject(const AnsiString& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;

    // Alphabetical without regard to case; equal entries keep their order of arrival.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);

    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    void SelectOnly(int index);  // -1 selects nothing
    int SelCount() const;
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
    };
    void CheckIndex(int index) const;
    int SortedPlace(const AnsiString& s) const;
    int InsertEntry(int index, Entry entry);
    void Changed(uint8_t changes);

    std::vector<Entry> FEntries;
    int FItemIndex = -1;
    bool FSorted = false;
    uint8_t FPending = 0;
    std::function<void(TChange)> FChanged;
};
