#include "host/designer/ClosableDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

void ExecClosableDialog(QDialog& dialog, const QString& title, QWidget* view, const QSize& size)
{
    dialog.setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(size);
    dialog.exec();
}
