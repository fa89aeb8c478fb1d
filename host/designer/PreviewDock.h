#pragma once
// The Preview panel: what the selected export writes for its first records, remade a moment
// after any change that may affect it. HTML is shown as a page, XLSX and DBF as a grid of cells,
// every other format as its text in a fixed-width font; a preview that fails shows why.

#include <QCoreApplication>
#include <QDockWidget>

class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTableWidget;
class QTextBrowser;
class QTimer;
class TComponent;
class TDesignHost;

class TPreviewDock : public QDockWidget {
    Q_DECLARE_TR_FUNCTIONS(TPreviewDock)

public:
    TPreviewDock(TDesignHost& host, QWidget* parent);

    // The export to preview (null: none); remade a moment later, as after any other change.
    void Show(TComponent* component);
    // Something changed that may change the output: remade a moment later, once.
    void Changed();
    // A remake that is due happens now (a script's picture of the window waits for it).
    void Flush();

private:
    void Remake();

    TDesignHost& FHost;
    TComponent* FComponent = nullptr;
    QTimer* FTimer;
    QStackedWidget* FPages;
    QLabel* FMessage;
    QPlainTextEdit* FText;
    QTextBrowser* FPage;
    QTableWidget* FGrid;
};
