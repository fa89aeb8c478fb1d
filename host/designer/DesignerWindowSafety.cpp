// The designer window's package menu items and its autosave and recovery.

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include "host/CallFailure.h"
#include "host/designer/DesignerWindow.h"
#include "host/designer/PackagesDialog.h"
#include "host/designer/PaletteBar.h"

namespace {

// A person loses at most this much work to a crash.
constexpr int AutosaveInterval = 60 * 1000;

}  // namespace

bool TDesignerWindow::Install(const std::string& path)
{
    const bool installed = Commands().Install(path);
    FPalette->Rebuild(FHost.Registry());
    return installed;
}

void TDesignerWindow::InstallWithDialog()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Install package"), QString(),
                                                      tr("Packages (*.so);;All files (*)"));
    if (path.isEmpty())
        return;
    WithFailureContext(tr("The package %1 could not be installed:\n%2\n\nThe palette keeps what it had; Component > "
                          "Packages lists every package with the reason it failed.")
                           .arg(path, "%1"),
                       [&] { Install(path.toStdString()); });
}

void TDesignerWindow::ShowPackages()
{
    ShowPackagesDialog(this, FHost);
}

void TDesignerWindow::StartAutosave()
{
    // A script autosaves when it says so: its traces do not depend on the clock.
    if (FScripted)
        return;
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
        try {
            FHost.Autosave().Write(FHost.Forms());
        } catch (...) {
            // Said where it does not stop the person's work; the next minute tries again.
            statusBar()->showMessage(tr("Autosave failed: %1").arg(QString::fromStdString(CaughtFailure().Text())));
        }
    });
    timer->start(AutosaveInterval);
}

void TDesignerWindow::OfferRecovery()
{
    if (!FHost.Autosave().HasOrphans())
        return;
    const auto answer = QMessageBox::question(
        this, QCoreApplication::applicationName(),
        tr("The designer did not end cleanly last time and kept forms that were not saved.\nRecover them?"));
    if (answer != QMessageBox::Yes)
        return;
    TDesigner* before = FHost.CurrentForm();
    QStringList failures;
    for (const TDesignerCommands::TRecovery& recovery : Commands().Recover())
        if (recovery.Failure)
            failures << QString::fromStdString(recovery.Failure->Text());
    // The window shows one form: an untouched new one gives way to what came back. A form that
    // came back under its name has freed it already.
    for (const auto& form : FHost.Forms())
        if (form.get() == before && before != FHost.CurrentForm() && !before->IsModified()) {
            FHost.CloseForm(*before);
            break;
        }
    Sync();
    if (!failures.isEmpty())
        QMessageBox::warning(this, QCoreApplication::applicationName(),
                             tr("These forms could not be recovered; their files are kept in the state folder:\n%1")
                                 .arg(failures.join("\n")));
}
