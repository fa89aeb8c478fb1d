#pragma once
// An XML document of the records for programs to read:
//   <?xml version="1.0" encoding="UTF-8"?>
//   <records>
//     <record>
//       <id>1</id>
//       <unit_price name="unit price">2.5</unit_price>
//       <note null="true"/>
//     </record>
//   </records>
// One child per exported field, named after the field (made a valid XML name; the field name in
// a name attribute when it had to change). Values in machine forms: ISO 8601 dates, shortest
// round-trip numbers with '.' (NaN, INF, -INF), true/false, bytes as hex. NULL is an empty child
// with null="true"; empty text is an empty child without it.

#include <vector>

#include "rowcastb5/Kexportwriter.h"

class TXmlWriter : public TExportWriter {
public:
    TXmlWriter(TExportOutput& out, const std::vector<TExportColumn>& columns, const TKFormats& formats);
    ~TXmlWriter() override;

    void Begin() override;
    void BeginRecord() override;
    void Value(size_t column, const TFieldValue& value) override;
    void EndRecord() override;
    void Finish() override;

    // A name that XML 1.0 parsers of every edition take: ASCII letters, digits, '_', '-' and '.',
    // every other character '_', and '_' in front of one that could not start a name or would
    // start with the reserved "xml".
    static AnsiString ElementName(std::string_view fieldName);
    // Appends valid UTF-8 as character data, or as an attribute value: markup characters as
    // references, CR (and in attributes tab and LF) as character references so that parsers
    // keep them, and the characters XML 1.0 cannot hold at all (controls other than tab, LF and
    // CR; U+FFFE and U+FFFF) as U+FFFD.
    static void AppendEscaped(AnsiString& out, std::string_view text, bool attribute);
    // The value's text in machine form; dates by the column's type (date, time, or both).
    static AnsiString MachineText(const TExportColumn& column, const TFieldValue& value);

private:
    std::vector<AnsiString> FOpen;   // "    <name" with its name attribute, per column
    std::vector<AnsiString> FClose;  // "</name>\n"
    AnsiString FLine;
};
