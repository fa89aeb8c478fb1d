#include "vcl50/Documentfolder.h"

namespace {

TDocumentFolderOf& FolderOf()
{
    static TDocumentFolderOf folderOf;
    return folderOf;
}

}  // namespace

void SetDocumentFolderOf(TDocumentFolderOf folderOf)
{
    FolderOf() = std::move(folderOf);
}

AnsiString ExpandDocumentPath(const TComponent* component, const AnsiString& path)
{
    if (path.empty() || path.front() == '/' || !FolderOf())
        return path;
    const AnsiString folder = FolderOf()(component);
    if (folder.empty())
        return path;
    return folder.back() == '/' ? folder + path : folder + "/" + path;
}
