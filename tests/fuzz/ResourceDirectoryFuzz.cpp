// A module's resource directory block.
#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Resourcedirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ParseResourceDirectory({data, size});
    } catch (const EResourceError&) {
    }
    return 0;
}
