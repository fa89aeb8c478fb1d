// An ini file: every section, every key of each, every value read. The sections are read from
// the file; the keys and values inside one batch, which reads the file once, as a reader of many
// keys would (read afresh for each key, an input of a few thousand keys spent nearly all its time
// reading the same bytes again).
#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Classes.h"
#include "vcl50/Inifiles.h"
#include "vcl50/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TIniFile ini(InputFile(data, size, "file.ini"));
    try {
        TStringList sections, keys;
        ini.ReadSections(&sections);
        ini.BeginUpdate();
        for (int s = 0; s < sections.Count(); ++s) {
            ini.ReadSection(sections[s], &keys);
            for (int k = 0; k < keys.Count(); ++k)
                ini.ReadInteger(sections[s], keys[k], 0);
        }
        ini.EndUpdate();
    } catch (const EIniFileException&) {
    }
    return 0;
}
