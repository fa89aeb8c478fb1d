#include "host/CallFailure.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <typeinfo>

namespace {

// A C++ exception's class as its source names it (std::out_of_range).
AnsiString CppClassName(const std::exception& e)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status),
                                               std::free);
    return status == 0 && name ? AnsiString(name.get()) : AnsiString(typeid(e).name());
}

}  // namespace

TCallFailure CaughtFailure()
{
    try {
        throw;
    } catch (const Exception& e) {
        return {e.ClassName(), e.Message()};
    } catch (const std::exception& e) {
        return {CppClassName(e), e.what()};
    } catch (...) {
        return {"unknown", "an exception that is no std::exception"};
    }
}
