// Sorted lists compare through prepared keys and a stack-buffered AnsiCompareText. Both must give
// the very answers of the straightforward comparison (decode to wide characters, lower-case,
// wcscoll; CompareText when either side is no UTF-8), so sorted lists come out in the same order
// with the same returned indexes, in the process's own locale and in real-language ones.

#include <gtest/gtest.h>
#include <locale.h>
#include <wchar.h>
#include <wctype.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "vcl50/Listitems.h"
#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"

namespace {

// ---- the straightforward comparison, as the oracle --------------------------------------------

locale_t ReferenceLocale()
{
    static locale_t locale = [] {
        for (const char* name : {"", "C.UTF-8", "C"})
            if (locale_t l = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, name, locale_t(nullptr)))
                return l;
        return locale_t(nullptr);
    }();
    return locale;
}

std::optional<std::wstring> ReferenceDecode(const std::string& s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= s.size())
            return std::nullopt;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp == 0)
            return std::nullopt;
        out += static_cast<wchar_t>(towlower_l(static_cast<wint_t>(cp), ReferenceLocale()));
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

int ReferenceCompare(const std::string& a, const std::string& b)
{
    auto wa = ReferenceDecode(a);
    auto wb = ReferenceDecode(b);
    if (!ReferenceLocale() || !wa || !wb)
        return CompareText(a, b);
    int result = wcscoll_l(wa->c_str(), wb->c_str(), ReferenceLocale());
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

// ---- texts that put every path to the test ----------------------------------------------------

std::vector<std::string> MixedTexts(size_t count, unsigned seed)
{
    static const std::vector<std::string> pieces{
        "a", "A", "b", "B", "e", "E", "f", "i", "I", "o", "s", "z", "Z", "ch", "CH", "aa", "field", "FIELD",
        "0", "1", "9", "10", "_", "-", ".", " ", ",", "'", "~", "(", "\t",
        "\xC3\xA4", "\xC3\x84",          // ä Ä
        "\xC3\xA9", "\xC3\x89",          // é É
        "\xC3\x9F",                      // ß
        "\xC3\xA5", "\xC3\xB8", "\xC3\xA6", "\xC5\x93",  // å ø æ œ
        "\xC4\xB1", "\xC4\xB0",          // ı İ
        "\xC5\x82", "\xC4\x8D", "\xC5\xA1",  // ł č š
        "\xCC\x81", "\xCC\x88",          // combining acute, diaeresis
        "\xC2\xA0",                      // no-break space
        "\xD0\x96", "\xD0\xB6", "\xCE\xA3", "\xCF\x83", "\xCF\x82",  // Ж ж Σ σ ς
        "\xE4\xB8\xAD", "\xEF\xBC\xA1",  // 中, fullwidth A
        "\xF0\x9F\x98\x80",              // an emoji
        "\xFF", "\x80", "\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", std::string("\0", 1),  // no UTF-8
    };
    std::mt19937 random(seed);
    std::vector<std::string> texts{
        "", "Field_1", "FIELD_1", "field_1", "Field_10", "\xC3\x84rger", "\xC3\xA4RGER", "Zebra", "\xFF",
        std::string(300, 'a') + "B", std::string(300, 'A') + "b", std::string(300, 'a') + "\xC3\xA4",
        std::string(300, 'a') + "\xFF", std::string(255, 'x') + "\xC3\xA9", std::string(256, 'X') + "\xC3\x89",
        std::string(255, 'x'), std::string(256, 'X'),  // around the size that no longer fits on the stack
    };
    while (texts.size() < count) {
        std::string text;
        for (size_t n = random() % 6; n > 0; --n)
            text += pieces[random() % pieces.size()];
        texts.push_back(text);
        if (random() % 8 == 0)  // the same text again in other letter case
            texts.push_back(random() % 2 ? UpperCase(text) : LowerCase(text));
    }
    texts.resize(count);
    return texts;
}

std::string Shown(const std::string& s)
{
    std::ostringstream out;
    for (unsigned char c : s)
        if (c >= 0x20 && c < 0x7F)
            out << c;
        else
            out << "\\x" << std::hex << static_cast<int>(c) << std::dec;
    return out.str();
}

// ---- the lists as they sorted before, comparison for comparison -------------------------------

struct ModelEntry {
    std::string Text;
    TObject* Object = nullptr;
    bool Selected = false;
};

struct ListModel {
    std::vector<ModelEntry> Entries;
    int ItemIndex = -1;
    bool Sorted = false;

    int Place(const std::string& s) const
    {
        return static_cast<int>(std::upper_bound(Entries.begin(), Entries.end(), s,
                                                 [](const std::string& v, const ModelEntry& e) {
                                                     return ReferenceCompare(v, e.Text) < 0;
                                                 }) -
                                Entries.begin());
    }
    int Insert(int index, ModelEntry entry)
    {
        if (Sorted)
            index = Place(entry.Text);
        Entries.insert(Entries.begin() + index, entry);
        if (ItemIndex >= index)
            ++ItemIndex;
        return index;
    }
    void Delete(int index)
    {
        Entries.erase(Entries.begin() + index);
        if (ItemIndex == index)
            ItemIndex = -1;
        else if (ItemIndex > index)
            --ItemIndex;
    }
    void Put(int index, const std::string& s)
    {
        if (Entries[static_cast<size_t>(index)].Text == s)
            return;
        if (!Sorted) {
            Entries[static_cast<size_t>(index)].Text = s;
            return;
        }
        ModelEntry entry = Entries[static_cast<size_t>(index)];
        entry.Text = s;
        bool current = ItemIndex == index;
        Entries.erase(Entries.begin() + index);
        if (ItemIndex > index)
            --ItemIndex;
        int place = Place(s);
        Entries.insert(Entries.begin() + place, entry);
        if (current)
            ItemIndex = place;
        else if (ItemIndex >= place)
            ++ItemIndex;
    }
    void SetSorted(bool sorted)
    {
        if (sorted == Sorted)
            return;
        Sorted = sorted;
        if (!sorted)
            return;
        std::vector<size_t> order(Entries.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
            return ReferenceCompare(Entries[a].Text, Entries[b].Text) < 0;
        });
        std::vector<ModelEntry> sortedEntries;
        int itemIndex = -1;
        for (size_t i = 0; i < order.size(); ++i) {
            if (static_cast<int>(order[i]) == ItemIndex)
                itemIndex = static_cast<int>(i);
            sortedEntries.push_back(Entries[order[i]]);
        }
        Entries = sortedEntries;
        ItemIndex = itemIndex;
    }
};

