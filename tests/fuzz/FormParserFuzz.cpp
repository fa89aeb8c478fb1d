// Form resource text, parsed to its tree.
#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Formparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ParseFormResource(InputText(data, size));
    } catch (const EReadError&) {
    }
    return 0;
}
