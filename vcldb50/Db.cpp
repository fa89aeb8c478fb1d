#include "vcldb50/Db.h"

#include <algorithm>
#include <cmath>

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

const TFieldValue NullFieldValue;

namespace {

[[noreturn]] void CannotRead(const TFieldValue& value, const char* as)
{
    throw EConvertError("'" + (value.Kind == TFieldValue::vkBytes ? AnsiString("(BLOB)") : value.Text) +
                        "' is not a valid " + as);
}

}  // namespace

AnsiString TField::AsString() const
{
    const TFieldValue& value = Value();
    switch (value.Kind) {
    case TFieldValue::vkNull: return {};
    case TFieldValue::vkInteger: return IntToStr(value.Integer);
    case TFieldValue::vkFloat: return FloatToStr(value.Float);
    case TFieldValue::vkBoolean: return value.Integer ? "True" : "False";
    case TFieldValue::vkDateTime:
        return FormatDateTime(FDataType == ftDate ? ShortDateFormat : FDataType == ftTime ? LongTimeFormat : "",
                              value.Float);
    case TFieldValue::vkText:
    case TFieldValue::vkBytes: return value.Text;
    }
    return {};
}

int64_t TField::AsInteger() const
{
    const TFieldValue& value = Value();
    switch (value.Kind) {
    case TFieldValue::vkNull: return 0;
    case TFieldValue::vkInteger:
    case TFieldValue::vkBoolean: return value.Integer;
    case TFieldValue::vkFloat:
    case TFieldValue::vkDateTime:
        // Rounded as the platform rounds a float read as an integer; past 64 bits it has none.
        if (std::isfinite(value.Float) && std::fabs(value.Float) < 9.2e18)
            return std::llround(value.Float);
        throw EConvertError("'" + FloatToStr(value.Float) + "' is not a valid integer value");
    case TFieldValue::vkText:
        if (int64_t n = 0; TryStrToInt64(value.Text, n))
            return n;
        break;
    case TFieldValue::vkBytes: break;
    }
    CannotRead(value, "integer value");
}

double TField::AsFloat() const
{
    const TFieldValue& value = Value();
    switch (value.Kind) {
    case TFieldValue::vkNull: return 0;
    case TFieldValue::vkInteger:
    case TFieldValue::vkBoolean: return static_cast<double>(value.Integer);
    case TFieldValue::vkFloat:
    case TFieldValue::vkDateTime: return value.Float;
    case TFieldValue::vkText:
        if (double d = 0; TryStrToFloat(value.Text, d))
            return d;
        break;
    case TFieldValue::vkBytes: break;
    }
    CannotRead(value, "floating point value");
}

TDateTime TField::AsDateTime() const
{
    const TFieldValue& value = Value();
    switch (value.Kind) {
    case TFieldValue::vkNull: return 0;
    case TFieldValue::vkDateTime: return value.Float;
    case TFieldValue::vkText:
        if (TDateTime d = 0; TryISO8601ToDate(value.Text, d))
            return d;
        break;
    default: break;
    }
    CannotRead(value.Kind == TFieldValue::vkText ? value : TFieldValue{TFieldValue::vkText, 0, 0, AsString()},
               "date and time");
}

bool TField::AsBoolean() const
{
    const TFieldValue& value = Value();
    switch (value.Kind) {
    case TFieldValue::vkNull: return false;
    case TFieldValue::vkInteger:
    case TFieldValue::vkBoolean: return value.Integer != 0;
    case TFieldValue::vkText:
        if (SameText(value.Text, "true") || value.Text == "1")
            return true;
        if (SameText(value.Text, "false") || value.Text == "0")
            return false;
        break;
    default: break;
    }
    CannotRead(value.Kind == TFieldValue::vkText ? value : TFieldValue{TFieldValue::vkText, 0, 0, AsString()},
               "boolean value");
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

void TDataSet::CheckActive() const
{
    if (!FActive)
        throw EDatabaseError(SDataSetClosed);
}

bool TDataSet::KeepWaiting() const noexcept
{
    try {
        return !FOnWait || FOnWait();
    } catch (...) {
        return false;  // whatever went wrong, the wait is over
    }
}

void TDataSet::First()
{
    CheckActive();
    FEof = true;  // a read that fails leaves no record behind
    FEof = !InternalFirst();
}

void TDataSet::Next()
{
    CheckActive();
    if (FEof)
        return;
    FEof = true;
    FEof = !InternalNext();
}

TField* TDataSet::CreateField(const AnsiString& fieldName, TFieldType type)
{
    auto field = std::make_unique<TField>(this);
    field->SetFieldName(fieldName);
    field->SetDataType(type);
    field->FFieldNo = static_cast<int>(FRecord.size());
    FRecord.emplace_back();
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
    FRecord.clear();
    FEof = true;
}