// Describes how `items` differs from `model`; empty when they agree in every entry.
std::string Difference(const TListItems& items, const ListModel& model)
{
    std::ostringstream out;
    if (items.Count() != static_cast<int>(model.Entries.size()))
        out << "count " << items.Count() << " instead of " << model.Entries.size() << "\n";
    else
        for (int i = 0; i < items.Count(); ++i) {
            const ModelEntry& e = model.Entries[static_cast<size_t>(i)];
            if (items.Get(i) != e.Text || items.GetObject(i) != e.Object || items.Selected(i) != e.Selected) {
                out << "entry " << i << ": '" << Shown(items.Get(i)) << "' instead of '" << Shown(e.Text) << "'\n";
                break;
            }
        }
    if (items.ItemIndex() != model.ItemIndex)
        out << "item index " << items.ItemIndex() << " instead of " << model.ItemIndex << "\n";
    return out.str();
}

// Every check of this file, so that a fresh process in another locale can run them all.
// Returns a description of the first disagreements; empty when all agree.
std::string OrderDisagreements()
{
    std::ostringstream out;
    int reported = 0;
    auto report = [&](const std::string& what) {
        if (reported++ < 5)
            out << what << "\n";
    };

    // Every pair, both ways, through the plain and the keyed comparison.
    std::vector<std::string> texts = MixedTexts(300, 11);
    std::vector<TAnsiTextKey> keys;
    for (const std::string& t : texts)
        keys.emplace_back(t);
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = 0; j < texts.size(); ++j) {
            int expected = ReferenceCompare(texts[i], texts[j]);
            int plain = AnsiCompareText(texts[i], texts[j]);
            int keyed = AnsiCompareText(texts[i], keys[i], texts[j], keys[j]);
            // Where keys hash, equal keys (and hashes) exactly for equal texts, as IndexOf finds.
            bool keysDisagree = TAnsiTextKey::Hashable() &&
                                ((keys[i] == keys[j]) != (expected == 0) ||
                                 (keys[i] == keys[j] && keys[i].Hash() != keys[j].Hash()));
            if (plain != expected || keyed != expected || keysDisagree)
                report("'" + Shown(texts[i]) + "' vs '" + Shown(texts[j]) + "': " + std::to_string(plain) + "/" +
                       std::to_string(keyed) + " instead of " + std::to_string(expected));
        }

    // A sorted list box's entries under a random mix of everything that changes them.
    std::vector<TObject> tags(4);
    std::vector<std::string> arrivals = MixedTexts(1500, 23);
    std::mt19937 random(5);
    TListItems items([](TListItems::TChange) {});
    ListModel model;
    items.SetSorted(true);
    model.SetSorted(true);
    for (size_t step = 0; step < arrivals.size() && reported == 0; ++step) {
        const std::string& text = arrivals[step];
        int count = items.Count();
        unsigned op = random() % 20;
        int at = count > 0 ? static_cast<int>(random() % static_cast<unsigned>(count)) : 0;
        std::string what;
        if (op < 12 || count == 0) {
            TObject* tag = &tags[random() % tags.size()];
            int got = items.AddObject(text, tag);
            int expected = model.Insert(count, {text, tag, false});
            if (got != expected)
                report("Add('" + Shown(text) + "') returned " + std::to_string(got) + " instead of " +
                       std::to_string(expected));
            what = "Add";
        } else if (op < 14) {
            items.Insert(at, text);
            model.Insert(at, {text, nullptr, false});
            what = "Insert";
        } else if (op < 16) {
            items.Delete(at);
            model.Delete(at);
            what = "Delete";
        } else if (op < 18) {
            items.Put(at, text);
            model.Put(at, text);
            what = "Put";
        } else if (op == 18) {
            items.SetSelected(at, true);
            model.Entries[static_cast<size_t>(at)].Selected = true;
            items.SetItemIndex(at);
            model.ItemIndex = at;
            what = "select";
        } else {
            // Unsorted for a while: entries arrive at the end, then sorting puts them in place.
            items.SetSorted(false);
            model.SetSorted(false);
            for (int k = 0; k < 20 && step + 1 < arrivals.size(); ++k) {
                ++step;
                items.Add(arrivals[step]);
                model.Insert(static_cast<int>(model.Entries.size()), {arrivals[step], nullptr, false});
            }
            items.SetSorted(true);
            model.SetSorted(true);
            what = "SetSorted";
        }
        std::string difference = Difference(items, model);
        if (!difference.empty())
            report("after " + what + " of step " + std::to_string(step) + ": " + difference);
    }

    // A sorted string list: additions, search and sorting what is there.
    TStringList list;
    list.SetDuplicates(dupAccept);
    list.SetSorted(true);
    std::vector<std::string> expected;
    for (const std::string& text : arrivals) {
        int got = list.Add(text);
        // The first equal entry's place, then past the equal ones.
        size_t place = static_cast<size_t>(
            std::lower_bound(expected.begin(), expected.end(), text,
                             [](const std::string& e, const std::string& v) { return ReferenceCompare(e, v) < 0; }) -
            expected.begin());
        if (place < expected.size() && ReferenceCompare(expected[place], text) == 0)
            while (place < expected.size() && ReferenceCompare(expected[place], text) == 0)
                ++place;
        expected.insert(expected.begin() + static_cast<ptrdiff_t>(place), text);
        if (got != static_cast<int>(place)) {
            report("TStringList::Add('" + Shown(text) + "') returned " + std::to_string(got) + " instead of " +
                   std::to_string(place));
            break;
        }
    }
    std::vector<std::string> added;
    for (int i = 0; i < list.Count(); ++i)
        added.push_back(list[i]);
    if (added != expected)
        report("TStringList additions in another order");
    int found = -1;
    if (!list.Find(arrivals[0], found) ||
        found != static_cast<int>(std::lower_bound(expected.begin(), expected.end(), arrivals[0],
                                                   [](const std::string& e, const std::string& v) {
                                                       return ReferenceCompare(e, v) < 0;
                                                   }) -
                                  expected.begin()))
        report("TStringList::Find('" + Shown(arrivals[0]) + "') found " + std::to_string(found));
    TStringList later;
    for (const std::string& text : arrivals)
        later.Add(text);
    later.SetSorted(true);
    std::vector<std::string> stable = arrivals;
    std::stable_sort(stable.begin(), stable.end(),
                     [](const std::string& a, const std::string& b) { return ReferenceCompare(a, b) < 0; });
    for (int i = 0; i < later.Count(); ++i)
        if (later[i] != stable[static_cast<size_t>(i)]) {
            report("TStringList::Sort put '" + Shown(later[i]) + "' at " + std::to_string(i) + " instead of '" +
                   Shown(stable[static_cast<size_t>(i)]) + "'");
            break;
        }
    return out.str();
}

