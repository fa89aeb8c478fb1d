#include "vcl50/Dialogs.h"

#include "vcl50/Forms.h"
#include "vcl50/Interaction.h"
#include "vcl50/Widgetset.h"

namespace {

const bool registered = (RegisterClasses({TColorDialog::StaticClass(), TOpenDialog::StaticClass(),
                                          TSaveDialog::StaticClass()}),
                         true);

}  // namespace

// ---- TCommonDialog ----------------------------------------------------------------------------

TCommonDialog::TCommonDialog(TComponent* owner) : TDerived(owner) {}
TCommonDialog::~TCommonDialog() = default;

TClass TCommonDialog::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TCommonDialog, TComponent>("TCommonDialog").Build();
    return &meta;
}

// ---- TColorDialog -----------------------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* owner) : TDerived(owner) {}
TColorDialog::~TColorDialog() = default;

TClass TColorDialog::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TColorDialog, TCommonDialog>("TColorDialog")
        .Property("Color", &TColorDialog::Color, &TColorDialog::SetColor)
        .Build();
    return &meta;
}

bool TColorDialog::Execute()
{
    std::optional<TColor> chosen = WidgetSet().ExecuteColorDialog(this);
    Interaction::Observer().ColorDialogRan(FColor, chosen);
    if (chosen)
        FColor = *chosen;
    return chosen.has_value();
}

// ---- TOpenDialog ------------------------------------------------------------------------------

const TTypeInfo* TypeInfoTraits<TOpenOption>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TOpenOption>(
        "TOpenOption",
        {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
         "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
         "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
         "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TOpenOptions>::Get()
{
    static const TTypeInfo info = SetTypeInfo("TOpenOptions", TypeInfoOf<TOpenOption>());
    return &info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TDerived(owner) {}
TOpenDialog::~TOpenDialog() = default;

TClass TOpenDialog::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TOpenDialog, TCommonDialog>("TOpenDialog")
        .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
        .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
        .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
        .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
        .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
        .Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
        .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
        .Build();
    return &meta;
}

bool TOpenDialog::Execute()
{
    bool save = Is<TSaveDialog>(this);
    TFileDialogRequest request{save, FTitle, FFilter, FDefaultExt, FFileName, FInitialDir};
    std::optional<AnsiString> chosen = WidgetSet().ExecuteFileDialog(this);
    if (chosen)
        chosen = AddDefaultExt(*chosen, FDefaultExt);
    Interaction::Observer().FileDialogRan(request, chosen);
    if (chosen)
        FFileName = *chosen;
    return chosen.has_value();
}

TSaveDialog::~TSaveDialog() = default;

TClass TSaveDialog::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TSaveDialog, TOpenDialog>("TSaveDialog").Build();
    return &meta;
}

AnsiString AddDefaultExt(const AnsiString& path, const AnsiString& defaultExt)
{
    std::string_view ext = defaultExt;
    if (!ext.empty() && ext.front() == '.')
        ext.remove_prefix(1);
    size_t nameStart = path.find_last_of('/');
    nameStart = nameStart == AnsiString::npos ? 0 : nameStart + 1;
    if (ext.empty() || nameStart == path.size())
        return path;
    size_t dot = path.find_last_of('.');
    if (dot != AnsiString::npos && dot > nameStart && dot + 1 < path.size())
        return path;
    AnsiString stem = dot == path.size() - 1 && dot > nameStart ? path.substr(0, dot) : path;
    return stem + "." + AnsiString(ext);
}

// ---- messages ---------------------------------------------------------------------------------

void ShowMessage(const AnsiString& message)
{
    Application->MessageBox(message, Application->Title(), MB_OK);
}
