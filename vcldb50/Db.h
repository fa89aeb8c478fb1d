#pragma once
// Datasets and their fields: the part of the platform's database unit that designers and exports
// use. A dataset is opened and closed as a whole, describes its columns as fields and reads its
// records forward only, one at a time (First, Next, Eof), so that memory does not grow with them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "vcl50/Classes.h"
#include "vcl50/Dateutils.h"

VCL_EXCEPTION_CLASS(EDatabaseError, Exception);

class TDataSet;

// What a column holds, as declared by the database.
enum TFieldType : uint8_t {
    ftUnknown, ftString, ftInteger, ftLargeint, ftFloat, ftBoolean, ftDate, ftTime, ftDateTime, ftMemo, ftBlob
};

// One value of the current record, as stored. It may be of another kind than its field's type
// (a database that allows any value in any column): readers go by the value's kind, the field's
// type says how a column is meant. Text and bytes share FText; dates use FFloat.
struct TFieldValue {
    enum TKind : uint8_t { vkNull, vkInteger, vkFloat, vkBoolean, vkDateTime, vkText, vkBytes };
    TKind Kind = vkNull;
    int64_t Integer = 0;
    double Float = 0;
    AnsiString Text;

    void SetNull() { Kind = vkNull; }
};

// One column of a dataset. The dataset owns the fields it makes when it opens and frees them
// when it closes, as the platform does with fields nobody declared at design time.
class TField : public TDerived<TField, TComponent> {
public:
    explicit TField(TComponent* owner);
    ~TField() override;
    static TClass StaticClass();

    const AnsiString& FieldName() const { return FFieldName; }
    void SetFieldName(const AnsiString& name) { FFieldName = name; }
    // The caption shown for the field: the field name until a label of its own is set.
    const AnsiString& DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const AnsiString& label);
    // Moves the field into the fields of `dataSet` (null takes it out of any).
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    // Position in the dataset's fields; -1 when the field belongs to none.
    int Index() const;

    TFieldType DataType() const { return FDataType; }
    void SetDataType(TFieldType type) { FDataType = type; }

    // The value of the current record; null when the dataset is closed or at its end.
    const TFieldValue& Value() const;
    bool IsNull() const { return Value().Kind == TFieldValue::vkNull; }
    // As text: numbers in their shortest exact form, dates by the regional patterns, NULL empty.
    AnsiString AsString() const;
    // Raise EConvertError "'TEXT' is not a valid ..." when the value has no such reading; NULL
    // reads as 0, 0.0, false and 0.
    int64_t AsInteger() const;
    double AsFloat() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;

private:
    friend class TDataSet;
    AnsiString FFieldName;
    AnsiString FDisplayLabel;
    TDataSet* FDataSet = nullptr;
    TFieldType FDataType = ftUnknown;
    int FFieldNo = -1;  // the slot of the dataset's current record this field reads
};

// The fields of one dataset, in column order. It refers to the fields; the fields' owner frees them.
class TFields : public TDerived<TFields, TObject> {
public:
    explicit TFields(TDataSet* dataSet) : FDataSet(dataSet) {}
    ~TFields() override;
    static TClass StaticClass();

    int Count() const { return static_cast<int>(FList.size()); }
    // Raises EListError "List index out of bounds (N)".
    TField* Fields(int index) const;
    TField* operator[](int index) const { return Fields(index); }
    // Matches the name without regard to letter case; null when there is none.
    TField* FindField(std::string_view name) const;
    // Raises EDatabaseError "Field 'NAME' not found".
    TField* FieldByName(std::string_view name) const;
    int IndexOf(const TField* field) const;
    TDataSet* DataSet() const { return FDataSet; }

private:
    friend class TField;
    void Add(TField* field) { FList.push_back(field); }
    void Remove(TField* field);

    TDataSet* FDataSet;
    std::vector<TField*> FList;
};

// A set of data described by fields. Descendants say how to open it (InternalOpen, which makes
// the fields with CreateField) and what to release on close (InternalClose).
class TDataSet : public TDerived<TDataSet, TComponent> {
public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;
    static TClass StaticClass();

    bool Active() const { return FActive; }
    // Opening an open dataset or closing a closed one does nothing. An open that fails leaves the
    // dataset closed, without fields, and raises. While a form is read the value waits for Loaded,
    // so that the properties that say what to open are set first.
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }

    int FieldCount() const { return FFields->Count(); }
    TFields* Fields() const { return FFields.get(); }
    TField* FieldByName(std::string_view name) const { return FFields->FieldByName(name); }
    TField* FindField(std::string_view name) const { return FFields->FindField(name); }

    // Reads the records from the start again; Eof when there are none. Raise EDatabaseError when
    // the dataset is closed or reading fails.
    void First();
    void Next();
    bool Eof() const { return FEof; }
    // The number of records, or -1 when it would cost a pass of its own to know.
    virtual int64_t RecordCountHint() { return -1; }
    // Asked now and then while a read waits on the database (a slow query, records that come
    // slowly); false stops the wait and the read raises EDatabaseError. Null: wait as long as it takes.
    void SetOnWait(std::function<bool()> onWait) { FOnWait = std::move(onWait); }

    void Loaded() override;

protected:
    virtual void InternalOpen() = 0;
    // Releases what InternalOpen acquired; the fields are freed by the dataset itself.
    virtual void InternalClose() {}
    // Fill the current record (Record()) with the first or next record; false past the last.
    // A dataset that only describes its columns has no records.
    virtual bool InternalFirst() { return false; }
    virtual bool InternalNext() { return false; }
    // Raises EDatabaseError when the dataset is open, for properties that may not change then.
    void CheckInactive() const;
    // A new field owned by this dataset, appended to its fields, reading slot FieldCount()-1.
    TField* CreateField(const AnsiString& fieldName, TFieldType type = ftUnknown);
    void DestroyFields();
    // The current record's values, one slot per field made by CreateField, in column order.
    std::vector<TFieldValue>& Record() { return FRecord; }
    // What OnWait says; never raises, since database code in C calls it.
    bool KeepWaiting() const noexcept;

private:
    friend class TField;
    void CheckActive() const;

    std::unique_ptr<TFields> FFields;
    std::vector<TFieldValue> FRecord;
    std::function<bool()> FOnWait;
    bool FActive = false;
    bool FStreamedActive = false;
    bool FEof = true;
};

// The value every field has where the dataset has none (closed, at its end).
extern const TFieldValue NullFieldValue;

// Inline: an export reads every value of every record through it.
inline const TFieldValue& TField::Value() const
{
    if (!FDataSet || FFieldNo < 0 || FDataSet->Eof())
        return NullFieldValue;
    const std::vector<TFieldValue>& record = FDataSet->Record();
    return static_cast<size_t>(FFieldNo) < record.size() ? record[static_cast<size_t>(FFieldNo)] : NullFieldValue;
}
