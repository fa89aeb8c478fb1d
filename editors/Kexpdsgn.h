#pragma once
// The package's property editors and component editors.

#include "package/Ownunits.h"
#include "vcl50/Dsgnintf.h"

// What stands between the owner's name and the component's in the caption of a dialog opened
// on one component: "MainForm->HtmlOut -- HTML Template Editor".
AnsiString CaptionSeparator();
// The caption of a dialog opened on one component: owner's name, separator, component's name,
// " -- " and `title`.
AnsiString ComponentDialogCaption(const TComponent* component, const char* title);

// HTMLTemplate of the HTML export: the enumeration's own drop-down, and Edit, which opens the
// HTML template editor on the first component's look and stores what it returns with OK.
class TKHTMLTemplateProperty : public TEnumProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;

    void Edit() override;
};

// About of the exports and the export dialog: a fixed text, and a button to the About box.
class TKExportAboutProperty : public TStringProperty {
public:
    static TClass StaticClass();
    TClass ClassType() const override;

    void Edit() override;
    TPropertyAttributes GetAttributes() override;  // exactly [paDialog, paReadOnly]
    AnsiString GetValue() override;                // the stored text is never read
};

// The context menu of the exports: the fields editor and the About box. A double-click has the
// host's default effect.
class TKExportEditor : public TDefaultEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;

    void Edit() override;
    void ExecuteVerb(int Index) override;
    AnsiString GetVerb(int Index) override;
    int GetVerbCount() override;

private:
    // Shows the fields editor on the component's dataset and, with OK, writes the exported
    // names back into the component's own list.
    void EditFields();
};

// The HTML export adds the template editor, which a double-click opens too.
class TKHTMLExportEditor : public TKExportEditor {
public:
    static TClass StaticClass();
    TClass ClassType() const override;

    void Edit() override;
    void ExecuteVerb(int Index) override;
    AnsiString GetVerb(int Index) override;
    int GetVerbCount() override;
    // Ends the double-click's walk at HTMLTemplate, whose editor it runs.
    void EditProperty(TPropertyEditor* editor, bool& Continue, bool& FreeEditor) override;
};

VCL_UNIT(Kexpdsgn)
