#pragma once
// The folder that a component's relative paths (a database file, an export's file) are taken
// against: the folder of its form's file when the form came from or went to one. The designer host
// knows which file that is and says so; without it, a path stays as given (the working folder).

#include <functional>

#include "vcl50/Sysutils.h"

class TComponent;

// Returns the folder for a component, or an empty text when its form has no file.
using TDocumentFolderOf = std::function<AnsiString(const TComponent* component)>;
void SetDocumentFolderOf(TDocumentFolderOf folderOf);

// `path` itself when it is absolute, empty or nobody knows a folder; else folder/path.
AnsiString ExpandDocumentPath(const TComponent* component, const AnsiString& path);
