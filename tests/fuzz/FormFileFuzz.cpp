// A form file opened in the designer host, as `open` does, and closed again.
#include "host/DesignHost.h"
#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Sysutils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TDesignHost host;
    const std::string path = InputFile(data, size, "form.dfm");
    try {
        host.CloseForm(host.OpenForm(path));
    } catch (const Exception&) {
    }
    return 0;
}
