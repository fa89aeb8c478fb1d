#include "host/designer/PackagesDialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHeaderView>
#include <QTableWidget>
#include <filesystem>

#include "host/DesignHost.h"
#include "host/designer/ClosableDialog.h"

void ShowPackagesDialog(QWidget* parent, const TDesignHost& host)
{
    const std::vector<TPackageRecord>& report = host.PackageReport();
    QDialog dialog(parent);
    auto* table = new QTableWidget(static_cast<int>(report.size()), 3);
    table->setHorizontalHeaderLabels({QCoreApplication::translate("PackagesDialog", "Package"),
                                      QCoreApplication::translate("PackagesDialog", "State"),
                                      QCoreApplication::translate("PackagesDialog", "Reason")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < static_cast<int>(report.size()); ++row) {
        const TPackageRecord& record = report[row];
        auto* file = new QTableWidgetItem(QString::fromStdString(std::filesystem::path(record.Path).filename().string()));
        // The whole path where the name alone may not tell two files apart.
        file->setToolTip(QString::fromStdString(record.Path));
        table->setItem(row, 0, file);
        table->setItem(row, 1, new QTableWidgetItem(record.Failure.empty()
                                                           ? QCoreApplication::translate("PackagesDialog", "loaded")
                                                           : QCoreApplication::translate("PackagesDialog", "failed")));
        auto* reason = new QTableWidgetItem(QString::fromStdString(record.Failure));
        reason->setToolTip(reason->text());
        table->setItem(row, 2, reason);
    }
    table->resizeColumnsToContents();
    ExecClosableDialog(dialog, QCoreApplication::translate("PackagesDialog", "Packages"), table, {760, 320});
}
