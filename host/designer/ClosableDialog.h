#pragma once
// The frame of the window's small viewer dialogs: a titled dialog holding one view above a Close
// button.
class QDialog;
class QString;
class QSize;
class QWidget;

// Lays `view` out in `dialog` with a Close button, sizes the dialog and runs it modally.
void ExecClosableDialog(QDialog& dialog, const QString& title, QWidget* view, const QSize& size);
