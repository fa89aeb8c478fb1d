#pragma once
// Filers: what TPersistent::DefineProperties talks to, so that a class can stream data that is
// no published property (a string list's "Strings"). A TReader hands a defined property its
// value from a form resource; a TWriter renders values in the form resource syntax.

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "vcl50/Formparser.h"

class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;

class TFiler {
public:
    virtual ~TFiler();
    // A reader calls readProc when the resource holds the property; a writer renders it with
    // writeProc. hasData says whether the object holds anything worth writing.
    virtual void DefineProperty(const AnsiString& name, const TReaderProc& readProc,
                                const TWriterProc& writeProc, bool hasData) = 0;
};

class TReader : public TFiler {
public:
    // Reads the value that the resource gives the defined property `name`; errors say `at`.
    TReader(AnsiString name, const TFormValue& value, const TReadPlace& at);
    ~TReader() override;

    void DefineProperty(const AnsiString& name, const TReaderProc& readProc,
                        const TWriterProc& writeProc, bool hasData) override;
    // Whether a DefineProperty of the name took the value.
    bool Handled() const { return FHandled; }

    // These raise EReadError when the value is not of the kind asked for.
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    AnsiString ReadString();
    int64_t ReadInteger();

private:
    const TFormValue& NextValue(const char* expected);
    [[noreturn]] void Fail(const AnsiString& what) const { FAt.Fail(what); }

    AnsiString FName;
    const TFormValue& FValue;
    TReadPlace FAt;
    bool FTaken = false;    // the value itself has been read
    bool FHandled = false;
    std::vector<std::pair<const TFormValue*, size_t>> FLists;  // open lists and their cursors
};

class TWriter : public TFiler {
public:
    // `indent` is that of the property's line; list items go two blanks deeper.
    explicit TWriter(int indent);
    ~TWriter() override;

    // Records the property with its value rendered, for the form writer to compare and write.
    void DefineProperty(const AnsiString& name, const TReaderProc& readProc,
                        const TWriterProc& writeProc, bool hasData) override;

    void WriteString(std::string_view s);
    void WriteInteger(int64_t value);
    void WriteIdent(std::string_view ident);
    void WriteSet(const std::vector<AnsiString>& names);
    void WriteListBegin();
    void WriteListEnd();

    // The values written so far, in the resource syntax.
    const AnsiString& Text() const { return FText; }

    struct TDefinedProperty {
        AnsiString Name;
        bool HasData = false;
        AnsiString Text;
    };
    const std::vector<TDefinedProperty>& DefinedProperties() const { return FDefined; }

private:
    void BeginValue();

    int FIndent;
    int FListDepth = 0;
    AnsiString FText;
    std::vector<TDefinedProperty> FDefined;
};
