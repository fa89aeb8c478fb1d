#include <filesystem>
#include <system_error>

#include "vcl50/Forms.h"
#include "vcl50/Interaction.h"
#include "vcl50/Widgetset.h"

namespace {

TApplication& ApplicationInstance()
{
    static TApplication application(nullptr);
    return application;
}

TScreen& ScreenInstance()
{
    static TScreen screen(nullptr);
    return screen;
}

}  // namespace

TApplication* Application = &ApplicationInstance();
TScreen* Screen = &ScreenInstance();

// ---- TApplication -----------------------------------------------------------------------------

TApplication::TApplication(TComponent* owner) : TDerived(owner)
{
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        FExeName = exe.string();
        FTitle = exe.filename().string();
    }
}

TApplication::~TApplication() = default;

TClass TApplication::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TApplication, TComponent>("TApplication").Build();
    return &meta;
}

void TApplication::HandleException(TObject*, const std::exception& e)
{
    if (auto* interaction = dynamic_cast<const EInteractionError*>(&e))
        throw *interaction;
    auto* platform = dynamic_cast<const Exception*>(&e);
    AnsiString text = platform ? platform->Message() : AnsiString(e.what());
    Interaction::Observer().ErrorShown(text);
    WidgetSet().MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, int flags)
{
    Interaction::Observer().MessageShown(text);
    return WidgetSet().MessageBox(text, caption, flags);
}

void TApplication::ProcessMessages()
{
    WidgetSet().ProcessMessages();
}

// ---- TScreen ----------------------------------------------------------------------------------

TScreen::TScreen(TComponent* owner) : TDerived(owner) {}
TScreen::~TScreen() = default;

TClass TScreen::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TScreen, TComponent>("TScreen").Build();
    return &meta;
}

TCustomForm* TScreen::Forms(int index) const
{
    if (index < 0 || index >= FormCount())
        throw EListError(Format("List index out of bounds (%d)", {index}));
    return FForms[static_cast<size_t>(index)];
}

TWinControl* TScreen::ActiveControl() const
{
    TCustomForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}
