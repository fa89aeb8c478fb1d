// TDataSet's open/close contract and its fields, on a dataset whose columns the test chooses and
// whose open can be made to fail halfway.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vcldb50/Db.h"

namespace {

class TFakeDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;
    std::vector<AnsiString> Columns;
    int FailAfter = -1;  // raise after making this many fields; -1 never
    int Opens = 0;
    int Closes = 0;

protected:
    void InternalOpen() override
    {
        ++Opens;
        for (size_t i = 0; i < Columns.size(); ++i) {
            if (FailAfter == static_cast<int>(i))
                throw EDatabaseError("disk gone");
            CreateField(Columns[i]);
        }
    }
    void InternalClose() override { ++Closes; }
};

}  // namespace

TEST(DataSet, OpensOnceMakingFieldsInOrderAndCloseFreesThem)
{
    TFakeDataSet ds(nullptr);
    ds.Columns = {"Id", "Name", "Age"};
    ds.Close();  // closing a closed set does nothing
    ds.Open();
    SetOrdProp(&ds, "Active", 1);  // nor does opening an open one
    EXPECT_EQ(ds.Opens, 1);
    EXPECT_EQ(ds.Closes, 0);
    ASSERT_EQ(ds.FieldCount(), 3);
    for (int i = 0; i < 3; ++i) {
        TField* f = ds.Fields()->Fields(i);
        EXPECT_EQ(f->FieldName(), ds.Columns[static_cast<size_t>(i)]);
        EXPECT_EQ(f->Index(), i);
        EXPECT_EQ(f->DataSet(), &ds);
    }
    ds.Close();
    EXPECT_EQ(ds.Closes, 1);
    EXPECT_EQ(ds.FieldCount(), 0);
    EXPECT_EQ(ds.ComponentCount(), 0);  // freed, not just forgotten
}

TEST(DataSet, FailedOpenLeavesItClosedWithoutFields)
{
    TFakeDataSet ds(nullptr);
    ds.Columns = {"A", "B", "C"};
    ds.FailAfter = 2;
    EXPECT_THROW(ds.Open(), EDatabaseError);
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(ds.FieldCount(), 0);
    EXPECT_EQ(ds.ComponentCount(), 0);
    ds.FailAfter = -1;
    ds.Open();
    EXPECT_EQ(ds.FieldCount(), 3);
}

TEST(DataSet, FieldLookups)
{
    TFakeDataSet ds(nullptr);
    ds.Columns = {"FirstName", "LastName"};
    ds.Open();
    EXPECT_EQ(ds.FindField("lastname"), ds.Fields()->Fields(1));
    EXPECT_EQ(ds.FieldByName("FIRSTNAME"), ds.Fields()->Fields(0));
    EXPECT_EQ(ds.FindField("Nope"), nullptr);
    try {
        ds.FieldByName("Nope");
        ADD_FAILURE() << "no exception";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field 'Nope' not found");
    }
    EXPECT_THROW(ds.Fields()->Fields(2), EListError);
    EXPECT_THROW(ds.Fields()->Fields(-1), EListError);

    TField* f = ds.FieldByName("LastName");
    EXPECT_EQ(f->DisplayLabel(), "LastName");
    SetStrProp(f, "DisplayLabel", "Family name");
    EXPECT_EQ(f->DisplayLabel(), "Family name");
}

TEST(DataSet, FieldsUnlinkWhenFreedOrMoved)
{
    TComponent owner(nullptr);
    auto* a = new TFakeDataSet(&owner);
    auto* b = new TFakeDataSet(&owner);
    a->Columns = {"X", "Y", "Z"};
    a->Open();
    b->Open();
    delete a->FieldByName("X");
    ASSERT_EQ(a->FieldCount(), 2);
    EXPECT_EQ(a->FieldByName("Z")->Index(), 1);

    a->FieldByName("Y")->SetDataSet(b);  // still owned by a, now listed in b
    EXPECT_EQ(a->FieldCount(), 1);
    EXPECT_EQ(b->FieldByName("Y")->Index(), 0);
    delete a;  // frees Y with it: b must forget it
    EXPECT_EQ(b->FieldCount(), 0);
    EXPECT_EQ(owner.ComponentCount(), 1);
}
