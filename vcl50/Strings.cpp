#include "vcl50/Strings.h"

#include <algorithm>
#include <numeric>

#include "vcl50/Filer.h"
#include "vcl50/Sysutils.h"

// ---- TStrings ---------------------------------------------------------------------------------

TStrings::~TStrings() = default;

TClass TStrings::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TStrings, TPersistent>("TStrings").Build();
    return &meta;
}

void TStrings::IndexError(int index)
{
    throw EStringListError(Format("List index out of bounds (%d)", {index}));
}

TObject* TStrings::GetObject(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return nullptr;
}

void TStrings::Put(int index, const AnsiString& s)
{
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    EndUpdate();
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* object)
{
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const AnsiString& s)
{
    return AddObject(s, nullptr);
}

int TStrings::AddObject(const AnsiString& s, TObject* object)
{
    int index = Count();
    InsertObject(index, s, object);
    return index;
}

void TStrings::AddStrings(const TStrings* strings)
{
    BeginUpdate();
    for (int i = 0; i < strings->Count(); ++i)
        AddObject(strings->Get(i), strings->GetObject(i));
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const
{
    for (int i = 0; i < Count(); ++i)
        if (AnsiCompareText(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

void TStrings::Exchange(int a, int b)
{
    AnsiString sa = Get(a), sb = Get(b);
    TObject *oa = GetObject(a), *ob = GetObject(b);
    BeginUpdate();
    Put(a, sb);
    PutObject(a, ob);
    Put(b, sa);
    PutObject(b, oa);
    EndUpdate();
}

void TStrings::Move(int from, int to)
{
    if (from == to)
        return;
    AnsiString s = Get(from);
    TObject* object = GetObject(from);
    BeginUpdate();
    Delete(from);
    InsertObject(to, s, object);
    EndUpdate();
}

bool TStrings::Equals(const TStrings* other) const
{
    if (Count() != other->Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other->Get(i))
            return false;
    return true;
}

AnsiString TStrings::Text() const
{
    AnsiString text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += '\n';
    }
    return text;
}

void TStrings::SetText(std::string_view text)
{
    BeginUpdate();
    Clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        Add(AnsiString(text.substr(pos, end - pos)));
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    EndUpdate();
}

AnsiString TStrings::CommaText() const
{
    AnsiString text;
    for (int i = 0; i < Count(); ++i) {
        if (i)
            text += ',';
        AnsiString s = Get(i);
        bool quote = s.empty() ? Count() == 1 : s.find_first_of(" ,\"\t\r\n") != AnsiString::npos;
        if (!quote) {
            text += s;
            continue;
        }
        text += '"';
        for (char c : s) {
            if (c == '"')
                text += '"';
            text += c;
        }
        text += '"';
    }
    return text;
}

void TStrings::SetCommaText(std::string_view text)
{
    BeginUpdate();
    Clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        AnsiString s;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        s += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ')
                s += text[i++];
        }
        Add(s);
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks();
            if (i == text.size())
                Add("");
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(TPersistent* source)
{
    if (auto* strings = dynamic_cast<TStrings*>(source)) {
        if (strings == this)
            return;
        BeginUpdate();
        Clear();
        AddStrings(strings);
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler* filer)
{
    // Form resources hold the entries as `Items.Strings = ('a' 'b')`.
    auto read = [this](TReader& reader) {
        BeginUpdate();
        try {
            Clear();
            reader.ReadListBegin();
            while (!reader.EndOfList())
                Add(reader.ReadString());
            reader.ReadListEnd();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    };
    auto write = [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int i = 0; i < Count(); ++i)
            writer.WriteString(Get(i));
        writer.WriteListEnd();
    };
    filer->DefineProperty("Strings", read, write, Count() > 0);
}

// ---- TStringList ------------------------------------------------------------------------------

TStringList::TStringList() = default;
TStringList::~TStringList() = default;

TClass TStringList::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TStringList, TStrings>("TStringList").Build();
    return &meta;
}

AnsiString TStringList::Get(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return FItems[static_cast<size_t>(index)].String;
}

TObject* TStringList::GetObject(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return FItems[static_cast<size_t>(index)].Object;
}

void TStringList::Put(int index, const AnsiString& s)
{
    if (FSorted)
        throw EStringListError("Operation not allowed on sorted string list");
    if (index < 0 || index >= Count())
        IndexError(index);
    Changing();
    FItems[static_cast<size_t>(index)].String = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* object)
{
    if (index < 0 || index >= Count())
        IndexError(index);
    Changing();
    FItems[static_cast<size_t>(index)].Object = object;
    Changed();
}

void TStringList::Insert(int index, const AnsiString& s)
{
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const AnsiString& s, TObject* object)
{
    if (FSorted)
        throw EStringListError("Operation not allowed on sorted string list");
    if (index < 0 || index > Count())
        IndexError(index);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const AnsiString& s, TObject* object)
{
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        IndexError(index);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::AddObject(const AnsiString& s, TObject* object)
{
    int index = Count();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
        // Equal entries keep the order in which they arrived.
        while (index < Count() && AnsiCompareText(FItems[static_cast<size_t>(index)].String, s) == 0)
            ++index;
    }
    InsertItem(index, s, object);
    return index;
}

int TStringList::IndexOf(std::string_view s) const
{
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted && !FSorted) {
        FSorted = true;
        Sort();
    }
    FSorted = sorted;
}

void TStringList::Sort()
{
    Changing();
    // Each string is decoded once, not at each of its comparisons.
    std::vector<TAnsiTextKey> keys;
    keys.reserve(FItems.size());
    for (const Item& item : FItems)
        keys.emplace_back(item.String);
    std::vector<size_t> order(FItems.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return AnsiCompareText(FItems[a].String, keys[a], FItems[b].String, keys[b]) < 0;
    });
    std::vector<Item> items;
    items.reserve(FItems.size());
    for (size_t i : order)
        items.push_back(std::move(FItems[i]));
    FItems = std::move(items);
    Changed();
}

bool TStringList::Find(std::string_view s, int& index) const
{
    // Lower bound, so among equal entries the first one is found.
    int lo = 0, hi = Count();
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (AnsiCompareText(FItems[static_cast<size_t>(mid)].String, s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < Count() && AnsiCompareText(FItems[static_cast<size_t>(lo)].String, s) == 0;
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0)
        OnChange(this);
}
