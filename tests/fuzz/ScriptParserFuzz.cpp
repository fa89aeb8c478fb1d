// A designer script, parsed.
#include "host/ScriptParser.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ParseScript(InputText(data, size));
    } catch (const EScriptError&) {
    }
    return 0;
}
