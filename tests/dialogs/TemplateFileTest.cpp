// The .htf template file through the dialog's two buttons: what a save writes, what a load applies,
// and what each failure leaves behind.

#include <filesystem>
#include <random>
#include <sstream>

#include "DialogTesting.h"
#include "tests/ChildProcess.h"
#include "rowcastb5/Templates.h"
#include "vcl50/Headless.h"
#include "vcl50/Input.h"

namespace fs = std::filesystem;

namespace {

void AnswerFile(const std::string& path)
{
    Interaction::QueueAnswer(TDialogAnswer::FileValue(path));
}

// The lines of a file that carry something: section headers and keys.
std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadText(path));
    for (std::string line; std::getline(in, line);)
        if (!Trim(line).empty())
            lines.push_back(line);
    return lines;
}

// A widget set that runs `OnPagePainted` whenever the page panel's colour changes, so a test can
// act between two of the values a load applies.
class TWatchingWidgetSet : public THeadlessWidgetSet {
public:
    std::function<void()> OnPagePainted;

    std::unique_ptr<TControlPeer> CreatePeer(TControl* control) override
    {
        if (control->Name() != "BackPanel")
            return THeadlessWidgetSet::CreatePeer(control);
        return std::make_unique<TPagePeer>(OnPagePainted);
    }

private:
    struct TPagePeer : THeadlessPeer {
        explicit TPagePeer(const std::function<void()>& painted) : Painted(painted) {}
        void ColorChanged() override
        {
            if (Painted)
                Painted();
        }
        const std::function<void()>& Painted;
    };
};

const std::string SaveRequest = "save \"Save as HTML template\" \"HTML template file (*.htf)|*.htf\" \"htf\" -> ";
const std::string OpenRequest = "open \"Load HTML template\" \"HTML template file (*.htf)|*.htf\" \"htf\" -> ";

}  // namespace

using TemplateFileTest = TemplateDialogTest;

TEST_F(TemplateFileTest, TheExampleSchemeSavesAsItsThirteenLinesAndLoadsBackAsCustom)
{
    const std::string file = Folder + "/example.htf";
    const std::vector<TColor> example = {static_cast<TColor>(0x00FFFFFF), clBlack, static_cast<TColor>(0x00FF0000),
                                         static_cast<TColor>(0x00000080), static_cast<TColor>(0x000000FF),
                                         static_cast<TColor>(0x00FF8080), clBlack, clBlack,
                                         static_cast<TColor>(0x0080FFFF), static_cast<TColor>(0x008080FF)};
    auto d = NewDialog();
    d->SetTemplate(htClassic);
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        SetColors(dlg, example);
        dlg.SetTextFontName("Arial");
        ResetRepaints(dlg);
        AnswerFile(file);
        Input::Click(dlg.btSaveTemplate);
        EXPECT_EQ(Repaints(dlg), 0);
        EXPECT_EQ(Colors(dlg), example);
        EXPECT_EQ(dlg.Template(), htClassic) << "saving changes no template";
    });
    EXPECT_EQ(Lines(file), (std::vector<std::string>{
                               "[HTML options]", "Background-color=$00FFFFFF", "Font-color=$00000000",
                               "Font-family=Arial", "LinkColor=$00FF0000", "VLinkColor=$00000080",
                               "ALinkColor=$000000FF", "[Table options]", "Header-bgcolor=$00FF8080",
                               "Header-color=$00000000", "Table-color=$00000000", "Even_row-bgcolor=$0080FFFF",
                               "Odd_row-bgcolor=$008080FF"}));

    auto other = NewDialog();
    other->SetTemplate(htMurky);
    other->SetTextFontName("Georgia");
    Run(*other, [&](TfmKHTMLTemplateEditDlg& dlg) {
        AnswerFile(file);
        Input::Click(dlg.btLoadTemplate);
        EXPECT_EQ(dlg.cbxTemplate->ItemIndex(), htCustom);
    });
    EXPECT_EQ(Colors(*other), example);
    EXPECT_EQ(other->TextFontName(), "Arial");
    EXPECT_EQ(other->Template(), htCustom);
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{SaveRequest + file, OpenRequest + file}));
}

