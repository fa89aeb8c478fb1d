#include "host/DesignHost.h"

#include <algorithm>
#include <filesystem>

#include "host/FormFile.h"
#include "host/InfoReport.h"
#include "host/PgDataSetEditors.h"
#include "vcl50/Documentfolder.h"
#include "vcl50/Formresources.h"
#include "vcl50/Forms.h"
#include "vcl50/Packages.h"
#include "vcl50/Sysutils.h"
#include "vcldb50/Pgdataset.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

// A designed form is a plain form made in code: it has no form resource of its own.
std::unique_ptr<TComponent> NewDesignRoot()
{
    return std::unique_ptr<TComponent>(Construct<TForm>(nullptr, 0));
}

// A form file may leave its form unnamed; a designed form is found by its name.
void CheckFormName(const TComponent& root)
{
    if (root.Name().empty())
        throw EComponentError(Format("'%s' is not a valid component name", {root.Name()}));
}

}  // namespace

TDesignHost::TDesignHost()
{
    SetDesignRegistry(&FRegistry);
    SetDesignerHost(true);
    SetDocumentFolderOf([this](const TComponent* component) { return DocumentFolderOf(component); });
    try {
        const TComponentClass dataAccess[] = {TSQLiteDataSet::StaticClass(), TPgDataSet::StaticClass()};
        FRegistry.RegisterComponents("Data Access", dataAccess);
        FRegistry.RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TPgDataSet::StaticClass(), "ConnectionString",
                                         TPgConnectionStringProperty::StaticClass());
        FRegistry.RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TPgDataSet::StaticClass(), "TableName",
                                         TPgTableNameProperty::StaticClass());
        // The designer's own editor of Name, as the platform's designers register it: a package
        // may still register a more particular one.
        FRegistry.RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TComponent::StaticClass(), "Name",
                                         TComponentNameProperty::StaticClass());
    } catch (...) {
        SetDesignRegistry(nullptr);  // no destructor runs for a host that was never made
        SetDocumentFolderOf(nullptr);
        throw;
    }
}

TDesignHost::~TDesignHost()
{
    // Components of a package's classes go before the package's code does.
    FCurrent = nullptr;
    FForms.clear();
    for (auto it = FPackages.rbegin(); it != FPackages.rend(); ++it) {
        FRegistry.RemoveModule(*it);
        try {
            UnloadPackage(*it);
        } catch (const Exception&) {
            // A failing shut-down cannot be reported from a destructor; the rest still unload.
        }
    }
    SetDesignRegistry(nullptr);
    SetDocumentFolderOf(nullptr);
}

AnsiString TDesignHost::DocumentFolderOf(const TComponent* component) const
{
    const TComponent* root = component;
    while (root && root->Owner())
        root = root->Owner();
    std::string file;
    if (FReading && root == FReading->Root)
        file = FReading->Path;  // a dataset opening while its form is read
    else if (auto it = std::find_if(FForms.begin(), FForms.end(), [&](const auto& f) { return f->GetRoot() == root; });
             it != FForms.end())
        file = (*it)->FileName();
    return std::filesystem::path(file).parent_path().string();
}

HMODULE TDesignHost::LoadPackage(const std::string& path)
{
    FPackageReport.push_back({path, nullptr, {}});
    const size_t record = FPackageReport.size() - 1;
    try {
        FPackageReport[record].Module = LoadNewPackage(path);
        return FPackageReport[record].Module;
    } catch (const std::exception& e) {
        const auto* platform = dynamic_cast<const Exception*>(&e);
        FPackageReport[record].Failure = platform ? platform->Message() : AnsiString(e.what());
        throw;
    }
}

HMODULE TDesignHost::LoadNewPackage(const std::string& path)
{
    // Checked from the file first: a file that is no package is refused without running any of
    // its code, and the person is told what is wrong with it, not what dlopen stumbled on.
    const TPackageInfo info = CheckPackageFile(path);
    const std::string name = std::filesystem::path(path).filename().string();
    if (info.Flags & PackageFlags::RunOnly)
        throw EPackageError(Format("Package %s is a run-only package: a designer does not install it", {name}));
    // The system would hand back the module that is loaded and start nothing; the package would
    // then register everything a second time.
    for (const TPackageRecord& loaded : FPackageReport) {
        std::error_code error;
        if (loaded.Module && std::filesystem::equivalent(loaded.Path, path, error))
            throw EPackageError(Format("Package %s is loaded already: a second start is refused", {name}));
    }
    // A path names a file: one without a folder is the file in the working folder, never a
    // library of the same name that the system's search would find.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    HMODULE module = ::LoadPackage(file);
    FPackages.push_back(module);
    return module;
}

std::optional<TCallFailure> TDesignHost::RegisterPackage(HMODULE module)
{
    TDesignRegistry::TModuleScope scope(FRegistry, module);
    try {
        RegisterUnits(module);
    } catch (...) {
        return CaughtFailure();
    }
    return std::nullopt;
}

