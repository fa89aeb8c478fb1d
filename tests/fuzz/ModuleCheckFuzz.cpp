// A package file as the host checks it before loading it, and as `info` reports it: read from the
// file only, never loaded.
#include <sstream>

#include "host/InfoReport.h"
#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Sysutils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputFile(data, size, "module.so");
    try {
        CheckPackageFile(path);
    } catch (const Exception&) {
        return 0;
    }
    std::ostringstream out, err;
    ReportInfo(path, out, err);
    return 0;
}
