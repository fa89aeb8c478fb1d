// The designer window under real mouse and key events (QTest), as a person uses it: the keyboard
// after a click in the inspector, values typed into rows and committed by leaving them, drags
// kept on the form and keeping their spacing, the shortcuts, the palette.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <functional>

#include "host/DesignHost.h"
#include "host/PropertyText.h"
#include "host/designer/DesignSurface.h"
#include "host/designer/DesignerWindow.h"
#include "host/designer/PaletteBar.h"
#include "tests/TempFolder.h"
#include "tests/qt/QtTestApp.h"
#include "vcl50/Forms.h"
#include "vcl50/Input.h"
#include "vcl50/Interaction.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/Typinfo.h"
#include "vcl50/qt/QtWidgetSet.h"

namespace fs = std::filesystem;

namespace {

// The window on the sample form, the package registered, shown offscreen.
class Designer {
public:
    Designer() : Folder("designer-input")
    {
        setenv("XDG_CONFIG_HOME", (Folder.Path() / "config").c_str(), 1);
        setenv("XDG_STATE_HOME", (Folder.Path() / "state").c_str(), 1);
        TestApp();
        SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
        Host = std::make_unique<TDesignHost>();
        HMODULE package = Host->LoadPackage(PACKAGE_FILE);
        Host->RegisterPackage(package);
        Window = std::make_unique<TDesignerWindow>(*Host, PACKAGE_FILE, package, true);
        fs::copy_file(fs::path(EXAMPLES_DIR) / "shop.dfm", Folder.Path() / "shop.dfm");
        Window->NewFile();
        Window->OpenFile(QString::fromStdString((Folder.Path() / "shop.dfm").string()));
        Window->show();
        Window->activateWindow();
        QApplication::processEvents();
    }
    ~Designer()
    {
        Window.reset();
        Host.reset();
        SetWidgetSet(nullptr);
    }

    TDesignSurface* Surface() const { return Window->findChild<TDesignSurface*>("designSurface"); }
    QTreeWidget* Tree() const { return Window->findChild<QTreeWidget*>("inspectorTree"); }
    TDesigner& Form() const { return *Host->CurrentForm(); }
    TComponent* Component(const char* name) const { return Form().GetComponent(name); }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    AnsiString Stored(const char* name, const char* prop) const
    {
        return PropertyText(Component(name), GetPropInfo(Component(name), prop));
    }

