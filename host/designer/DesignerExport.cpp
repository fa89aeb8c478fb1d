// Component > Export: the selected export components run with their settings as they stand, with
// a progress dialog that can cancel, an error box when one fails (its old file kept), and a line
// in the status bar that links to the file written. Component > Test export dialog: the selected
// export dialog runs as the application would run it, and says what it wrote the same way.
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <climits>

#include "host/designer/DesignSurface.h"
#include "host/designer/DesignerWindow.h"
#include "host/designer/PreviewDock.h"
#include "vcl50/Messagebox.h"
#include "vcl50/Widgetset.h"
#include "rowcastb5/Kexportdlg.h"

namespace {

// Counts as people read them here; the C locale groups none, so it reads as English.
QString Count(int64_t n)
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    return locale.toString(static_cast<qlonglong>(n));
}

// "1,234 rows written to <a>orders.html</a>", linked to open the file; or copied to the clipboard.
QString WrittenText(const TExportResult& result)
{
    const QString rows = (result.Rows == 1 ? TDesignerWindow::tr("%1 row") : TDesignerWindow::tr("%1 rows"))
                             .arg(Count(result.Rows));
    if (result.Destination == "clipboard")
        return TDesignerWindow::tr("%1 copied to the clipboard").arg(rows);
    const QFileInfo file(QString::fromStdString(result.Destination));
    return TDesignerWindow::tr("%1 written to <a href=\"%2\">%3</a>")
        .arg(rows, QUrl::fromLocalFile(file.absoluteFilePath()).toString(), file.fileName().toHtmlEscaped());
}

// The one export dialog selected, else null.
TKExportDialog* SelectedDialog(const std::vector<TComponent*>& selection)
{
    return selection.size() == 1 ? dynamic_cast<TKExportDialog*>(selection[0]) : nullptr;
}

}  // namespace

void TDesignerWindow::BuildExportActions(QMenu* component)
{
    FExportAction = component->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("&Export"),
                                         QKeySequence(Qt::CTRL | Qt::Key_E), this, [this] { ExportSelection(); });
    FExportAction->setObjectName("exportAction");
    FExportAction->setEnabled(false);  // until an export is selected
    FExportAction->setStatusTip(tr("Run the selected export components with their settings and write their files"));
    QToolBar* tools = addToolBar(tr("Export"));
    tools->setObjectName("exportToolBar");
    tools->addAction(FExportAction);
    FExportLink = new QLabel;
    FExportLink->setObjectName("exportLink");
    FExportLink->setTextFormat(Qt::RichText);
    connect(FExportLink, &QLabel::linkActivated, this, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
    statusBar()->addPermanentWidget(FExportLink);
    FTestDialogAction = component->addAction(tr("&Test export dialog"), this, [this] { TestExportDialog(); });
    FTestDialogAction->setObjectName("testExportDialogAction");
    FTestDialogAction->setEnabled(false);  // until an export dialog is selected
    FTestDialogAction->setStatusTip(tr("Run the selected export dialog on its dataset, as the application would"));
    component->addSeparator();
}

void TDesignerWindow::UpdateExportAction()
{
    bool any = false;
    for (TComponent* c : FHost.CurrentForm() ? FSurface->SelectedComponents() : std::vector<TComponent*>())
        any |= dynamic_cast<TKExport*>(c) != nullptr;
    FExportAction->setEnabled(any);
    FTestDialogAction->setEnabled(FHost.CurrentForm() && SelectedDialog(FSurface->SelectedComponents()));
}

void TDesignerWindow::TestExportDialog()
{
    TKExportDialog* dialog = FHost.CurrentForm() ? SelectedDialog(FSurface->SelectedComponents()) : nullptr;
    if (!dialog)
        return;
    FExportLink->clear();
    if (std::optional<TExportResult> exported = Commands().ExecuteDialog(dialog))
        FExportLink->setText(WrittenText(*exported));
}

void TDesignerWindow::PreviewSelection()
{
    TComponent* shown = nullptr;
    for (TComponent* c : FHost.CurrentForm() ? FSurface->SelectedComponents() : std::vector<TComponent*>())
        if (!shown && dynamic_cast<TKExport*>(c))
            shown = c;
    FPreview->Show(shown);
}

void TDesignerWindow::ExportSelection()
{
    if (!FHost.CurrentForm())
        return;
    for (TComponent* component : FSurface->SelectedComponents())
        if (dynamic_cast<TKExport*>(component))
            FLastExport = ExportOne(component);
}

TDesignerCommands::TExportOutcome TDesignerWindow::ExportOne(TComponent* component)
{
    const QString name = QString::fromStdString(component->Name());
    QProgressDialog progress(tr("Exporting %1...").arg(name), tr("Cancel"), 0, 0, this);
    progress.setWindowTitle(tr("Export"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);  // a quick export shows no dialog at all
    TExportOptions options;
    options.OnProgress = [&](int64_t done, int64_t total) {
        if (total > 0 && total <= INT_MAX) {
            progress.setMaximum(static_cast<int>(total));
            progress.setValue(static_cast<int>(std::min(done, total)));
        } else {
            progress.setValue(0);  // a busy bar: the total is unknown
        }
        progress.setLabelText(tr("Exporting %1: %2 records").arg(name, Count(done)));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    // Through the widget set's message box, No the default: a script traces it and starts nothing.
    options.ConfirmProgram = [&](const AnsiString& program) {
        const QString text = tr("%1 names a program to show the clipboard with:\n\n%2\n\nStart it? A form file from "
                                "elsewhere can name any program: start it only if you trust the form.")
                                 .arg(QString::fromStdString(component->Name()), QString::fromStdString(program));
        return WidgetSet().MessageBox(text.toStdString(), tr("Export").toStdString(),
                                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    };
    FExportLink->clear();
    TDesignerCommands::TExportOutcome outcome = Commands().Export(component, options);
    progress.reset();
    if (!outcome.Result) {
        statusBar()->showMessage(tr("%1 was not exported").arg(name));
        if (!FScripted)
            QMessageBox::critical(this, tr("Export"), tr("%1 was not exported; its file keeps what it held.\n\n%2")
                                                      .arg(name, QString::fromStdString(outcome.Failure)));
        return outcome;
    }
    statusBar()->clearMessage();
    FExportLink->setText(WrittenText(*outcome.Result));
    return outcome;
}
