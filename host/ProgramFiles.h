#pragma once
// The files the programs find relative to themselves: beside them in a build folder, where the
// install put them otherwise (bin/ beside lib/ and share/, whatever the prefix).

#include <string>

// DRowcastB5.so beside the running executable; else the installed one, when it is there.
std::string DefaultPackagePath();

// The designer script language's guide: the installed copy, else the one in the source tree.
std::string DesignerScriptsGuide();
