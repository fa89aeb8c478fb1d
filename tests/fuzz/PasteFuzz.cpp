// Clipboard text pasted onto a designed form, as Edit > Paste does, with the package loaded so
// that its exports can be pasted, onto a dataset and an export already on the form. A paste that
// fails must leave no undo step; one that succeeds must read back from the form's text (redo)
// and go again (undo).
#include <cstdlib>

#include "host/DesignHost.h"
#include "tests/fuzz/FuzzInput.h"
#include "vcl50/Sysutils.h"

namespace {

TDesigner& DesignedForm(TDesignHost& host)
{
    host.RegisterPackage(host.LoadPackage(PACKAGE_FILE));
    TDesigner& form = host.NewForm("ShopForm");
    form.PasteComponents("object Orders: TSQLiteDataSet\n  TableName = 'orders'\nend\n"
                         "object HtmlOut: TKHTMLExport\n  DataSet = Orders\n  Left = 24\nend\n");
    return form;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Never destroyed: unloading the package at exit would run after the runtime's own statics,
    // made later while loading it, are gone.
    static TDesignHost& host = *new TDesignHost;
    static TDesigner& form = DesignedForm(host);
    const size_t steps = form.History().DoneCount();
    try {
        form.PasteComponents(InputText(data, size));
    } catch (const EReadError&) {
        if (form.History().DoneCount() != steps)
            std::abort();
        return 0;
    }
    if (!form.Undo() || !form.Redo() || !form.Undo())
        std::abort();
    return 0;
}
