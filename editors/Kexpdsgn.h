#pragma once
// The package's property editors and component editors.

#include "package/Ownunits.h"
#include "vcl50/Dsgnintf.h"

// What stands between the owner's name and the component's in the caption of a dialog opened
// on one component: "MainForm->HtmlOut -- HTML Template Editor".
AnsiString CaptionSeparator();

// HTMLTemplate of the HTML export: the enumeration's own drop-down, and Edit, which opens the
// HTML template editor on the first component's look and stores what it returns with OK.
class TKHTMLTemplateProperty : public TEnumProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;

    void Edit() override;
};

VCL_UNIT(Kexpdsgn)
