// A PACKAGEINFO resource.
#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Packageinfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        ParsePackageInfo({data, size});
    } catch (const EPackageError&) {
    }
    return 0;
}