void TDesignHost::RegisterUnits(HMODULE module)
{
    for (const TContainedUnit& unit : GetPackageInfo(module).Contains)
        if (TRegisterProc registerProc = FindRegisterProc(module, unit.Name)) {
            try {
                registerProc();
            } catch (...) {
                auto record = std::find_if(FPackageReport.rbegin(), FPackageReport.rend(),
                                           [module](const TPackageRecord& r) { return r.Module == module; });
                if (record != FPackageReport.rend() && record->Failure.empty())
                    record->Failure = Format("Register of %s raised %s", {unit.Name, CaughtFailure().Text()});
                throw;
            }
        }
}

void TDesignHost::InstallPackage(const std::string& path)
{
    HMODULE module = LoadPackage(path);
    TDesignRegistry::TModuleScope scope(FRegistry, module);
    RegisterUnits(module);
}

TDesigner* TDesignHost::FindForm(std::string_view name) const
{
    for (const auto& form : FForms)
        if (SameText(form->GetRoot()->Name(), name))
            return form.get();
    return nullptr;
}

TDesigner& TDesignHost::Adopt(std::unique_ptr<TComponent> root)
{
    CheckFormName(*root);
    auto designer = std::make_unique<TDesigner>(std::move(root));
    TDesigner* raw = designer.get();
    designer->SetOnModified([this, raw] {
        if (FOnModified)
            FOnModified(*raw);
    });
    designer->SetOnHistoryCleared([this, raw] {
        if (FOnUndoHistoryCleared)
            FOnUndoHistoryCleared(*raw);
    });
    TDesigner* old = FindForm(raw->GetRoot()->Name());
    auto place = std::find_if(FForms.begin(), FForms.end(), [&](const auto& f) { return f.get() == old; });
    if (place != FForms.end())
        *place = std::move(designer);
    else
        FForms.push_back(std::move(designer));
    FCurrent = raw;
    return *raw;
}

TDesigner& TDesignHost::NewForm(const AnsiString& name)
{
    if (FindForm(name))
        throw EComponentError(Format("A form named %s already exists", {name}));
    std::unique_ptr<TComponent> root = NewDesignRoot();
    root->SetName(name);
    TDesigner& designer = Adopt(std::move(root));
    designer.MarkSaved(WriteComponentResourceText(designer.GetRoot()));
    return designer;
}

std::unique_ptr<TComponent> TDesignHost::ReadForm(const std::string& path, std::vector<TUnknownFormName>* unknown)
{
    AnsiString text = ReadWholeFile(path);
    std::unique_ptr<TComponent> root = NewDesignRoot();
    root->SetDesigning(true);
    FReading = TReading{root.get(), path};
    struct TDone {
        std::optional<TReading>& Reading;
        ~TDone() { Reading.reset(); }
    } done{FReading};
    if (unknown)
        *unknown = ReadFormResourcesLeniently(root.get(), {text});
    else
        ReadComponentResourceText(root.get(), text);
    return root;
}

TDesigner& TDesignHost::OpenForm(const std::string& path)
{
    TDesigner& designer = Adopt(ReadForm(path));
    designer.SetFileName(path);
    designer.MarkSaved(WriteComponentResourceText(designer.GetRoot()));
    return designer;
}

TDesigner* TDesignHost::OpenFormLeniently(const std::string& path, const TAcceptUnknownNames& accept)
{
    std::vector<TUnknownFormName> unknown;
    std::unique_ptr<TComponent> root = ReadForm(path, &unknown);
    if (!unknown.empty() && !accept(unknown))
        return nullptr;
    TDesigner& designer = Adopt(std::move(root));
    designer.SetFileName(path);
    // Without the names it left out, the form is not what its file holds.
    if (unknown.empty())
        designer.MarkSaved(WriteComponentResourceText(designer.GetRoot()));
    else
        designer.Modified();
    return &designer;
}

void TDesignHost::SetCurrentForm(TDesigner& designer)
{
    if (FindForm(designer.GetRoot()->Name()) != &designer)
        throw EInvalidOperation("Only a designed form can be the current one");
    FCurrent = &designer;
}

TDesigner& TDesignHost::RecoverForm(const std::string& path)
{
    std::unique_ptr<TComponent> root;
    try {
        root = ReadForm(path);
        CheckFormName(*root);
    } catch (const EFOpenError&) {
        throw;  // names the file already
    } catch (const Exception& e) {
        // The person is told where the form stays: recovery keeps a file it cannot read.
        throw EReadError(Format("Cannot read the form file \"%s\". %s", {path, e.Message()}));
    }
    // Unsaved work on either side is kept: the recovered form stays in its file.
    if (TDesigner* existing = FindForm(root->Name()); existing && existing->IsModified())
        throw EComponentError(Format("A form named %s has unsaved changes: its autosave is kept in %s",
                                     {root->Name(), path}));
    TDesigner& designer = Adopt(std::move(root));
    designer.Modified();
    return designer;
}

void TDesignHost::SaveForm(TDesigner& designer, const std::string& path)
{
    const AnsiString text = WriteComponentResourceText(designer.GetRoot());
    WriteFileAtomically(path, text);
    designer.ClearModified();
    designer.MarkSaved(text);
    designer.SetFileName(path);
    FAutosave.Settle(FForms);
}

void TDesignHost::CloseForm(TDesigner& designer)
{
    std::erase_if(FForms, [&](const auto& form) { return form.get() == &designer; });
    if (FCurrent == &designer)
        FCurrent = FForms.empty() ? nullptr : FForms.back().get();
    FAutosave.Settle(FForms);
}
