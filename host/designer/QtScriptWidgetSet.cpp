#include "host/designer/QtScriptWidgetSet.h"

#include "vcl50/qt/QtWidgetSet.h"

TQtScriptWidgetSet::~TQtScriptWidgetSet() = default;

void TQtScriptWidgetSet::Screenshot(TCustomForm* form, const AnsiString& path)
{
    TQtWidgetSet::Screenshot(form, path);
}
