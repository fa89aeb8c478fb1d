// The designer as a German user sees it: every text of the package's dialogs, the end users'
// export dialog, the designer's menus and its own dialogs is German, no English left, and each
// fits its control, measured with the control's font. The program runs under LANG=de_DE.UTF-8
// (main below), so the package, the export library and the designer all find their
// German translations as a German user's would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDockWidget>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "host/DesignHost.h"
#include "host/designer/DesignSurface.h"
#include "host/designer/DesignerWindow.h"
#include "host/designer/PaletteBar.h"
#include "host/designer/Translations.h"
#include "rowcastb5/Kexportdlgform.h"
#include "tests/ScriptFiles.h"
#include "tests/TempFolder.h"
#include "tests/qt/QtTestApp.h"
#include "vcl50/Buttons.h"
#include "vcl50/Formresources.h"
#include "vcl50/Modules.h"
#include "vcl50/Resources.h"
#include "vcl50/Resstrings.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/Typinfo.h"
#include "vcl50/qt/QtFonts.h"

namespace fs = std::filesystem;

namespace {

// What German writes as English does: these words, names, and texts of no letters (" 34", ">>").
const std::set<QString> SharedWords = {"OK", "Name", "Package", "Tarnel Lumatab", "John", "Marcella", "Alex", "Julia"};

bool Shared(const QString& text)
{
    return SharedWords.contains(text.trimmed()) ||
           std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// One text a person sees and the room it has there.
struct TShown {
    QString Text;
    int Needed = 0;         // pixels it takes in its control's font, with the control's padding
    int Room = -1;          // pixels the control gives it; -1 where it sizes itself or wraps
    bool Compared = true;   // false: a package's text in the window, checked with its string table
};
// By where it shows, the same key in either language: "menu 2/5", "SrcLabel.Caption".
using TTexts = std::map<std::string, TShown>;

// The text without its accelerator marks.
QString Plain(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

int Advance(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(Plain(text));
}

// A push button's text keeps clear of its frame on both sides.
int ButtonPadding()
{
    return 2 * QApplication::style()->pixelMetric(QStyle::PM_ButtonMargin);
}

void ExpectGermanAndFitting(const TTexts& german, const TTexts& english)
{
    ASSERT_FALSE(german.empty());
    for (const auto& [where, shown] : german) {
        SCOPED_TRACE(where + ": " + shown.Text.toStdString());
        if (shown.Compared) {
            const auto it = english.find(where);
            ASSERT_NE(it, english.end()) << "no English counterpart";
            if (!Shared(Plain(it->second.Text))) {
                EXPECT_NE(Plain(shown.Text), Plain(it->second.Text)) << "left in English";
            }
        }
        if (shown.Room >= 0) {
            EXPECT_LE(shown.Needed, shown.Room) << "cut off";
        }
    }
}

// ---- the package's and the export library's forms ----------------------------------------------

// An auto-sized label grows to its text; it must stay on its parent and clear of the label to its
// right, by a gap that tells the two apart.
int RoomOfAutoSized(const TLabel* label)
{
    int room = label->Parent()->ClientWidth();
    for (int i = 0; i < label->Parent()->ControlCount(); ++i) {
        const auto* other = dynamic_cast<const TLabel*>(label->Parent()->Controls(i));
        const bool sameRow = other && other->Top() < label->Top() + label->Height() &&
                             label->Top() < other->Top() + other->Height();
        if (other && other != label && sameRow && other->Left() > label->Left())
            room = std::min(room, other->Left() - 4);
    }
    return room;
}

void AddCaption(TTexts& texts, const std::string& key, TControl* control, const QString& text)
{
    TShown shown{text};
    const QFont font = QtFonts::ToQFont(*control->Font());
    if (auto* label = dynamic_cast<TLabel*>(control)) {
        const bool grows = label->AutoSize() && label->Alignment() == taLeftJustify;
        shown.Needed = (grows ? label->Left() : 0) + Advance(font, text);
        shown.Room = grows ? RoomOfAutoSized(label) : label->Width();
    } else if (dynamic_cast<TButton*>(control)) {
        shown.Needed = Advance(font, text) + ButtonPadding();
        shown.Room = control->Width();
    } else if (dynamic_cast<TSpeedButton*>(control)) {
        shown.Needed = Advance(font, text);
        shown.Room = control->Width();
    }
    texts[key] = shown;
}

// Every caption, hint, title and filter of the form and what it owns.
TTexts FormTexts(TComponent* form)
{
    TTexts texts;
    std::vector<TComponent*> all{form};
    for (int i = 0; i < form->ComponentCount(); ++i)
        all.push_back(form->Components(i));
    for (TComponent* c : all)
        for (const char* property : {"Caption", "Hint", "Title", "Filter"}) {
            if (!GetPropInfo(c, property))
                continue;
            const QString text = QString::fromStdString(GetStrProp(c, property));
            const std::string key = (c == form ? std::string("form") : c->Name()) + "." + property;
            auto* control = dynamic_cast<TControl*>(c);
            if (text.isEmpty())
                continue;
            if (control && c != form && std::string_view(property) == "Caption")
                AddCaption(texts, key, control, text);
            else
                texts[key] = {text};
        }
    return texts;
}

struct TFormCase {
    const char* Name;
    const char* ClassName;
    fs::path English;  // the form resource the module carries itself
};

const TFormCase Forms[] = {
    {"fields editor", "TfmKFieldsEditDlg", fs::path(SOURCE_DIR) / "dialogs/Kfieldseditdlg.dfm"},
    {"HTML template editor", "TfmKHTMLTemplateEditDlg", fs::path(SOURCE_DIR) / "dialogs/Khtmltemplateeditdlg.dfm"},
    {"About box", "TAboutF", fs::path(SOURCE_DIR) / "dialogs/Kexpabout.dfm"},
    {"export dialog", "TfmKExportDlg", fs::path(SOURCE_DIR) / "rowcastb5/Kexportdlgform.dfm"},
};

// ---- the designer window ------------------------------------------------------------------------

void AddMenu(TTexts& texts, const std::string& key, QMenu* menu, size_t packageItems = 0)
{
    size_t index = 0;
    for (QAction* action : menu->actions()) {
        const std::string where = key + "/" + std::to_string(index++);
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        const QString shortcut = action->shortcut().toString(QKeySequence::NativeText);
        texts[where] = {action->text(), Advance(menu->font(), action->text()) + Advance(menu->font(), shortcut),
                        menu->actionGeometry(action).width(), index > packageItems};
        if (!action->statusTip().isEmpty())
            texts[where + " tip"] = {action->statusTip()};
        // The recent files and the open forms are file and form names.
        if (QMenu* sub = action->menu(); sub && sub->objectName() != "recentFiles" && sub->objectName() != "windowMenu")
            AddMenu(texts, where, sub);
    }
}

void AddHeader(TTexts& texts, const std::string& key, const QHeaderView* header)
{
    for (int i = 0; i < header->count(); ++i) {
        const QString text = header->model()->headerData(i, header->orientation()).toString();
        const int margins = 2 * QApplication::style()->pixelMetric(QStyle::PM_HeaderMargin);
        texts[key + " " + std::to_string(i)] = {text, Advance(header->font(), text) + margins,
                                                header->sectionSize(i)};
    }
}

// What a dialog of the window shows: title, labels, buttons, list headers, its first list entry.
TTexts DialogTexts(QWidget* dialog)
{
    TTexts texts{{"title", {dialog->windowTitle()}}};
    int n = 0;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts["label " + std::to_string(n++)] = {label->text(), Advance(label->font(), label->text()),
                                                     label->wordWrap() ? -1 : label->width()};
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty())
            texts["button " + std::to_string(n++)] = {button->text(),
                                                      Advance(button->font(), button->text()) + ButtonPadding(),
                                                      button->width()};
    for (QHeaderView* header : dialog->findChildren<QHeaderView*>())
        if (header->isVisible())
            AddHeader(texts, "header " + std::to_string(n++), header);
    for (QListWidget* list : dialog->findChildren<QListWidget*>())
        texts["list " + std::to_string(n++)] = {list->item(0)->text()};
    return texts;
}

// Each dialog of the window's own, by the action that opens it.
const char* const Dialogs[] = {"packageInformationAction", "packagesAction", "undoHistoryAction", "aboutAction"};

// The window on the sample form, with one change made and HtmlOut selected, and everything it
// shows, in the language of the translations installed when it was made.
struct TWindowTexts {
    TTexts Window;
    std::map<std::string, TTexts> Dialogs;
};

TWindowTexts Shown(TDesignHost& host, TDesignerWindow& window, const fs::path& form)
{
    window.NewFile();
    window.OpenFile(QString::fromStdString(form.string()));
    window.show();
    TDesigner& designer = *host.CurrentForm();
    TComponent* html = designer.GetRoot()->FindComponent("HtmlOut");
    host.Commands().MoveBy({html}, 8, 0, false);
    host.Commands().Select({html});
    QApplication::processEvents();

    TWindowTexts shown;
    TTexts& texts = shown.Window;
    size_t index = 0;
    for (QAction* action : window.menuBar()->actions()) {
        const std::string where = "menu " + std::to_string(index++);
        texts[where] = {action->text(), Advance(window.menuBar()->font(), action->text()),
                        window.menuBar()->actionGeometry(action).width()};
        AddMenu(texts, where, action->menu());
    }
    auto* surface = window.findChild<TDesignSurface*>("designSurface");
    AddMenu(texts, "context menu", surface->ContextMenu(html).get(), host.Commands().Verbs(html)->size());
    auto* tree = window.findChild<QTreeWidget*>("inspectorTree");
    AddHeader(texts, "inspector header", tree->header());
    auto* filter = window.findChild<QLineEdit*>("inspectorFilter");
    texts["inspector filter"] = {filter->placeholderText(), Advance(filter->font(), filter->placeholderText()),
                                 filter->width()};
    auto* palette = window.findChild<TPaletteBar*>("palette");
    for (int i = 0; i < palette->count(); ++i)
        texts["palette page " + std::to_string(i)] = {
            palette->tabText(i), Advance(palette->font(), palette->tabText(i)), palette->tabBar()->tabRect(i).width()};
    texts["preview title"] = {window.findChild<QDockWidget*>("previewDock")->windowTitle()};

    // Each dialog is read and closed once its event loop runs; an action that shows none returns.
    for (const char* name : Dialogs) {
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shown.Dialogs[name] = DialogTexts(dialog);
                dialog->close();
            }
        });
        poll.start();
        window.findChild<QAction*>(name)->trigger();
    }
    return shown;
}

