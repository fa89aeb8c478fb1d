#pragma once
// What a designer script needs of the Qt widget set beyond the input calls: screenshots.

#include "host/ScriptRunner.h"

class TQtScriptWidgetSet : public TScriptWidgetSet {
public:
    ~TQtScriptWidgetSet() override;
    void Screenshot(TCustomForm* form, const AnsiString& path) override;
};
