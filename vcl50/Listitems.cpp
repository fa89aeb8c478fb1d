#include "vcl50/Listitems.h"

#include <algorithm>

TListItems::TListItems(std::function<void(TChange)> changed) : FChanged(std::move(changed)) {}

TListItems::~TListItems() = default;

TClass TListItems::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TListItems, TStrings>("TListItems").Build();
    return &meta;
}

void TListItems::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
}

AnsiString TListItems::Get(int index) const
{
    CheckIndex(index);
    return At(index).Text;
}

TObject* TListItems::GetObject(int index) const
{
    CheckIndex(index);
    return At(index).Object;
}

int TListItems::SortedPlace(const Entry& entry) const
{
    auto it = std::upper_bound(FOrder.begin(), FOrder.end(), &entry, [this](const Entry* value, uint32_t slot) {
        const Entry& e = FSlots[slot];
        return AnsiCompareText(value->Text, value->Key, e.Text, e.Key) < 0;
    });
    return static_cast<int>(it - FOrder.begin());
}

int TListItems::InsertEntry(int index, Entry entry)
{
    if (FSorted) {
        entry.Key = TAnsiTextKey(entry.Text);
        index = SortedPlace(entry);
    }
    uint8_t changes = Entries | (entry.Selected ? Selection : 0);
    FOrder.insert(FOrder.begin() + index, TakeSlot(std::move(entry)));
    if (FItemIndex >= index) {
        ++FItemIndex;
        changes |= Index;
    }
    Changed(changes);
    return index;
}

uint32_t TListItems::TakeSlot(Entry entry)
{
    if (FFreeSlots.empty()) {
        FSlots.push_back(std::move(entry));
        return static_cast<uint32_t>(FSlots.size() - 1);
    }
    uint32_t slot = FFreeSlots.back();
    FFreeSlots.pop_back();
    FSlots[slot] = std::move(entry);
    return slot;
}

bool TListItems::SortsBefore(uint32_t a, uint32_t b) const
{
    const Entry& ea = FSlots[a];
    const Entry& eb = FSlots[b];
    return AnsiCompareText(ea.Text, ea.Key, eb.Text, eb.Key) < 0;
}

void TListItems::FreeSlot(uint32_t slot)
{
    FSlots[slot] = Entry();  // lets go of the text now
    FFreeSlots.push_back(slot);
}

void TListItems::Insert(int index, const AnsiString& s)
{
    InsertObject(index, s, nullptr);
}

void TListItems::InsertObject(int index, const AnsiString& s, TObject* object)
{
    if (index < 0 || index > Count())
        IndexError(index);
    InsertEntry(index, {s, object, false, {}});
}

int TListItems::AddObject(const AnsiString& s, TObject* object)
{
    return InsertEntry(Count(), {s, object, false, {}});
}

void TListItems::AddStrings(const TStrings* strings)
{
    if (!FSorted) {
        TStrings::AddStrings(strings);
        return;
    }
    // Sorted among themselves, then merged in: both steps are stable and the merge puts the
    // entries already there first among equals, which is where one insertion after another puts
    // them; inserting each in its place would move the rest of a long list along every time.
    std::vector<Entry> added;
    added.reserve(static_cast<size_t>(strings->Count()));
    for (int i = 0; i < strings->Count(); ++i) {
        AnsiString text = strings->Get(i);
        TAnsiTextKey key(text);
        added.push_back({std::move(text), strings->GetObject(i), false, std::move(key)});
    }
    if (added.empty())
        return;
    FSlots.reserve(FSlots.size() + added.size());  // nothing after this point throws
    FOrder.reserve(FOrder.size() + added.size());
    const uint32_t current = FItemIndex >= 0 ? FOrder[static_cast<size_t>(FItemIndex)] : 0;
    const auto before = static_cast<std::ptrdiff_t>(FOrder.size());
    for (Entry& entry : added)
        FOrder.push_back(TakeSlot(std::move(entry)));
    const auto less = [this](uint32_t a, uint32_t b) { return SortsBefore(a, b); };
    std::stable_sort(FOrder.begin() + before, FOrder.end(), less);
    std::inplace_merge(FOrder.begin(), FOrder.begin() + before, FOrder.end(), less);
    uint8_t changes = Entries;
    if (FItemIndex >= 0) {
        const auto index = static_cast<int>(std::find(FOrder.begin(), FOrder.end(), current) - FOrder.begin());
        if (index != FItemIndex) {
            FItemIndex = index;
            changes |= Index;
        }
    }
    Changed(changes);
}