TWindowTexts WindowTexts(TDesignHost& host, HMODULE package, const fs::path& form)
{
    TWindowTexts shown;
    {
        TDesignerWindow window(host, PACKAGE_FILE, package, true);
        shown = Shown(host, window, form);
    }
    // The next window starts afresh, asking nothing about the changed form.
    while (!host.Forms().empty())
        host.CloseForm(*host.Forms().front());
    return shown;
}

// ---- the fixture --------------------------------------------------------------------------------

class GermanTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Folder = new TTempFolder("german");
        setenv("XDG_CONFIG_HOME", (Folder->Path() / "config").c_str(), 1);
        setenv("XDG_STATE_HOME", (Folder->Path() / "state").c_str(), 1);
        fs::copy_file(fs::path(EXAMPLES_DIR) / "shop.dfm", Folder->Path() / "shop.dfm");
        fs::current_path(Folder->Path());
        TestApp();
        SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
        Host = new TDesignHost;
        Package = Host->LoadPackage(PACKAGE_FILE);
        Host->RegisterPackage(Package);
        // The window before and after its translations; the package speaks German in both.
        English = new TWindowTexts(WindowTexts(*Host, Package, Folder->Path() / "shop.dfm"));
        Translated = InstallTranslations();
        German = new TWindowTexts(WindowTexts(*Host, Package, Folder->Path() / "shop.dfm"));
    }
    static void TearDownTestSuite()
    {
        delete German;
        delete English;
        delete Host;
        SetWidgetSet(nullptr);
        fs::current_path("/");
        delete Folder;
    }

    // A form of the package (by its metaclass, exported by the package) or of the export library.
    static std::unique_ptr<TComponent> MakeForm(const std::string& className)
    {
        if (className == "TfmKExportDlg")
            return std::unique_ptr<TComponent>(As<TComponent>(TfmKExportDlg::StaticClass()->Create(nullptr)));
        const std::string symbol = "_ZN" + std::to_string(className.size()) + className + "11StaticClassEv";
        auto staticClass = reinterpret_cast<TClass (*)()>(GetProcAddress(Package, symbol.c_str()));
        if (!staticClass)
            throw Exception("The package exports no " + symbol);
        return std::unique_ptr<TComponent>(As<TComponent>(staticClass()->Create(nullptr)));
    }

    static inline TTempFolder* Folder = nullptr;
    static inline TDesignHost* Host = nullptr;
    static inline HMODULE Package = nullptr;
    static inline TWindowTexts* English = nullptr;
    static inline TWindowTexts* German = nullptr;
    static inline bool Translated = false;
};