TEST_F(TemplateFileTest, ARoundTripKeepsEveryValueSystemColoursAndAnEmptyFontNameIncluded)
{
    const std::string file = Folder + "/round.htf";
    const std::vector<TColor> values = {clWindowText, clBtnFace, static_cast<TColor>(1), static_cast<TColor>(0x7FFFFFFF),
                                        static_cast<TColor>(0xFFFFFFFF), clInfoBk, static_cast<TColor>(0x00654321),
                                        clBlack, static_cast<TColor>(0x80000000), clNone};
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        SetColors(dlg, values);
        AnswerFile(file);
        Input::Click(dlg.btSaveTemplate);
    });
    auto loaded = NewDialog();
    loaded->SetTemplate(htSimple);
    loaded->SetTextFontName("Verdana");
    Run(*loaded, [&](TfmKHTMLTemplateEditDlg& dlg) {
        AnswerFile(file);
        Input::Click(dlg.btLoadTemplate);
    });
    EXPECT_EQ(Colors(*loaded), values);
    EXPECT_EQ(loaded->TextFontName(), "");
    EXPECT_EQ(loaded->Template(), htCustom);
}

TEST_F(TemplateFileTest, AFileWithOneKeyChangesOnlyThatValueAndStillMakesTheTemplateCustom)
{
    const std::string file = Folder + "/header.htf";
    WriteText(file, "[Table options]\nHeader-bgcolor=$00102030\n");
    auto d = NewDialog();
    d->SetTemplate(htOlive);
    d->SetTextFontName("Trebuchet MS");
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        std::vector<TColor> expected = Colors(dlg);
        expected[5] = static_cast<TColor>(0x00102030);
        ResetRepaints(dlg);
        AnswerFile(file);
        Input::Click(dlg.btLoadTemplate);
        EXPECT_EQ(Colors(dlg), expected);
        EXPECT_EQ(dlg.TextFontName(), "Trebuchet MS");
        EXPECT_EQ(dlg.cbxTemplate->ItemIndex(), htCustom);
        // Only the header cells (and their labels, which show the cell's colour) repainted.
        EXPECT_EQ(Repaints(dlg), 6);
        EXPECT_EQ(THeadlessPeer::Of(PreviewPanel(dlg, "ColHead3"))->Count(TPeerNotice::Color), 1);

        // The same file again holds nothing new: nothing repaints, and the template is custom.
        Input::ChooseItem(dlg.cbxTemplate, htOlive);
        dlg.SetHeadersRowBgColor(static_cast<TColor>(0x00102030));
        ResetRepaints(dlg);
        AnswerFile(file);
        Input::Click(dlg.btLoadTemplate);
        EXPECT_EQ(Repaints(dlg), 0);
        EXPECT_EQ(dlg.Template(), htCustom);
    });
}

TEST_F(TemplateFileTest, SavingOverAFileReplacesTheElevenValuesAndKeepsEverythingElse)
{
    const std::string file = Folder + "/shared.htf";
    WriteText(file, "; kept comment\n[Page]\nTitle=Sales\n[HTML options]\nBackground-color=$00000000\n"
                    "Charset=utf-8\n[Table options]\nBorder=2\n");
    auto d = NewDialog();
    d->SetTemplate(htPlain);  // pushes no font name
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        AnswerFile(file);
        Input::Click(dlg.btSaveTemplate);
    });
    const std::string text = ReadText(file);
    for (const char* kept : {"; kept comment\n", "[Page]\nTitle=Sales\n", "Charset=utf-8\n", "Border=2\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    THexIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("HTML options", "Background-color", -1), RhtPlain.BackGroundColor);
    EXPECT_EQ(ini.ReadInteger("Table options", "Odd_row-bgcolor", -1), RhtPlain.OddRowBgColor);
    EXPECT_EQ(ini.ReadString("HTML options", "Font-family", "unset"), "");
}

TEST_F(TemplateFileTest, AFileThatCannotBeWrittenShowsAnErrorBoxAndLeavesTheDialogOpen)
{
    const std::string plain = Folder + "/plain.txt", folder = Folder + "/taken.htf";
    WriteText(plain, "not a folder");
    fs::create_directory(folder);
    auto d = NewDialog();
    d->SetTemplate(htBW);
    int result = Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        for (const std::string& path : {plain + "/inside.htf", folder}) {
            AnswerFile(path);
            Input::Click(dlg.btSaveTemplate);
            EXPECT_EQ(dlg.ModalResult(), mrNone) << path;
        }
        Input::Click(dlg.btStart);  // still there to be used
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(d->Template(), htBW);
    ASSERT_EQ(Observer.Events.size(), 4u);
    EXPECT_TRUE(Observer.Events[1].starts_with("error ") && Observer.Events[1].find(plain) != std::string::npos)
        << Observer.Events[1];
    EXPECT_TRUE(Observer.Events[3].starts_with("error ")) << Observer.Events[3];
    EXPECT_EQ(ReadText(plain), "not a folder");
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()), 2) << "no file left behind";
}

