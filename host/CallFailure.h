#pragma once
// What a call into package code raised, in the one form every host reports it: the exception's
// class as its source names it and its message. The script trace, the window's message box and
// the package registration all take it from here.

#include "vcl50/Sysutils.h"

struct TCallFailure {
    AnsiString ClassName;  // EPropertyError; std::out_of_range; "unknown" for no std::exception
    AnsiString Message;

    AnsiString Text() const { return ClassName + ": " + Message; }  // as a person reads it
};

// The exception being handled; call it only inside a catch block.
TCallFailure CaughtFailure();