TEST_F(GermanTest, EveryFormOfThePackageAndTheExportLibraryIsGermanAndFits)
{
    for (const TFormCase& form : Forms) {
        SCOPED_TRACE(form.Name);
        const TTexts german = FormTexts(MakeForm(form.ClassName).get());
        RegisterFormResource(UpperCase(form.ClassName), ReadText(form.English));
        const TTexts english = FormTexts(MakeForm(form.ClassName).get());
        UnregisterFormResource(UpperCase(form.ClassName));
        ExpectGermanAndFitting(german, english);
    }
}

TEST_F(GermanTest, EveryResourceStringOfThePackageAndTheExportLibraryIsGerman)
{
    const struct {
        const char* Name;
        HINSTANCE Module;
        fs::path English;
    } tables[] = {
        {"package", Package, fs::path(SOURCE_DIR) / "resources/DRowcastB5.strings"},
        {"export library", FindClassHInstance(TfmKExportDlg::StaticClass()),
         fs::path(SOURCE_DIR) / "rowcastb5/rowcastb5.strings"},
    };
    for (const auto& table : tables) {
        SCOPED_TRACE(table.Name);
        ASSERT_NE(FindResourceHInstance(table.Module), table.Module) << "no language module";
        const auto bytes = ReadResource(FindResourceHInstance(table.Module), StringTableName, RT_STRING);
        ASSERT_TRUE(bytes);
        const auto german = ParseStringTable(std::string(bytes->begin(), bytes->end()));
        TTexts germanTexts, englishTexts;
        for (const auto& [name, text] : ParseStringTable(ReadText(table.English))) {
            englishTexts[name] = {QString::fromStdString(text)};
            ASSERT_TRUE(german.contains(name)) << name;
            germanTexts[name] = {QString::fromStdString(german.at(name))};
        }
        ExpectGermanAndFitting(germanTexts, englishTexts);
    }
}