    void ClickTile(const char* name, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(Surface(), Qt::LeftButton, modifiers, Surface()->ReachableSpot(Component(name)));
        Settle();
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(Surface(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(Surface(), (from + to) / 2);
        QTest::mouseMove(Surface(), to);
        QTest::mouseRelease(Surface(), Qt::LeftButton, modifiers, to);
    }
    // A click on the row's value cell, which opens its editor.
    void ClickValue(const char* row)
    {
        const QList<QTreeWidgetItem*> items = Tree()->findItems(row, Qt::MatchExactly, 0);
        ASSERT_EQ(items.size(), 1) << row;
        Tree()->scrollToItem(items[0]);
        const QPoint at = Tree()->visualItemRect(items[0]).center() + QPoint(Tree()->columnWidth(0) / 2, 0);
        // Where the row's editor is open, the click lands on it, as a real one does.
        QWidget* target = Tree()->viewport()->childAt(at);
        target = target ? target : Tree()->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(Tree()->viewport(), at));
        Settle();
    }
    // Replaces the focused editor's text as a person does: select all, type.
    void Type(const QString& text)
    {
        QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Focus(), text);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(Focus(), static_cast<Qt::Key>(key), modifiers);
        Settle();
    }
    // What the event loop does between a person's gestures: posted events, deferred deletes.
    static void Settle()
    {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TTempFolder Folder;
    std::unique_ptr<TDesignHost> Host;
    std::unique_ptr<TDesignerWindow> Window;
};

struct TInputCase {
    const char* What;
    std::function<void(Designer&)> Run;
};

}  // namespace

TEST(DesignerInput, APersonsMouseAndKeys)
{
    const TInputCase cases[] = {
        {"a click on the surface takes the keyboard from the inspector",
         [](Designer& d) {
             d.ClickTile("HtmlOut");
             d.ClickValue("Tag");
             EXPECT_TRUE(qobject_cast<QLineEdit*>(d.Focus())) << "the value's editor has the keyboard";
             d.ClickTile("SqlOut");
             EXPECT_EQ(d.Focus(), d.Surface());
             EXPECT_EQ(d.Window->statusBar()->currentMessage(), "SqlOut: TKSQLExport at 216, 168");
             d.Key(Qt::Key_Delete);
             EXPECT_EQ(d.Component("SqlOut"), nullptr);
             d.Key(Qt::Key_Z, Qt::ControlModifier);
             EXPECT_NE(d.Component("SqlOut"), nullptr);
             d.Key(Qt::Key_Y, Qt::ControlModifier);
             EXPECT_EQ(d.Component("SqlOut"), nullptr) << "Ctrl+Y redoes";
         }},
        {"undoing back to the saved form takes the unsaved mark away",
         [](Designer& d) {
             EXPECT_FALSE(d.Window->isWindowModified());
             d.ClickTile("SqlOut");
             d.Key(Qt::Key_Delete);
             EXPECT_TRUE(d.Window->isWindowModified());
             d.Key(Qt::Key_Z, Qt::ControlModifier);
             EXPECT_FALSE(d.Window->isWindowModified());
             d.Key(Qt::Key_Y, Qt::ControlModifier);
             EXPECT_TRUE(d.Window->isWindowModified());
         }},
        {"a value typed into a drop-down row is set, or refused with the old one shown",
         [](Designer& d) {
             d.ClickTile("HtmlOut");
             d.ClickValue("DataSet");
             d.Type("Orders");
             d.Key(Qt::Key_Return);
             EXPECT_EQ(d.Stored("HtmlOut", "DataSet"), "Orders");
             d.ClickValue("DataSet");
             d.Type("banana");
             d.Key(Qt::Key_Return);
             EXPECT_EQ(d.Stored("HtmlOut", "DataSet"), "Orders");
             ASSERT_TRUE(d.Host->Commands().LastFailure());
             EXPECT_EQ(d.Host->Commands().LastFailure()->Message, "Invalid property value");
         }},
        {"leaving a row commits what was typed; Escape throws it away",
         [](Designer& d) {
             d.ClickTile("HtmlOut");
             d.ClickValue("Tag");
             d.Type("42");
             d.Key(Qt::Key_Tab);
             EXPECT_EQ(d.Stored("HtmlOut", "Tag"), "42") << "Tab";
             d.ClickValue("Tag");
             d.Type("43");
             d.ClickValue("Name");

             EXPECT_EQ(d.Stored("HtmlOut", "Tag"), "43") << "a click on another row";
             d.ClickValue("Tag");
             d.Type("44");
             d.ClickTile("SqlOut");
             EXPECT_EQ(d.Stored("HtmlOut", "Tag"), "44") << "another selection";
             d.ClickValue("Tag");
             d.Type("45");
             d.Key(Qt::Key_Escape);
             d.ClickTile("HtmlOut");
             EXPECT_EQ(d.Stored("SqlOut", "Tag"), "0") << "Escape";
         }},
        {"a tile dragged past the form's edge stays on the form",
         [](Designer& d) {
             TComponent* html = d.Component("HtmlOut");
             const QPoint from = d.Surface()->ReachableSpot(html);
             d.Drag(from, from + QPoint(2000, 2000));
             const TSurfacePoint size = TSurfaceGeometry(d.Form()).ClientSize();
             EXPECT_LE(html->DesignLeft() + TSurfaceGeometry::TileSize, size.X);
             EXPECT_LE(html->DesignTop() + TSurfaceGeometry::TileSize, size.Y);
             d.Key(Qt::Key_Right);
             EXPECT_LE(html->DesignLeft() + TSurfaceGeometry::TileSize, size.X) << "the arrow keys too";
         }},
        {"a group drag keeps the spacing: the grabbed tile snaps, the others follow",
         [](Designer& d) {
             d.Host->Commands().MoveTo(d.Component("HtmlOut"), 200, 10);
             d.Host->Commands().MoveTo(d.Component("SqlOut"), 268, 10);
             d.Host->Commands().MoveTo(d.Component("CsvOut"), 336, 10);
             d.ClickTile("HtmlOut");
             d.ClickTile("SqlOut", Qt::ControlModifier);
             d.ClickTile("CsvOut", Qt::ControlModifier);
             const QPoint from = d.Surface()->ReachableSpot(d.Component("SqlOut"));
             d.Drag(from, from + QPoint(11, 5));
             // The grabbed one from 268,10 by 11,5 lands on the grid at 280,16; the others keep 68 apart.
             EXPECT_EQ(d.Component("SqlOut")->DesignLeft(), 280);
             EXPECT_EQ(d.Component("SqlOut")->DesignTop(), 16);
             EXPECT_EQ(d.Component("HtmlOut")->DesignLeft(), 212);
             EXPECT_EQ(d.Component("CsvOut")->DesignLeft(), 348);
             EXPECT_EQ(d.Component("CsvOut")->DesignTop(), 16);
         }},
        {"the form's size is dragged at its edges, and undone",
         [](Designer& d) {
             auto* form = As<TControl>(d.Form().GetRoot());
             // The surface draws the client area inside a 4 point border and a 22 point caption.
             const QPoint corner(4 + 504, 4 + 22 + 240);
             d.Drag(corner, corner + QPoint(40, 30));
             EXPECT_EQ(form->ClientWidth(), 544);
             EXPECT_EQ(form->ClientHeight(), 270);
             EXPECT_EQ(d.Form().History().NextUndo().Label, "Resize ShopForm");
             d.Key(Qt::Key_Z, Qt::ControlModifier);
             EXPECT_EQ(As<TControl>(d.Form().GetRoot())->ClientWidth(), 504);
             const QPoint right(4 + 504, 100);
             d.Drag(right, right - QPoint(2000, 0));
             EXPECT_EQ(As<TControl>(d.Form().GetRoot())->ClientWidth(), TSurfaceGeometry::TileSize) << "at least a tile";
             EXPECT_EQ(As<TControl>(d.Form().GetRoot())->ClientHeight(), 240);
         }},
        {"Escape lets go of a palette button, as the pointer button does",
         [](Designer& d) {
             auto* palette = d.Window->findChild<TPaletteBar*>("palette");
             QToolButton* button = palette->Button(d.Component("HtmlOut")->ClassType());
             palette->setCurrentWidget(button->parentWidget());
             QTest::mouseClick(button, Qt::LeftButton);
             EXPECT_NE(palette->ChosenClass(), nullptr);
             d.Key(Qt::Key_Escape);
             EXPECT_EQ(palette->ChosenClass(), nullptr);
             QTest::mouseClick(button, Qt::LeftButton);
             QTest::mouseClick(d.Window->findChild<QToolButton*>("pointerButton"), Qt::LeftButton);
             EXPECT_EQ(palette->ChosenClass(), nullptr);
         }},
        {"Escape closes the About box",
         [](Designer& d) {
             bool escaped = false;
             QTimer::singleShot(0, [&] {
                 if (QWidget* box = QApplication::activeModalWidget()) {
                     QTest::keyClick(box, Qt::Key_Escape);
                     escaped = !box->isVisible();
                     box->close();  // so that a box Escape left open ends the test all the same
                 }
             });
             d.Window->findChild<QAction*>("aboutAction")->trigger();
             EXPECT_TRUE(escaped);
         }},
        {"a class dragged from the palette lands where it is dropped",
         [](Designer& d) {
             auto* palette = d.Window->findChild<TPaletteBar*>("palette");
             TComponentClass cls = d.Component("XmlOut")->ClassType();
             QToolButton* button = palette->Button(cls);
             palette->setCurrentWidget(button->parentWidget());
             const int before = d.Form().GetRoot()->ComponentCount();
             const QPoint drop = button->mapFromGlobal(d.Surface()->mapToGlobal(QPoint(300, 250)));
             QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
             QTest::mouseMove(button, QPoint(40, 40));
             QTest::mouseMove(button, drop);
             QTest::mouseRelease(button, Qt::LeftButton, {}, drop);
             QApplication::processEvents();
             ASSERT_EQ(d.Form().GetRoot()->ComponentCount(), before + 1);
             TComponent* placed = d.Form().GetRoot()->Components(before);
             EXPECT_EQ(placed->ClassType(), cls);
             EXPECT_EQ(d.Surface()->TileRect(placed).center().x() / 8, (QPoint(300, 250).x()) / 8);
             EXPECT_EQ(palette->ChosenClass(), nullptr);
         }},
        {"the Edit menu's items act on the selection and are greyed out where they cannot",
         [](Designer& d) {
             auto action = [&](const char* name) { return d.Window->findChild<QAction*>(name); };
             QTest::mouseClick(d.Surface(), Qt::LeftButton, {}, QPoint(d.Surface()->width() - 20, d.Surface()->height() - 20));
             ASSERT_EQ(d.Form().Selection(), TDesignerSelectionList{d.Form().GetRoot()});
             for (const char* name : {"cutAction", "copyAction", "deleteAction"})
                 EXPECT_FALSE(action(name)->isEnabled()) << name << " with the form selected";
             d.ClickTile("HtmlOut");
             for (const char* name : {"cutAction", "copyAction", "deleteAction", "selectAllAction"})
                 EXPECT_TRUE(action(name)->isEnabled()) << name;
             action("copyAction")->trigger();
             EXPECT_TRUE(action("pasteAction")->isEnabled());
             action("deleteAction")->trigger();
             EXPECT_EQ(d.Component("HtmlOut"), nullptr);
             action("selectAllAction")->trigger();
             EXPECT_GT(d.Form().Selection().size(), 5u);
         }},
        {"Ctrl+E exports the selected export, its file beside the form, and no edit is made",
         [](Designer& d) {
             const fs::path folder = d.Folder.Path();
             ASSERT_EQ(std::system(("sqlite3 '" + (folder / "shop.db").string() + "' < '" +
                                    (fs::path(EXAMPLES_DIR) / "shop.sql").string() + "'").c_str()), 0);
             auto* exportAction = d.Window->findChild<QAction*>("exportAction");
             d.ClickTile("Orders");
             EXPECT_FALSE(exportAction->isEnabled()) << "a dataset is no export";
             d.ClickTile("CsvOut");
             ASSERT_TRUE(exportAction->isEnabled());
             QTest::keyClick(d.Surface(), Qt::Key_E, Qt::ControlModifier);
             d.Settle();
             EXPECT_TRUE(fs::exists(folder / "orders.csv"));
             EXPECT_FALSE(d.Form().IsModified());
             EXPECT_NE(d.Window->findChild<QLabel*>("exportLink")->text().indexOf("5 rows written to"), -1);
         }},
        {"a long export shows its progress; Cancel pressed in the middle keeps the old file",
         [](Designer& d) {
             const fs::path folder = d.Folder.Path();
             const std::string make = "sqlite3 '" + (folder / "shop.db").string() +
                                      "' \"CREATE TABLE orders AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                      "SELECT i + 1 FROM n WHERE i < 3000000) SELECT i AS id, 'note ' || i AS note FROM n\"";
             ASSERT_EQ(std::system(make.c_str()), 0);
             std::ofstream(folder / "orders.csv") << "the old file\n";
             bool cancelled = false;
             QTimer poll;
             QObject::connect(&poll, &QTimer::timeout, [&] {
                 auto* progress = d.Window->findChild<QProgressDialog*>();
                 if (progress && progress->isVisible() && !cancelled) {
                     QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                     cancelled = true;
                 }
             });
             poll.start(50);
             d.ClickTile("CsvOut");
             QTest::keyClick(d.Surface(), Qt::Key_E, Qt::ControlModifier);
             EXPECT_TRUE(cancelled) << "the progress dialog showed";
             std::ifstream old(folder / "orders.csv");
             EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "the old file\n");
             for (const auto& entry : fs::directory_iterator(folder))
                 EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();
             EXPECT_NE(d.Window->statusBar()->currentMessage().indexOf("CsvOut was not exported"), -1);
         }},
        {"Component > Test export dialog runs the selected dialog on its dataset as the application would",
         [](Designer& d) {
             const fs::path folder = d.Folder.Path();
             ASSERT_EQ(std::system(("sqlite3 '" + (folder / "shop.db").string() + "' < '" +
                                    (fs::path(EXAMPLES_DIR) / "shop.sql").string() + "'").c_str()), 0);
             auto* test = d.Window->findChild<QAction*>("testExportDialogAction");
             d.ClickTile("CsvOut");
             EXPECT_FALSE(test->isEnabled()) << "an export is no export dialog";
             d.ClickTile("ExportDlg");
             ASSERT_TRUE(test->isEnabled());
             const std::string file = (folder / "picked.csv").string();
             Interaction::QueueModalHandler([&](TCustomForm* form) {
                 Input::ChooseItem(static_cast<TComboBox*>(form->FindComponent("cbxFormat")), 5);
                 Input::TypeText(static_cast<TEdit*>(form->FindComponent("edFileName")), file);
                 Input::Click(static_cast<TControl*>(form->FindComponent("btExport")));
             });
             test->trigger();
             d.Settle();
             EXPECT_TRUE(fs::exists(file));
             EXPECT_FALSE(d.Form().IsModified());
             EXPECT_NE(d.Window->findChild<QLabel*>("exportLink")->text().indexOf("5 rows written to"), -1);
         }},
    };
    for (const TInputCase& c : cases) {
        SCOPED_TRACE(c.What);
        Designer designer;
        c.Run(designer);
    }
}
