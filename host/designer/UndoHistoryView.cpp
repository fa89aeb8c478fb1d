#include "host/designer/UndoHistoryView.h"

#include <QCoreApplication>
#include <QDialog>
#include <QListWidget>

#include "host/Designer.h"
#include "host/designer/ClosableDialog.h"
#include "host/designer/ShownText.h"

void ShowUndoHistory(QWidget* parent, TDesigner& designer, const std::function<bool(bool redo)>& step)
{
    QDialog dialog(parent);
    auto* list = new QListWidget;
    // Row 0 is the form before the oldest step kept; row N is the form after step N.
    auto fill = [&] {
        list->clear();
        list->addItem(QCoreApplication::translate("UndoHistory", "(before the oldest step)"));
        const TUndoHistory& history = designer.History();
        const auto steps = history.Steps();
        for (size_t i = 0; i < steps.size(); ++i) {
            auto* item = new QListWidgetItem(ShownLabel(steps[i]->Label), list);
            if (i >= history.DoneCount())
                item->setForeground(list->palette().color(QPalette::Disabled, QPalette::Text));
        }
        list->setCurrentRow(static_cast<int>(history.DoneCount()));
    };
    fill();
    // A click jumps to the step, as Enter on it does.
    auto jump = [&](QListWidgetItem* item) {
        const size_t target = static_cast<size_t>(list->row(item));
        // Stops at a step that cannot be taken (its package gone, say), which was reported.
        while (designer.History().DoneCount() > target && step(false)) {
        }
        while (designer.History().DoneCount() < target && step(true)) {
        }
        fill();
    };
    QObject::connect(list, &QListWidget::itemClicked, &dialog, jump);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, jump);
    ExecClosableDialog(dialog, QCoreApplication::translate("UndoHistory", "Undo history"), list, {360, 420});
}