TEST_F(TemplateFileTest, AFailingLoadKeepsWhatItAppliedAndDoesNotSwitchToCustom)
{
    const std::string file = Folder + "/vanishing.htf";
    WriteText(file, "[HTML options]\nBackground-color=$00112233\nFont-color=$00445566\n");
    auto widgets = std::make_unique<TWatchingWidgetSet>();
    TWatchingWidgetSet* watching = widgets.get();
    SetWidgetSet(std::move(widgets));
    auto d = NewDialog();
    d->SetTemplate(htColorFul);
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        // Once the first value shows, the file turns into something no read gets through.
        watching->OnPagePainted = [&] {
            fs::remove(file);
            fs::create_directory(file);
        };
        AnswerFile(file);
        Input::Click(dlg.btLoadTemplate);
        watching->OnPagePainted = nullptr;
        EXPECT_EQ(dlg.BackPanel->Color(), static_cast<TColor>(0x00112233));
        EXPECT_EQ(dlg.DefaultTextColor(), RhtColorFul.DefaultFontColor);
        EXPECT_EQ(dlg.Template(), htColorFul);
        EXPECT_EQ(dlg.cbxTemplate->ItemIndex(), htColorFul);
        EXPECT_EQ(dlg.ModalResult(), mrNone);
    });
    SetWidgetSet(nullptr);
    EXPECT_EQ(d->BackGroundColor(), static_cast<TColor>(0x00112233));
    ASSERT_EQ(Observer.Events.size(), 2u);
    EXPECT_TRUE(Observer.Events[1].starts_with("error ")) << Observer.Events[1];
}

// A name that leads nowhere is said so; it does not pass for an empty template file.
TEST_F(TemplateFileTest, AMissingFileIsReportedAndChangesNothing)
{
    const std::string file = Folder + "/typo.htf";
    auto d = NewDialog();
    d->SetTemplate(htMSMoney);
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        ResetRepaints(dlg);
        AnswerFile(file);
        Input::Click(dlg.btLoadTemplate);
        EXPECT_EQ(Repaints(dlg), 0);
        EXPECT_EQ(dlg.Template(), htMSMoney);
        EXPECT_EQ(dlg.ModalResult(), mrNone);
    });
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{OpenRequest + file,
                                                         "message The template file " + file + " does not exist."}));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(TemplateFileTest, CancellingEitherFileDialogTouchesNoFile)
{
    const std::string file = Folder + "/kept.htf", text = "[HTML options]\nBackground-color=$00000000\n";
    WriteText(file, text);
    auto d = NewDialog();
    d->SetTemplate(htSimple);
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        dlg.sdTemplate->SetFileName(file);
        dlg.odTemplate->SetFileName(file);
        ResetRepaints(dlg);
        for (TButton* button : {dlg.btSaveTemplate, dlg.btLoadTemplate}) {
            Interaction::QueueAnswer(TDialogAnswer::Cancelled());
            Input::Click(button);
        }
        EXPECT_EQ(dlg.Template(), htSimple);
        EXPECT_EQ(Repaints(dlg), 0);
    });
    EXPECT_EQ(ReadText(file), text);
    EXPECT_EQ(Observer.Events, (std::vector<std::string>{SaveRequest + "cancel", OpenRequest + "cancel"}));
}