TEST(SortOrder, KeysAndListsOrderExactlyAsAnsiCompareTextInThisLocale)
{
    std::string disagreements = OrderDisagreements();
    EXPECT_EQ(disagreements, "");
}

// The collation is chosen once per process, so each locale gets a fresh one.
void ExpectSameOrderIn(const char* localeName, int eAcuteAgainstF)
{
    locale_t available = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, localeName, locale_t(nullptr));
    if (!available)
        GTEST_SKIP() << localeName << " is not installed";
    freelocale(available);
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // re-executes the binary
    const char* saved = getenv("LC_ALL");
    std::string savedValue = saved ? saved : "";
    setenv("LC_ALL", localeName, 1);
    EXPECT_EXIT(
        {
            // First proves the child collates in the locale asked for.
            std::string disagreements = AnsiCompareText("\xC3\xA9", "f") == eAcuteAgainstF
                                            ? OrderDisagreements()
                                            : "not collating in the locale\n";
            fprintf(stderr, "%s", disagreements.empty() ? "same order\n" : disagreements.c_str());
            std::_Exit(disagreements.empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "same order")
        << localeName;
    if (saved)
        setenv("LC_ALL", savedValue.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

// Code point order: é sorts after f.
TEST(SortOrder, SameOrderInCUtf8)
{
    ExpectSameOrderIn("C.UTF-8", 1);
}

// Here é sorts before f.
TEST(SortOrder, SameOrderInAmericanEnglish)
{
    ExpectSameOrderIn("en_US.UTF-8", -1);
}

TEST(SortOrder, SameOrderInGerman)
{
    ExpectSameOrderIn("de_DE.UTF-8", -1);
}

TEST(SortOrder, SameOrderInSwedish)
{
    ExpectSameOrderIn("sv_SE.UTF-8", -1);
}

TEST(SortOrder, SameOrderInCzech)
{
    ExpectSameOrderIn("cs_CZ.UTF-8", -1);
}

TEST(SortOrder, SameOrderInTurkish)
{
    ExpectSameOrderIn("tr_TR.UTF-8", -1);
}

}  // namespace
