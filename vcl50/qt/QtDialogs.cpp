#include "vcl50/qt/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "vcl50/Dialogs.h"
#include "vcl50/Widgetset.h"
#include "vcl50/qt/QtColors.h"
#include "vcl50/qt/QtFilters.h"

namespace QtDialogs {
namespace {

QWidget* Owner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QMessageBox::StandardButton StandardButton(int id)
{
    switch (id) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(int flags)
{
    switch (flags & 0xF0) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

std::optional<TColor> ExecuteColor(TColorDialog* dialog)
{
    QColorDialog qt(QtColors::ToQColor(dialog->Color()), Owner());
    if (qt.exec() != QDialog::Accepted)
        return std::nullopt;
    return QtColors::FromQColor(qt.selectedColor());
}

std::optional<AnsiString> ExecuteFile(TOpenDialog* dialog)
{
    bool save = Is<TSaveDialog>(dialog);
    QFileDialog qt(Owner(), QString::fromStdString(dialog->Title()));
    // Qt's own dialog: the same on every desktop and under the offscreen platform.
    qt.setOption(QFileDialog::DontUseNativeDialog);
    qt.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    TOpenOptions options = dialog->Options();
    if (save)
        qt.setOption(QFileDialog::DontConfirmOverwrite, !options.Contains(ofOverwritePrompt));
    else
        qt.setFileMode(options.Contains(ofFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);

    std::vector<std::string> filters = QtFilters::ToQtFilters(dialog->Filter());
    if (!filters.empty()) {
        QStringList names;
        for (const std::string& f : filters)
            names << QString::fromStdString(f);
        qt.setNameFilters(names);
        qt.selectNameFilter(QString::fromStdString(QtFilters::FilterForIndex(filters, dialog->FilterIndex())));
    }

    QString fileName = QString::fromStdString(dialog->FileName());
    QString folder = QString::fromStdString(dialog->InitialDir());
    QFileInfo info(fileName);
    if (folder.isEmpty() && !fileName.isEmpty() && info.path() != ".")
        folder = info.path();
    if (!folder.isEmpty())
        qt.setDirectory(folder);
    if (!fileName.isEmpty())
        qt.selectFile(info.fileName());

    if (qt.exec() != QDialog::Accepted || qt.selectedFiles().isEmpty())
        return std::nullopt;
    if (!filters.empty())
        dialog->SetFilterIndex(QtFilters::IndexOfFilter(filters, qt.selectedNameFilter().toStdString()));
    // The default extension is the dialog's to add, whichever widget set chose the name.
    return qt.selectedFiles().first().toStdString();
}

int ExecuteMessageBox(const AnsiString& text, const AnsiString& caption, int flags)
{
    QMessageBox box(IconOf(flags), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, Owner());
    std::vector<int> ids = MessageBoxButtons(flags);
    int defaultId = MessageBoxDefaultButton(flags);
    for (int id : ids) {
        QPushButton* button = box.addButton(StandardButton(id));
        if (id == defaultId)
            box.setDefaultButton(button);
    }
    // Escape and the close box answer with Cancel where there is one, else with the default.
    bool hasCancel = std::find(ids.begin(), ids.end(), IDCANCEL) != ids.end();
    box.setEscapeButton(box.button(StandardButton(hasCancel ? IDCANCEL : defaultId)));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (int id : ids)
        if (clicked && clicked == box.button(StandardButton(id)))
            return id;
    return hasCancel ? IDCANCEL : defaultId;
}

}  // namespace QtDialogs