TEST_F(GermanTest, TheWindowsMenusAndViewsAreGermanAndFit)
{
    ASSERT_TRUE(Translated) << "no German translation of the designer";
    ExpectGermanAndFitting(German->Window, English->Window);
}

TEST_F(GermanTest, TheWindowsOwnDialogsAreGermanAndFit)
{
    ASSERT_TRUE(Translated) << "no German translation of the designer";
    for (const char* dialog : Dialogs) {
        SCOPED_TRACE(dialog);
        ASSERT_TRUE(German->Dialogs.contains(dialog) && English->Dialogs.contains(dialog)) << "not shown";
        ExpectGermanAndFitting(German->Dialogs[dialog], English->Dialogs[dialog]);
    }
}

}  // namespace

// The whole process starts as a German user's: the export library chooses its language module as
// it is loaded, before main. Started otherwise, the program starts itself again so.
int main(int argc, char** argv)
{
    const char* lang = std::getenv("LANG");
    if (!lang || std::string_view(lang) != "de_DE.UTF-8" || std::getenv("LC_ALL") || std::getenv("LC_MESSAGES") ||
        std::getenv("LANGUAGE")) {
        setenv("LANG", "de_DE.UTF-8", 1);
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            unsetenv(variable);
        execv("/proc/self/exe", argv);
        std::perror("translation_tests: cannot start again under a German locale");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
