#include "vcl50/qt/QtWidgetSet.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "vcl50/Answering.h"
#include "vcl50/Dialogs.h"
#include "vcl50/Forms.h"
#include "vcl50/Input.h"
#include "vcl50/qt/QtBridge.h"
#include "vcl50/qt/QtControlPeers.h"
#include "vcl50/qt/QtDialogs.h"
#include "vcl50/qt/QtFonts.h"
#include "vcl50/qt/QtFormPeer.h"
#include "vcl50/qt/QtModalLoop.h"
#include "vcl50/qt/QtScreenshot.h"

namespace {

// An exception that nothing caught must not leave the event loop: Qt cannot unwind through its
// dispatch, and the program would end with the person's work. It is reported as the platform
// reports one from an event handler (an error box); a script's own error goes to its modal loop.
class TGuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const EInteractionError&) {
            QtBridge::Keep(std::current_exception());
        } catch (const std::exception& e) {
            Report(e);
        } catch (...) {
            Report(std::runtime_error("an unknown exception"));
        }
        return false;
    }

private:
    static void Report(const std::exception& e)
    {
        try {
            Application->HandleException(nullptr, e);
        } catch (...) {
            QtBridge::Keep(std::current_exception());
        }
    }
};

}  // namespace

TQtWidgetSet::TQtWidgetSet(TMode mode) : FMode(mode)
{
    EnsureApplication();
}

TQtWidgetSet::~TQtWidgetSet() = default;

// The offscreen platform says what it cannot do (raise, grab the keyboard) on every occasion;
// a script's standard error is part of its trace and must not carry that.
static QtMessageHandler PreviousMessageHandler = nullptr;

static void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("This plugin does not support"))
        return;
    if (PreviousMessageHandler)
        PreviousMessageHandler(type, context, message);
    else
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void TQtWidgetSet::EnsureApplication()
{
    if (!qApp) {
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (!std::getenv("XDG_RUNTIME_DIR")) {
            // Qt warns without one; a folder of the user's own does as well as the session's.
            std::string folder = "/tmp/runtime-" + std::to_string(getuid());
            if (mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST)
                setenv("XDG_RUNTIME_DIR", folder.c_str(), 0);
        }
        static int argc = 1;
        static char name[] = "vcl50qt";
        static char* argv[] = {name, nullptr};
        new TGuardedApplication(argc, argv);  // lives as long as the process
    }
    QtFonts::InstallSubstitutions();
    static bool styled = false;
    if (!styled) {
        styled = true;
        PreviousMessageHandler = qInstallMessageHandler(FilterMessages);
        // One style everywhere, so forms look (and screenshots come out) alike on every desktop.
        if (QStyle* fusion = QStyleFactory::create("Fusion"))
            QApplication::setStyle(fusion);
    }
}

std::unique_ptr<TControlPeer> TQtWidgetSet::CreatePeer(TControl* control)
{
    // A form with no parent is a window of its own, not a control on one.
    if (auto* form = dynamic_cast<TCustomForm*>(control); form && !form->Parent()) {
        auto peer = std::make_unique<QtFormPeer>(form);
        peer->Synchronize();
        return peer;
    }
    QWidget* parent = QtPeer::WidgetOf(control->Parent());
    if (!parent)
        return nullptr;  // the parent has no Qt widget: nothing to show it on
    std::unique_ptr<QtPeer> peer = QtControlPeers::Create(control, parent);
    if (QtFormPeer* formPeer = QtFormPeer::Of(GetParentForm(control)))
        formPeer->WatchKeys(peer->Widget());
    peer->Synchronize();
    return peer;
}

void TQtWidgetSet::RunModal(TCustomForm* form)
{
    Interaction::TModalHandler handler = Answering::ModalHandler(form, FMode == TMode::Interactive);

    std::exception_ptr error;
    {
        QtModalLoop loop(form);
        if (handler) {
            // Once the window is up: the handler acts on real widgets, as a person would.
            QTimer::singleShot(0, loop.Context(), [form, handler = std::move(handler)] {
                QtBridge::Deliver(form, [form, &handler] { Answering::RunModalHandler(handler, form); });
                QtModalLoop::CheckInnermost(QtBridge::HasPending());
            });
        }
        loop.Exec();
        error = QtBridge::TakePending();
    }
    // Only the innermost loop closes its form, so a result that code set on the form of the loop
    // returned to has waited until now.
    QtBridge::CheckSoon();

    if (error)
        std::rethrow_exception(error);
    if (!Input::IsAlive(form))
        throw EInteractionError("The modal form was freed while it was shown");
}

std::optional<TColor> TQtWidgetSet::ExecuteColorDialog(TColorDialog* dialog)
{
    Answering::TPerson<TColor> person;
    if (FMode == TMode::Interactive)
        person = [dialog] { return QtDialogs::ExecuteColor(dialog); };
    return Answering::ColorDialog(person);
}

std::optional<AnsiString> TQtWidgetSet::ExecuteFileDialog(TOpenDialog* dialog)
{
    Answering::TPerson<AnsiString> person;
    if (FMode == TMode::Interactive)
        person = [dialog] { return QtDialogs::ExecuteFile(dialog); };
    return Answering::FileDialog(Is<TSaveDialog>(dialog), person);
}

int TQtWidgetSet::MessageBox(const AnsiString& text, const AnsiString& caption, int flags)
{
    if (FMode == TMode::Scripted)
        return MessageBoxDefaultButton(flags);
    return QtDialogs::ExecuteMessageBox(text, caption, flags);
}

void TQtWidgetSet::ProcessMessages()
{
    QCoreApplication::processEvents();
}

AnsiString TQtWidgetSet::ClipboardText() const
{
    return QGuiApplication::clipboard()->text().toStdString();
}

AnsiString TQtWidgetSet::ClipboardHtml() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasHtml() ? data->html().toStdString() : AnsiString();
}

void TQtWidgetSet::SetClipboard(const AnsiString& text, const AnsiString& html)
{
    auto* data = new QMimeData;  // the clipboard takes it
    data->setText(QString::fromStdString(text));
    if (!html.empty())
        data->setHtml(QString::fromStdString(html));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TQtWidgetSet::Screenshot(TCustomForm* form, const AnsiString& path)
{
    QWidget* window = QtPeer::WidgetOf(form);
    if (!window)
        throw EInvalidOperation(Format("%s is not shown", {form->ClassName()}));
    QtScreenshot::SavePng(window, form->ClientWidth(), form->ClientHeight(), path);
}
