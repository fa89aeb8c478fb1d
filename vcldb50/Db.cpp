#include "vcldb50/Db.h"

#include <algorithm>

#include "vcldb50/Dbconsts.h"

const char* EDatabaseError::ClassName() const { return "EDatabaseError"; }

// ---- TField -----------------------------------------------------------------------------------

TField::TField(TComponent* owner) : TDerived(owner) {}

TField::~TField()
{
    SetDataSet(nullptr);
}

TClass TField::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TField, TComponent>("TField")
        .Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel)
        .Property("FieldName", &TField::FieldName, &TField::SetFieldName)
        .Build();
    return &meta;
}

void TField::SetDisplayLabel(const AnsiString& label)
{
    // A label equal to the name is no label of its own: it follows later renames.
    FDisplayLabel = label == FFieldName ? AnsiString() : label;
}

void TField::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == FDataSet)
        return;
    if (FDataSet)
        FDataSet->Fields()->Remove(this);
    FDataSet = dataSet;
    if (FDataSet)
        FDataSet->Fields()->Add(this);
}

int TField::Index() const
{
    return FDataSet ? FDataSet->Fields()->IndexOf(this) : -1;
}

// ---- TFields ----------------------------------------------------------------------------------

TFields::~TFields() = default;

TClass TFields::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TFields, TObject>("TFields").Build();
    return &meta;
}

TField* TFields::Fields(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {index}));
    return FList[static_cast<size_t>(index)];
}

TField* TFields::FindField(std::string_view name) const
{
    for (TField* field : FList)
        if (SameText(field->FieldName(), name))
            return field;
    return nullptr;
}

TField* TFields::FieldByName(std::string_view name) const
{
    if (TField* field = FindField(name))
        return field;
    throw EDatabaseError(Format(SFieldNotFound, {AnsiString(name)}));
}

int TFields::IndexOf(const TField* field) const
{
    auto it = std::find(FList.begin(), FList.end(), field);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TFields::Remove(TField* field)
{
    // A closing dataset frees its fields last first: search from the back.
    auto it = std::find(FList.rbegin(), FList.rend(), field);
    if (it != FList.rend())
        FList.erase(std::next(it).base());
}

// ---- TDataSet ---------------------------------------------------------------------------------

TDataSet::TDataSet(TComponent* owner) : TDerived(owner), FFields(std::make_unique<TFields>(this)) {}

TDataSet::~TDataSet()
{
    // The fields unlink themselves from FFields, which must still exist then; the owner tree
    // would free them only after it is gone.
    DestroyFields();
    FActive = false;
}

TClass TDataSet::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TDataSet, TComponent>("TDataSet")
        .Property("Active", &TDataSet::Active, &TDataSet::SetActive)
        .Build();
    return &meta;
}

void TDataSet::SetActive(bool active)
{
    if (ComponentState().Contains(csLoading)) {
        FStreamedActive = active;
        return;
    }
    if (active == FActive)
        return;
    if (active) {
        BeginInsertBatch();  // the new fields need not hear of one another
        try {
            InternalOpen();
        } catch (...) {
            EndInsertBatch();
            DestroyFields();
            throw;
        }
        EndInsertBatch();
        FActive = true;
    } else {
        FActive = false;
        DestroyFields();
        InternalClose();
    }
}

void TDataSet::Loaded()
{
    TComponent::Loaded();
    if (FStreamedActive) {
        FStreamedActive = false;
        SetActive(true);
    }
}

void TDataSet::CheckInactive() const
{
    if (FActive)
        throw EDatabaseError(SDataSetOpen);
}

TField* TDataSet::CreateField(const AnsiString& fieldName)
{
    auto field = std::make_unique<TField>(this);
    field->SetFieldName(fieldName);
    field->SetDataSet(this);
    return field.release();
}

void TDataSet::DestroyFields()
{
    // Its own fields go as one batch: a field need not hear of the others' end, and thousands
    // of fields telling each other would take seconds.
    std::vector<TComponent*> owned;
    for (int i = 0; i < FFields->Count(); ++i)
        if (TField* field = FFields->Fields(i); field->Owner() == this)
            owned.push_back(field);
    DestroyComponents(owned);
    while (FFields->Count() > 0)
        delete FFields->Fields(FFields->Count() - 1);
}
