#include "rowcastb5/Kclipboardexport.h"

namespace {

const bool registered = (RegisterClasses({TKClipboardExport::StaticClass()}), true);

}  // namespace

TKClipboardExport::TKClipboardExport(TComponent* owner) : TDerived(owner) {}

TKClipboardExport::~TKClipboardExport() = default;

TClass TKClipboardExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKClipboardExport, TKExport>("TKClipboardExport")
        .Property("ClipboardViewer", &TKClipboardExport::ClipboardViewer, &TKClipboardExport::SetClipboardViewer)
        .Build();
    return &meta;
}

