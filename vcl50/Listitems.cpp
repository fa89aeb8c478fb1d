#include "vcl50/Listitems.h"

#include <algorithm>
#include <numeric>

#include "vcl50/Sysutils.h"

TListItems::TListItems(std::function<void(TChange)> changed) : FChanged(std::move(changed)) {}

TListItems::~TListItems() = default;

TClass TListItems::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TListItems, TStrings>("TListItems").Build();
    return &meta;
}

TClass TListItems::ClassType() const
{
    return StaticClass();
}

void TListItems::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
}

AnsiString TListItems::Get(int index) const
{
    CheckIndex(index);
    return FEntries[static_cast<size_t>(index)].Text;
}

TObject* TListItems::GetObject(int index) const
{
    CheckIndex(index);
    return FEntries[static_cast<size_t>(index)].Object;
}

int TListItems::SortedPlace(const AnsiString& s) const
{
    auto it = std::upper_bound(FEntries.begin(), FEntries.end(), s, [](const AnsiString& value, const Entry& e) {
        return AnsiCompareText(value, e.Text) < 0;
    });
    return static_cast<int>(it - FEntries.begin());
}

int TListItems::InsertEntry(int index, Entry entry)
{
    if (FSorted)
        index = SortedPlace(entry.Text);
    uint8_t changes = Entries | (entry.Selected ? Selection : 0);
    FEntries.insert(FEntries.begin() + index, std::move(entry));
    if (FItemIndex >= index) {
        ++FItemIndex;
        changes |= Index;
    }
    Changed(changes);
    return index;
}

void TListItems::Insert(int index, const AnsiString& s)
{
    InsertObject(index, s, nullptr);
}

void TListItems::InsertObject(int index, const AnsiString& s, TObject* object)
{
    if (index < 0 || index > Count())
        IndexError(index);
    InsertEntry(index, {s, object, false});
}

int TListItems::AddObject(const AnsiString& s, TObject* object)
{
    return InsertEntry(Count(), {s, object, false});
}

void TListItems::Put(int index, const AnsiString& s)
{
    CheckIndex(index);
    auto at = FEntries.begin() + index;
    if (at->Text == s)
        return;
    if (!FSorted) {
        at->Text = s;
        Changed(Entries);
        return;
    }
    Entry entry = *at;
    entry.Text = s;
    bool current = FItemIndex == index;
    FEntries.erase(at);
    if (FItemIndex > index)
        --FItemIndex;
    int place = SortedPlace(s);
    FEntries.insert(FEntries.begin() + place, std::move(entry));
    if (current)
        FItemIndex = place;
    else if (FItemIndex >= place)
        ++FItemIndex;
    Changed(Entries | Selection | Index);
}

void TListItems::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    FEntries[static_cast<size_t>(index)].Object = object;  // objects do not show
}

void TListItems::Delete(int index)
{
    CheckIndex(index);
    auto at = FEntries.begin() + index;
    uint8_t changes = Entries | (at->Selected ? Selection : 0);
    FEntries.erase(at);
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
    if (FEntries.empty() && FItemIndex < 0)
        return;
    uint8_t changes = Entries | (SelCount() > 0 ? Selection : 0) | (FItemIndex >= 0 ? Index : 0);
    FEntries.clear();
    FItemIndex = -1;
    Changed(changes);
}

void TListItems::SetSorted(bool sorted)
{
    if (sorted == FSorted)
        return;
    FSorted = sorted;
    if (!sorted)
        return;
    std::vector<size_t> order(FEntries.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        return AnsiCompareText(FEntries[a].Text, FEntries[b].Text) < 0;
    });
    std::vector<Entry> entries;
    entries.reserve(FEntries.size());
    int itemIndex = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if (static_cast<int>(order[i]) == FItemIndex)
            itemIndex = static_cast<int>(i);
        entries.push_back(std::move(FEntries[order[i]]));
    }
    FEntries = std::move(entries);
    FItemIndex = itemIndex;
    Changed(Entries | Selection | Index);
}

bool TListItems::Selected(int index) const
{
    CheckIndex(index);
    return FEntries[static_cast<size_t>(index)].Selected;
}

void TListItems::SetSelected(int index, bool selected)
{
    CheckIndex(index);
    bool& flag = FEntries[static_cast<size_t>(index)].Selected;
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
    for (size_t i = 0; i < FEntries.size(); ++i) {
        bool wanted = static_cast<int>(i) == index;
        if (FEntries[i].Selected != wanted) {
            FEntries[i].Selected = wanted;
            changed = true;
        }
    }
    if (changed)
        Changed(Selection);
}

int TListItems::SelCount() const
{
    return static_cast<int>(std::count_if(FEntries.begin(), FEntries.end(), [](const Entry& e) { return e.Selected; }));
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
    for (TChange change : {Entries, Selection, Index})
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
