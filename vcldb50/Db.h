#pragma once
// Datasets and their fields: the part of the platform's database unit that designers use.
// A dataset is opened and closed as a whole; it describes its columns as fields and does not
// navigate records.

#include <memory>
#include <string_view>
#include <vector>

#include "vcl50/Classes.h"

VCL_EXCEPTION_CLASS(EDatabaseError, Exception);

class TDataSet;

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

private:
    AnsiString FFieldName;
    AnsiString FDisplayLabel;
    TDataSet* FDataSet = nullptr;
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

    void Loaded() override;

protected:
    virtual void InternalOpen() = 0;
    // Releases what InternalOpen acquired; the fields are freed by the dataset itself.
    virtual void InternalClose() {}
    // Raises EDatabaseError when the dataset is open, for properties that may not change then.
    void CheckInactive() const;
    // A new field owned by this dataset, appended to its fields.
    TField* CreateField(const AnsiString& fieldName);
    void DestroyFields();

private:
    std::unique_ptr<TFields> FFields;
    bool FActive = false;
    bool FStreamedActive = false;
};
