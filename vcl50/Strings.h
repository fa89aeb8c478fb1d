#pragma once
// String lists: strings with an associated object each. TStrings is the abstract list that
// list boxes and combo boxes expose as their Items; TStringList stores its own.

#include <string_view>
#include <vector>

#include "vcl50/Classes.h"

class TStrings : public TDerived<TStrings, TPersistent> {
public:
    ~TStrings() override;
    static TClass StaticClass();

    virtual int Count() const = 0;
    virtual AnsiString Get(int index) const = 0;
    virtual TObject* GetObject(int index) const;
    virtual void Put(int index, const AnsiString& s);
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const AnsiString& s) = 0;
    virtual void InsertObject(int index, const AnsiString& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends (or, in a sorted list, inserts in order) and returns the new index.
    virtual int Add(const AnsiString& s);
    virtual int AddObject(const AnsiString& s, TObject* object);
    // Adds every entry of `strings` with its object, as one change.
    virtual void AddStrings(const TStrings* strings);
    void Append(const AnsiString& s) { Add(s); }
    // Index of the first entry equal to `s` without regard to letter case; -1 when none.
    virtual int IndexOf(std::string_view s) const;
    int IndexOfObject(const TObject* object) const;
    void Exchange(int a, int b);
    void Move(int from, int to);
    bool Equals(const TStrings* other) const;

    AnsiString operator[](int index) const { return Get(index); }
    AnsiString Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

    // One entry per line; reading splits at LF, CRLF or CR.
    AnsiString Text() const;
    void SetText(std::string_view text);
    // Entries separated by commas; entries with blanks, commas or quotes are double-quoted.
    AnsiString CommaText() const;
    void SetCommaText(std::string_view text);

    // Brackets a batch of changes: OnChange-style notices wait until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

protected:
    // Called with true when the first BeginUpdate starts a batch and false when it ends.
    virtual void SetUpdateState(bool updating);
    // Raises EStringListError "List index out of bounds (N)".
    [[noreturn]] static void IndexError(int index);

private:
    int FUpdateCount = 0;
};

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

class TStringList : public TDerived<TStringList, TStrings> {
public:
    TStringList();
    ~TStringList() override;
    static TClass StaticClass();

    int Count() const override { return static_cast<int>(FItems.size()); }
    AnsiString Get(int index) const override;
    TObject* GetObject(int index) const override;
    void Put(int index, const AnsiString& s) override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const AnsiString& s) override;
    void InsertObject(int index, const AnsiString& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int AddObject(const AnsiString& s, TObject* object) override;
    int IndexOf(std::string_view s) const override;

    // Sorted lists keep entries in AnsiCompareText order: additions go to their place, and
    // Insert and Put at a given index raise EStringListError.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
    void Sort();
    // Binary search of a sorted list: true when found; `index` is the place of `s` either way.
    bool Find(std::string_view s, int& index) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        AnsiString String;
        TObject* Object = nullptr;
    };
    void Changing();
    void Changed();
    void InsertItem(int index, const AnsiString& s, TObject* object);

    std::vector<Item> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
};
