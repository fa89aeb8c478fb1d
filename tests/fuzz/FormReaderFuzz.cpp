// Form resources read into a form as the runtime reads an inherited form's texts, ancestors first:
// NUL bytes split the input into up to three texts.
#include <memory>
#include <vector>

#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Sysutils.h"
#include "vcl50/Formreader.h"
#include "vcl50/Forms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string_view> texts;
    std::string_view input = InputText(data, size);
    for (size_t end; texts.size() < 2 && (end = input.find('\0')) != std::string_view::npos;
         input.remove_prefix(end + 1))
        texts.push_back(input.substr(0, end));
    texts.push_back(input);
    std::unique_ptr<TForm> form(Construct<TForm>(nullptr, 0));
    try {
        ReadFormResources(form.get(), texts);
    } catch (const Exception&) {
    }
    return 0;
}
