#pragma once
// A script of SQL that SQLite and PostgreSQL both run: BEGIN, one CREATE TABLE, one INSERT per
// record, COMMIT. Only forms both read the same way are written: identifiers and text in quotes
// (doubled inside), NULL, TRUE/FALSE, numbers, ISO dates in quotes and binary data as X'..' in a
// BIT VARYING column (PostgreSQL reads X'..' as bits and refuses it in BYTEA).
//
// A column takes the type its field declares unless a value of another kind turns up in it, as
// SQLite allows ('not a date' in a DATE column): then it is TEXT and every value in it text, so
// that PostgreSQL accepts the script and no value is lost. That is why the records are read twice.

#include "rowcastb5/Kexportwriter.h"

class TSqlWriter : public TExportWriter {
public:
    TSqlWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats,
               const AnsiString& table);
    ~TSqlWriter() override;

    bool MeasuresFirst() const override { return true; }
    void Measure(size_t column, const TFieldValue& value) override;
    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override;

    // "name" with its quotes doubled.
    static AnsiString Identifier(std::string_view name);
    // 'text' with its quotes doubled. A NUL byte, which neither database keeps in text, becomes
    // U+FFFD as invalid UTF-8 does; a CR before a LF ends one literal and a || joins the next.
    static AnsiString Literal(std::string_view text);

private:
    enum TSqlType : uint8_t { stText, stBigint, stDouble, stBoolean, stDate, stTime, stTimestamp, stBits };
    // What the first reading found in a column.
    struct TSeen {
        unsigned Kinds = 0;         // a bit per TFieldValue::TKind
        bool WideIntegers = false;  // integers a DOUBLE PRECISION would round
    };

    TSqlType ColumnType(size_t column);
    // The value as a column of `type` holds it.
    AnsiString Sql(size_t column, TSqlType type, const TFieldValue& value) const;

    AnsiString FTable;
    std::vector<TSeen> FSeen;
    std::vector<TSqlType> FTypes;
    AnsiString FInsert;     // what every INSERT starts with
    AnsiString FStatement;  // the INSERT being written
};