void TListItems::Put(int index, const AnsiString& s)
{
    CheckIndex(index);
    Entry& entry = At(index);
    if (entry.Text == s)
        return;
    entry.Text = s;
    if (!FSorted) {
        Changed(Entries);
        return;
    }
    entry.Key = TAnsiTextKey(s);
    uint32_t slot = FOrder[static_cast<size_t>(index)];
    bool current = FItemIndex == index;
    FOrder.erase(FOrder.begin() + index);
    if (FItemIndex > index)
        --FItemIndex;
    int place = SortedPlace(entry);
    FOrder.insert(FOrder.begin() + place, slot);
    if (current)
        FItemIndex = place;
    else if (FItemIndex >= place)
        ++FItemIndex;
    Changed(Entries | Selection | Index);
}

void TListItems::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    At(index).Object = object;  // objects do not show
}

void TListItems::Delete(int index)
{
    CheckIndex(index);
    uint32_t slot = FOrder[static_cast<size_t>(index)];
    uint8_t changes = Entries | (FSlots[slot].Selected ? Selection : 0);
    FOrder.erase(FOrder.begin() + index);
    FreeSlot(slot);
    if (FItemIndex == index) {
        FItemIndex = -1;
        changes |= Index;
    } else if (FItemIndex > index) {
        --FItemIndex;
        changes |= Index;
    }
    Changed(changes);
}

void TListItems::Clear()
{
    if (FOrder.empty() && FItemIndex < 0)
        return;
    uint8_t changes = Entries | (SelCount() > 0 ? Selection : 0) | (FItemIndex >= 0 ? Index : 0);
    FOrder.clear();
    FSlots.clear();
    FFreeSlots.clear();
    FItemIndex = -1;
    Changed(changes);
}

void TListItems::SetSorted(bool sorted)
{
    if (sorted == FSorted)
        return;
    FSorted = sorted;
    if (!sorted) {
        for (uint32_t slot : FOrder)  // keys serve only sorting
            FSlots[slot].Key = TAnsiTextKey();
        return;
    }
    for (uint32_t slot : FOrder)
        FSlots[slot].Key = TAnsiTextKey(FSlots[slot].Text);
    uint32_t current = FItemIndex >= 0 ? FOrder[static_cast<size_t>(FItemIndex)] : 0;
    std::stable_sort(FOrder.begin(), FOrder.end(), [this](uint32_t a, uint32_t b) { return SortsBefore(a, b); });
    if (FItemIndex >= 0)
        FItemIndex = static_cast<int>(std::find(FOrder.begin(), FOrder.end(), current) - FOrder.begin());
    Changed(Entries | Selection | Index);
}

bool TListItems::Selected(int index) const
{
    CheckIndex(index);
    return At(index).Selected;
}

void TListItems::SetSelected(int index, bool selected)
{
    CheckIndex(index);
    bool& flag = At(index).Selected;
    if (flag == selected)
        return;
    flag = selected;
    Changed(Selection);
}

void TListItems::SelectOnly(int index)
{
    if (index != -1)
        CheckIndex(index);
    bool changed = false;
    for (size_t i = 0; i < FOrder.size(); ++i) {
        bool wanted = static_cast<int>(i) == index;
        Entry& entry = FSlots[FOrder[i]];
        if (entry.Selected != wanted) {
            entry.Selected = wanted;
            changed = true;
        }
    }
    if (changed)
        Changed(Selection);
}

bool TListItems::Checked(int index) const
{
    CheckIndex(index);
    return At(index).Checked;
}

void TListItems::SetChecked(int index, bool checked)
{
    CheckIndex(index);
    bool& flag = At(index).Checked;
    if (flag == checked)
        return;
    flag = checked;
    Changed(Checks);
}

int TListItems::SelCount() const
{
    return static_cast<int>(
        std::count_if(FOrder.begin(), FOrder.end(), [this](uint32_t slot) { return FSlots[slot].Selected; }));
}

void TListItems::SetItemIndex(int index)
{
    if (index != -1)
        CheckIndex(index);
    if (index == FItemIndex)
        return;
    FItemIndex = index;
    Changed(Index);
}

void TListItems::Changed(uint8_t changes)
{
    if (UpdateCount() > 0) {
        FPending |= changes;
        return;
    }
    for (TChange change : {Entries, Selection, Index, Checks})
        if (changes & change)
            FChanged(change);
}

void TListItems::SetUpdateState(bool updating)
{
    if (updating || !FPending)
        return;
    uint8_t pending = FPending;
    FPending = 0;
    Changed(pending);
}
