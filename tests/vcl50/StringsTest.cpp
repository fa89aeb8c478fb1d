#include <gtest/gtest.h>

#include "vcl50/Classes.h"
#include "vcl50/Strings.h"

namespace {

std::vector<std::string> Entries(const TStrings& s)
{
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(s[i]);
    return out;
}

TEST(StringsSorted, AdditionsGoToTheirAlphabeticalPlaceWhateverTheCase)
{
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    for (const char* s : {"delta", "Alpha", "charlie", "bravo", "alpha"})
        list.Add(s);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"Alpha", "alpha", "bravo", "charlie", "delta"}));
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);  // the first of equal entries
    EXPECT_EQ(list.IndexOf("echo"), -1);
    EXPECT_THROW(list.Insert(0, "zulu"), EStringListError);
}

TEST(StringsSorted, DuplicatesPolicy)
{
    TStringList ignore;
    ignore.SetSorted(true);
    ignore.Add("a");
    EXPECT_EQ(ignore.Add("A"), 0);
    EXPECT_EQ(ignore.Count(), 1);
    TStringList error;
    error.SetSorted(true);
    error.SetDuplicates(dupError);
    error.Add("a");
    EXPECT_THROW(error.Add("a"), EStringListError);
}

TEST(StringsSorted, TurningSortedOnSortsWhatIsThere)
{
    TStringList list;
    list.SetCommaText("c,A,b");
    list.SetSorted(true);
    EXPECT_EQ(list.CommaText(), "A,b,c");
}

TEST(StringsUnsorted, IndexOfIgnoresCaseAndFindsTheFirstDuplicate)
{
    TStringList list;
    list.Add("Name");
    list.Add("age");
    list.Add("NAME");
    EXPECT_EQ(list.IndexOf("name"), 0);
    EXPECT_EQ(list.IndexOf("AGE"), 1);
}

TEST(StringsUnsorted, ObjectsTravelWithTheirStrings)
{
    TStringList a;
    TObject x, y;
    a.AddObject("x", &x);
    a.AddObject("y", &y);
    TStringList b;
    b.Assign(&a);
    EXPECT_EQ(b.Objects(1), &y);
    b.Move(1, 0);
    EXPECT_EQ(b[0], "y");
    EXPECT_EQ(b.Objects(0), &y);
    b.Exchange(0, 1);
    EXPECT_EQ(b.Objects(0), &x);
    EXPECT_EQ(b.IndexOfObject(&y), 1);
}

TEST(StringsErrors, IndexErrorsNameTheIndex)
{
    TStringList list;
    list.Add("a");
    try {
        list.Delete(5);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Insert(2, "b"), EStringListError);
    EXPECT_NO_THROW(list.Insert(1, "b"));
}

TEST(StringsText, TextAndCommaTextRoundTrip)
{
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(list.Text(), "one\ntwo\nthree\nfour\n");

    TStringList odd;
    for (const char* s : {"plain", "with blank", "com,ma", "quo\"te", ""})
        odd.Add(s);
    TStringList back;
    back.SetCommaText(odd.CommaText());
    EXPECT_EQ(Entries(back), Entries(odd));
    EXPECT_EQ(odd.CommaText(), "plain,\"with blank\",\"com,ma\",\"quo\"\"te\",");
}

TEST(StringsUpdates, OnChangeFiresOncePerBatch)
{
    TStringList list;
    int changes = 0, changing = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.OnChanging = [&](TObject*) { ++changing; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.BeginUpdate();
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changing, 2);
}

}  // namespace