// Eleven different values, so that each key shows which member it carries: "Font-color" the
// default text, "Table-color" the table text, "Even_row-bgcolor" the cells Row1 to Row6.
TEST_F(TemplateFileTest, EachKeyCarriesItsOwnMember)
{
    const std::string file = Folder + "/keys.htf";
    std::vector<TColor> values;
    for (int i = 1; i <= 10; ++i)
        values.push_back(static_cast<TColor>(0x00101010 * i));
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        SetColors(dlg, values);
        dlg.SetTextFontName("Tahoma");
        AnswerFile(file);
        Input::Click(dlg.btSaveTemplate);
    });
    EXPECT_EQ(Lines(file), (std::vector<std::string>{
                               "[HTML options]", "Background-color=$00101010", "Font-color=$00202020",
                               "Font-family=Tahoma", "LinkColor=$00303030", "VLinkColor=$00404040",
                               "ALinkColor=$00505050", "[Table options]", "Header-bgcolor=$00606060",
                               "Header-color=$00707070", "Table-color=$00808080", "Even_row-bgcolor=$00909090",
                               "Odd_row-bgcolor=$00A0A0A0"}));

    // Read by key, whatever order the file has them in.
    const std::string other = Folder + "/shuffled.htf";
    WriteText(other, "[Table options]\nOdd_row-bgcolor=$00000011\nTable-color=$00000010\n"
                     "Even_row-bgcolor=$0000000F\nHeader-color=$0000000E\nHeader-bgcolor=$0000000D\n"
                     "[HTML options]\nALinkColor=$0000000C\nFont-family=Georgia\nFont-color=$0000000A\n"
                     "VLinkColor=$0000000B\nLinkColor=$00000009\nBackground-color=$00000008\n");
    auto loaded = NewDialog();
    Run(*loaded, [&](TfmKHTMLTemplateEditDlg& dlg) {
        AnswerFile(other);
        Input::Click(dlg.btLoadTemplate);
    });
    EXPECT_EQ(loaded->BackGroundColor(), 0x08);
    EXPECT_EQ(loaded->LinkColor(), 0x09);
    EXPECT_EQ(loaded->DefaultTextColor(), 0x0A);
    EXPECT_EQ(loaded->VLinkColor(), 0x0B);
    EXPECT_EQ(loaded->ALinkColor(), 0x0C);
    EXPECT_EQ(loaded->TextFontName(), "Georgia");
    EXPECT_EQ(loaded->HeadersRowBgColor(), 0x0D);
    EXPECT_EQ(loaded->HeadersRowFontColor(), 0x0E);
    EXPECT_EQ(loaded->TableBgColor(), 0x0F);
    EXPECT_EQ(loaded->TableFontColor(), 0x10);
    EXPECT_EQ(loaded->OddRowBgColor(), 0x11);
    EXPECT_EQ(PreviewPanel(*loaded, "Row6")->Color(), 0x0F);
    EXPECT_EQ(PreviewPanel(*loaded, "OddRow6")->Color(), 0x11);
    EXPECT_EQ(PreviewLabel(*loaded, "Data12")->Font()->Color(), 0x10);
    EXPECT_EQ(PreviewLabel(*loaded, "Head3")->Font()->Color(), 0x0E);
}

// A load applies each value as it reads it, in the order of the file's keys: page, default text,
// the three links, header cells, header text, table text, then the two kinds of data row.
TEST_F(TemplateFileTest, ALoadPaintsEachValueInTheOrderOfTheKeys)
{
    const std::string file = Folder + "/order.htf";
    WriteText(file, "[HTML options]\nBackground-color=$00000001\nFont-color=$00000002\nFont-family=Arial\n"
                    "LinkColor=$00000003\nVLinkColor=$00000004\nALinkColor=$00000005\n[Table options]\n"
                    "Header-bgcolor=$00000006\nHeader-color=$00000007\nTable-color=$00000008\n"
                    "Even_row-bgcolor=$00000009\nOdd_row-bgcolor=$0000000A\n");
    std::vector<std::string> expected = {"BackPanel color", "lbHTMLDefaultText font", "lbHTMLLink font",
                                         "lbHTMLVLink font", "lbHTMLALink font"};
    for (auto group : {Numbered("ColHead", 3, "color"), Numbered("Head", 3, "font"), Numbered("Data", 12, "font"),
                       Numbered("Row", 6, "color"), Numbered("OddRow", 6, "color")})
        expected.insert(expected.end(), group.begin(), group.end());
    auto widgets = std::make_unique<TLoggingWidgetSet>();
    TLoggingWidgetSet* logging = widgets.get();
    SetWidgetSet(std::move(widgets));
    auto d = NewDialog();
    d->SetTemplate(htSimple);
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        logging->Log.clear();
        AnswerFile(file);
        Input::Click(dlg.btLoadTemplate);
        EXPECT_EQ(OnlyThese(logging->Log, expected), expected);
        EXPECT_EQ(dlg.Template(), htCustom);
    });
    SetWidgetSet(nullptr);
}

