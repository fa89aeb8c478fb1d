#include "host/designer/PreviewDock.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>

#include "host/DesignHost.h"
#include "host/ExportPreview.h"

namespace {

// Long enough that typing a value makes one preview, short enough to feel immediate.
constexpr int SettleMs = 300;

}  // namespace

TPreviewDock::TPreviewDock(TDesignHost& host, QWidget* parent)
    : QDockWidget(tr("Preview"), parent), FHost(host), FTimer(new QTimer(this)), FPages(new QStackedWidget),
      FMessage(new QLabel), FText(new QPlainTextEdit), FPage(new QTextBrowser), FGrid(new QTableWidget)
{
    setObjectName("previewDock");
    FMessage->setObjectName("previewMessage");
    FMessage->setWordWrap(true);
    FMessage->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    FMessage->setMargin(8);
    FText->setObjectName("previewText");
    FText->setReadOnly(true);
    FText->setLineWrapMode(QPlainTextEdit::NoWrap);
    FText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FPage->setObjectName("previewPage");
    FPage->setOpenLinks(false);  // a preview's links lead nowhere the designer should go
    FGrid->setObjectName("previewGrid");
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->horizontalHeader()->setVisible(false);
    FGrid->setWordWrap(false);
    for (QWidget* page : {static_cast<QWidget*>(FMessage), static_cast<QWidget*>(FText),
                          static_cast<QWidget*>(FPage), static_cast<QWidget*>(FGrid)})
        FPages->addWidget(page);
    setWidget(FPages);
    // Room for the header and a dozen records under the form.
    FPages->setMinimumHeight(200);
    FTimer->setSingleShot(true);
    FTimer->setInterval(SettleMs);
    connect(FTimer, &QTimer::timeout, this, [this] { Remake(); });
    Show(nullptr);
}

void TPreviewDock::Show(TComponent* component)
{
    FComponent = component;
    Changed();
}

void TPreviewDock::Changed()
{
    FTimer->start();
}

void TPreviewDock::Flush()
{
    if (FTimer->isActive()) {
        FTimer->stop();
        Remake();
    }
}

void TPreviewDock::Remake()
{
    // Never under a running command: its package code may hold the dataset the export reads.
    if (FHost.Commands().Running()) {
        FTimer->start();
        return;
    }
    if (!FComponent || !FHost.CurrentForm() || !FHost.CurrentForm()->OnForm({FComponent}).size()) {
        FComponent = nullptr;
        FMessage->setText(tr("Select an export component to see what it writes."));
        FPages->setCurrentWidget(FMessage);
        return;
    }
    const TExportPreview preview = PreviewExport(FHost.Commands(), FComponent);
    const QString name = QString::fromStdString(FComponent->Name());
    setWindowTitle(preview.Failure.empty() ? tr("Preview: %1, first %2 records").arg(name).arg(preview.Rows)
                                           : tr("Preview: %1").arg(name));
    if (!preview.Failure.empty()) {
        FMessage->setText(tr("No preview: %1").arg(QString::fromStdString(preview.Failure)));
        FPages->setCurrentWidget(FMessage);
        return;
    }
    switch (preview.Kind) {
    case TExportPreview::pkHtml:
        FPage->setHtml(QString::fromStdString(preview.Text));
        FPages->setCurrentWidget(FPage);
        break;
    case TExportPreview::pkText:
        FText->setPlainText(QString::fromStdString(preview.Text));
        FPages->setCurrentWidget(FText);
        break;
    case TExportPreview::pkGrid: {
        size_t columns = 0;
        for (const auto& row : preview.Cells)
            columns = std::max(columns, row.size());
        FGrid->clear();
        FGrid->setRowCount(static_cast<int>(preview.Cells.size()));
        FGrid->setColumnCount(static_cast<int>(columns));
        QFont bold = FGrid->font();
        bold.setBold(true);
        for (size_t r = 0; r < preview.Cells.size(); ++r)
            for (size_t c = 0; c < preview.Cells[r].size(); ++c) {
                auto* item = new QTableWidgetItem(QString::fromStdString(preview.Cells[r][c]));
                if (r == 0)
                    item->setFont(bold);  // the titles, as the workbook's header row or the table's field names
                FGrid->setItem(static_cast<int>(r), static_cast<int>(c), item);
            }
        FGrid->resizeColumnsToContents();
        FPages->setCurrentWidget(FGrid);
        break;
    }
    }
}
