// The common dialogs on Qt's own, with a person (a timer here) answering them: what each shows,
// and what the model gets back.

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "tests/qt/QtFormFixture.h"
#include "vcl50/Dialogs.h"

namespace {

// Runs `act` on the first visible top-level widget of class T once the event loop has shown it.
template <class T, class F>
void WhenShown(F act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<T*>(w); dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(dialog);
                return;
            }
    });
    timer->start(5);
}

class QtDialogsTest : public QtFormTest {
protected:
    TQtWidgetSet::TMode Mode() const override { return TQtWidgetSet::TMode::Interactive; }
};

TEST_F(QtDialogsTest, ColourDialogStartsOnTheShownColourAndReturnsTheChosenOne)
{
    TColorDialog dialog(nullptr);
    dialog.SetColor(clBtnFace);
    QColor started;
    WhenShown<QColorDialog>([&](QColorDialog* qt) {
        started = qt->currentColor();
        qt->setCurrentColor(QColor(0x12, 0x34, 0x56));
        qt->accept();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(started, QColor(192, 192, 192)) << "a system colour shows as what it stands for";
    EXPECT_EQ(dialog.Color(), 0x00563412);

    WhenShown<QColorDialog>([](QColorDialog* qt) { qt->reject(); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), 0x00563412) << "a cancelled dialog keeps the colour";
}

TEST_F(QtDialogsTest, SaveDialogShowsTitleAndFilterAndTheDefaultExtensionIsAdded)
{
    QString folder = QDir::temp().filePath(QString("vcl50qt-dialogs-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(folder);
    TSaveDialog dialog(nullptr);
    dialog.SetTitle("Save template");
    dialog.SetFilter("HTML template files (*.htf)|*.htf|All files|*.*");
    dialog.SetFilterIndex(2);
    dialog.SetDefaultExt("htf");
    dialog.SetFileName((folder + "/old.htf").toStdString());
    QString title, filter, directory, typed;
    QStringList filters;
    WhenShown<QFileDialog>([&](QFileDialog* qt) {
        title = qt->windowTitle();
        filters = qt->nameFilters();
        filter = qt->selectedNameFilter();
        directory = qt->directory().absolutePath();
        typed = qt->findChild<QLineEdit*>("fileNameEdit")->text();
        qt->selectNameFilter(filters.first());
        qt->selectFile(folder + "/scheme");
        QMetaObject::invokeMethod(qt, "accept");  // as the Save button does
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(title, "Save template");
    EXPECT_EQ(filters, (QStringList{"HTML template files (*.htf)", "All files (*.*)"}));
    EXPECT_EQ(filter, "All files (*.*)") << "FilterIndex 2";
    EXPECT_EQ(directory, QDir(folder).absolutePath());
    EXPECT_EQ(typed, "old.htf");
    EXPECT_EQ(dialog.FileName(), (folder + "/scheme.htf").toStdString());
    EXPECT_EQ(dialog.FilterIndex(), 1) << "the filter the person chose";

    WhenShown<QFileDialog>([](QFileDialog* qt) { qt->reject(); });
    EXPECT_FALSE(dialog.Execute());
    QDir(folder).removeRecursively();
}

TEST_F(QtDialogsTest, MessageBoxesCarryTheApplicationTitleAndReturnTheButtonPressed)
{
    QString caption, text;
    WhenShown<QMessageBox>([&](QMessageBox* qt) {
        caption = qt->windowTitle();
        text = qt->text();
        qt->button(QMessageBox::Ok)->click();
    });
    ShowMessage("Template saved");
    EXPECT_EQ(caption, QString::fromStdString(Application->Title()));
    EXPECT_EQ(text, "Template saved");

    WhenShown<QMessageBox>([](QMessageBox* qt) { qt->button(QMessageBox::No)->click(); });
    EXPECT_EQ(Application->MessageBox("Replace?", "Question", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    WhenShown<QMessageBox>([](QMessageBox* qt) { qt->reject(); });
    EXPECT_EQ(Application->MessageBox("Replace?", "Question", MB_YESNOCANCEL), IDCANCEL)
        << "closing the box is Cancel where there is one";
}

TEST_F(QtDialogsTest, AnswersQueuedForTheSessionShowNoDialog)
{
    // A queued answer is taken before the widget set is asked: no Qt dialog, no timer needed.
    Interaction::QueueAnswer(TDialogAnswer::ColorValue(clRed));
    TColorDialog dialog(nullptr);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), clRed);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<QColorDialog*>(w), nullptr);
}

}  // namespace
