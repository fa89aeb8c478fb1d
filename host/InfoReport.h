#pragma once
// What the host's command line tells about a package file (`info`, `resource`), read without
// running the package. Each returns the exit status: 0, or 1 after one line on `err` saying what
// is wrong. The package report is another thing: the host's list of the packages it loaded or
// refused (DesignHost.h).

#include <ostream>
#include <string>

#include "vcl50/Instances.h"
#include "vcl50/Packageinfo.h"

// Description, flags, required packages, contained units, options word and resources.
int ReportInfo(const std::string& packagePath, std::ostream& out, std::ostream& err);
enum class TResourceForm {
    Raw,         // the resource's bytes as they are
    BitmapFile,  // a bitmap resource with the file header that makes it a .bmp file
};
// The bytes of the resource of that name (matched without regard to case), in the form asked for.
int ReportResource(const std::string& packagePath, const std::string& name, std::ostream& out, std::ostream& err,
                   TResourceForm form = TResourceForm::Raw);

// The package's PACKAGEINFO; raises, with the line ReportInfo would print, when the file is no
// package with a well-formed PACKAGEINFO. Read from the file only, so what is no package never
// gets to run.
TPackageInfo CheckPackageFile(const std::string& packagePath);

// The description a loaded package carries in its resources; empty when it has none.
std::string PackageDescription(HMODULE module);
