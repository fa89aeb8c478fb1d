#pragma once
// A dBase III table (version byte 3, no memo file). Written here rather than with shapelib:
// its DBFCreate puts ".dbf" on the name it is given, so it cannot write the temporary that
// replaces the export's file, and it wants every width before the first record, which only our
// first reading of the records knows.
//
// Fields: numbers N (decimals as the values need), truth values L, dates D, everything else C
// of at most 254 bytes of UTF-8. A column of another declared kind holding a value the type
// cannot (text in a number column, an infinity) is C as a whole, so no value is lost. Memo and
// blob columns are left out (a dBase III memo needs a .dbt file beside the table) and named in
// Notes. NULL is blanks, the format's own null.

#include "rowcastb5/Kexportwriter.h"

class TDbfWriter : public TExportWriter {
public:
    TDbfWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    ~TDbfWriter() override;

    bool MeasuresFirst() const override { return true; }
    void Measure(size_t column, const TFieldValue& value) override;
    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override;

    // The widest field dBase III allows.
    static constexpr size_t MaxWidth = 254;

private:
    // What the first reading found in a column, then the field it became.
    struct TDbfField {
        unsigned Kinds = 0;           // a bit per TFieldValue::TKind
        size_t TextBytes = 0;         // the longest value as text (C)
        size_t DateBytes = 0;         // the longest a date can be in the column's pattern
        size_t CutValues = 0;         // values longer than MaxWidth
        size_t IntegerChars = 0;      // the longest integral part, sign included (N)
        size_t Decimals = 0;          // the most digits after the point in fixed notation (N)
        size_t ShortestChars = 0;     // the longest shortest form, exponent allowed (N)
        size_t ShortestDecimals = 0;  // the most digits after its point
        bool NonFinite = false;       // an infinity or a NaN, which N cannot hold

        char Type = 0;                // C, N, L, D; 0: left out
        size_t Width = 0;
        size_t FieldDecimals = 0;     // what the header says
        bool Exponent = false;        // N values in their shortest form, exponent and all
        size_t Offset = 0;            // in the record, after the deletion flag
    };

    void Decide(size_t column);
    [[noreturn]] static void Changed();
    AnsiString Number(const TDbfField& field, const TFieldValue& value) const;

    std::vector<TDbfField> FFields;
    uint64_t FMeasured = 0;  // records of the first reading
    uint64_t FWritten = 0;
    AnsiString FRecord;
};
