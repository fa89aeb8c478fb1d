#pragma once
// Where form resources come from, and the plain entry points that read and write them.
//
// A form class's resource is named after the class in capitals (TFMFOO for TfmFoo). Finding it
// asks the in-memory registry, then a replaceable locator, so the module's own resource
// directory can serve the forms without their knowing, while texts that code registers (tests)
// still come first.

#include <functional>
#include <optional>
#include <string_view>

#include "vcl50/Classes.h"

using TFormResourceLocator =
    std::function<std::optional<AnsiString>(TClass cls, const AnsiString& resourceName)>;

// Installs the locator asked for what the registry lacks (empty: none); returns the previous one.
TFormResourceLocator SetFormResourceLocator(TFormResourceLocator locator);

// Resource texts by name (matched without regard to case).
void RegisterFormResource(const AnsiString& resourceName, AnsiString text);
void UnregisterFormResource(const AnsiString& resourceName);

// Reads into `instance` the resource of every class from `rootAncestor` (exclusive) down to the
// instance's own class that has one, ancestors first. False when none of them has a resource.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);

// Reads one resource text into an existing root; raises EReadError and leaves no half-built
// components behind.
void ReadComponentResourceText(TComponent* root, std::string_view text);
// Writes the root and its children in the same syntax.
AnsiString WriteComponentResourceText(TComponent* root);
