#pragma once
// An exception as the designer tells a person of it: its class and its message.

#include <exception>

#include "vcl50/Sysutils.h"

// A platform exception's class name; a C++ exception's class as its source names it
// (std::out_of_range).
AnsiString ExceptionClassName(const std::exception& e);
// "CLASSNAME: MESSAGE".
AnsiString ExceptionText(const std::exception& e);