// A save is one replacement of the file: whatever stops it (a disk that fills part way, a folder
// that is read-only or gone, a FIFO in the file's place, a kill), the file holds the old bytes or
// the complete new scheme, never a part of it. Each save runs in a child process, which may be
// limited, unprivileged or killed; its status says whether it showed an error box.
TEST_F(TemplateFileTest, ASaveLeavesTheOldFileOrTheWholeNewOneWhateverStopsIt)
{
    // The old file lacks the table section, so a save key by key would grow it part way through.
    const std::string old = "; mine\n[HTML options]\nBackground-color=$00000000\nFont-color=$00000000\n";
    fs::permissions(Folder, fs::perms::all);
    auto save = [this](const std::string& path) {
        return [this, path] {
            Observer.Events.clear();  // the child's own
            auto d = NewDialog();
            d->SetTemplate(htOlive);
            Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
                AnswerFile(path);
                Input::Click(dlg.btSaveTemplate);
            });
            for (const std::string& event : Observer.Events)
                if (event.starts_with("error "))
                    return 1;
            return 0;
        };
    };
    const std::string whole = Folder + "/whole.htf";
    WriteText(whole, old);
    ASSERT_EQ(RunInChild(save(whole)), 0);
    const std::string fresh = ReadText(whole);
    ASSERT_GT(fresh.size(), old.size() + 100);

    const struct {
        const char* Name;
        std::string Folder;
        TChildLimits Limits;
        std::function<void(const std::string& folder)> Prepare;
    } cases[] = {
        {"full disk", Folder + "/full", {.MaxFileSize = old.size() + 40}, nullptr},
        {"read-only folder", Folder + "/readonly", {.Unprivileged = true},
         [](const std::string& folder) { fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec |
                                                                  fs::perms::others_read | fs::perms::others_exec); }},
        {"vanished folder", Folder + "/vanished", {}, [](const std::string& folder) { fs::remove_all(folder); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::create_directory(c.Folder);
        const std::string file = c.Folder + "/scheme.htf";
        WriteText(file, old);
        if (c.Prepare)
            c.Prepare(c.Folder);
        EXPECT_EQ(RunInChild(save(file), c.Limits), 1) << "an error box";
        if (fs::exists(c.Folder)) {
            EXPECT_EQ(ReadText(file), old);
            fs::permissions(c.Folder, fs::perms::owner_all);
            EXPECT_EQ(std::distance(fs::directory_iterator(c.Folder), fs::directory_iterator()), 1) << "no temporary";
        } else {
            EXPECT_FALSE(fs::exists(c.Folder)) << "the folder is not made again";
        }
    }

    // A FIFO in the file's place is refused at once, by a save and by a load.
    const std::string fifo = Folder + "/fifo.htf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(RunInChild(save(fifo)), 1);
    auto d = NewDialog();
    Run(*d, [&](TfmKHTMLTemplateEditDlg& dlg) {
        AnswerFile(fifo);
        Input::Click(dlg.btLoadTemplate);
    });
    EXPECT_TRUE(Observer.Events.back().starts_with("error ")) << Observer.Events.back();
    EXPECT_TRUE(fs::is_fifo(fifo));

    // Saves killed at random moments of their work.
    const std::string killed = Folder + "/killed.htf";
    std::mt19937 random(3);
    std::uniform_int_distribution<int> delay(100, 20000);
    for (int kill = 0; kill < 30; ++kill) {
        WriteText(killed, old);
        RunInChild(save(killed), {}, std::chrono::microseconds(delay(random)));
        const std::string now = ReadText(killed);
        ASSERT_TRUE(now == old || now == fresh) << "kill " << kill << ":\n" << now;
    }
    EXPECT_EQ(RunInChild(save(killed)), 0);
    EXPECT_EQ(ReadText(killed), fresh);
    const auto entries = std::distance(fs::directory_iterator(Folder), fs::directory_iterator());
    EXPECT_EQ(entries, 5) << "whole, full, readonly, fifo and killed: the killed saves' temporaries swept";
}
