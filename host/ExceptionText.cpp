#include "host/ExceptionText.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

AnsiString ExceptionClassName(const std::exception& e)
{
    if (const auto* platform = dynamic_cast<const Exception*>(&e))
        return platform->ClassName();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status),
                                               std::free);
    return status == 0 && name ? AnsiString(name.get()) : AnsiString(typeid(e).name());
}

AnsiString ExceptionText(const std::exception& e)
{
    const auto* platform = dynamic_cast<const Exception*>(&e);
    return ExceptionClassName(e) + ": " + (platform ? platform->Message() : AnsiString(e.what()));
}
