#pragma once
// The host runtime's list of loaded modules. Each module (the program, a package) registers a
// record naming its instance and the instance its resources come from: a language resource module
// beside the module file, or the module itself.

#include <optional>

#include "vcl50/Resources.h"
#include "vcl50/System.h"

struct TLibModule {
    TLibModule* Next = nullptr;
    HINSTANCE Instance = nullptr;
    HINSTANCE CodeInstance = nullptr;
    HINSTANCE DataInstance = nullptr;
    HINSTANCE ResInstance = nullptr;
};

// Adds the record at the head of the list; a record already listed stays as it is. The first
// record also makes the form reader ask the modules for what its registry lacks (see
// FindModuleFormResource).
void RegisterModule(TLibModule* module);
// Takes the record out of the list and releases its language resource module, if it has one.
void UnregisterModule(TLibModule* module);
// The head of the list, newest first; walked on the host's user-interface thread.
TLibModule* LibModuleList();

// The instance of the registered module that holds `address`; null when no registered one does.
HINSTANCE FindHInstance(const void* address);
// The module of a class: where its metaclass lives.
HINSTANCE FindClassHInstance(TClass cls);
// Where the resources of `instance` come from: its record's resource instance, else itself.
HINSTANCE FindResourceHInstance(HINSTANCE instance);

// The user's language as language modules are chosen by it: "de_DE" of LC_ALL, else LC_MESSAGES,
// else LANG ("de_DE.UTF-8@euro"), an empty variable counting as unset; empty when none names one
// (C and POSIX name none). A program's own translations follow it, so they speak as the modules do.
AnsiString UserLanguage();

// The language resource module beside `moduleFileName` for the user's locale (LC_ALL, then
// LC_MESSAGES, then LANG): FILE.ll_CC, else FILE.ll. Null when there is none; the caller releases
// a found one with dlclose (UnregisterModule does so for a record's resource instance).
HINSTANCE LoadResourceModule(const char* moduleFileName);

// A form resource as the module of the class provides it: read through the module's resource
// instance, falling back to the module itself when a language module lacks that form. A class of
// no registered module is looked up in the program.
std::optional<AnsiString> FindModuleFormResource(TClass cls, const AnsiString& resourceName);
