#pragma once
// The About box: the suite's name, the package's description and its version above a rule, and
// an OK button below it.

#include "package/Ownunits.h"
#include "vcl50/Buttons.h"
#include "vcl50/Canvas.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Forms.h"

class TAboutF : public TDerived<TAboutF, TForm>, public IPaintedForm {
public:
    using TDerived::TDerived;
    ~TAboutF() override;
    static TClass StaticClass();

    // Controls, filled from the form resource.
    TPanel* Panel1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;

    // The space above the rule holds no control: the box draws its texts there itself.
    void Paint(TCanvas& canvas) override;
};

// Shows a fresh About box modally and frees it when it closes, on every path.
void ShowAboutForm();

// The form's global variable: holds the About box while it is shown.
extern TAboutF* AboutF;

VCL_UNIT(Kexpabout)
