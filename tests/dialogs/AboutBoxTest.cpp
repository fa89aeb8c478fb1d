// The About box: its form, every way of closing it, a fresh box per call, and what it paints.

#include <string>
#include <vector>

#include "DialogTesting.h"
#include "vcl50/Formresources.h"
#include "dialogs/Kexpabout.h"
#include "vcl50/Canvas.h"
#include "vcl50/Input.h"

namespace {

class AboutBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterFormResource("TABOUTF", ReadText(ABOUT_DFM));
        Interaction::ClearQueues();
    }
    void TearDown() override { Interaction::ClearQueues(); }
};

// Measures text as six pixels a character, as tall as the font, and writes down what it is told.
class TRecordingCanvas : public TCanvas {
public:
    struct TText {
        int X, Y, Width, Height;
        std::string Text;
    };
    void TextOut(int x, int y, const AnsiString& text) override
    {
        Texts.push_back({x, y, TextWidth(text), TextHeight(text), text});
    }
    int TextWidth(const AnsiString& text) override { return 6 * static_cast<int>(text.size()); }
    int TextHeight(const AnsiString&) override { return -Font()->Height() + 2; }
    void FillRect(const TRect&, TColor) override {}
    std::vector<TText> Texts;
};

}  // namespace

TEST_F(AboutBoxTest, TheFormAsItsResourceBuildsIt)
{
    auto box = ConstructUnique<TAboutF>(nullptr);
    EXPECT_EQ(box->Caption(), "About Tarnel Lumatab");
    EXPECT_EQ(box->BorderStyle(), bsDialog);
    EXPECT_EQ(box->ClientWidth(), 452);
    EXPECT_EQ(box->ClientHeight(), 300);
    EXPECT_EQ(box->Position(), poScreenCenter);
    EXPECT_EQ(box->Font()->Height(), -11);
    EXPECT_EQ(box->Panel1->BoundsRect(), (TRect{-28, 257, 446, 259}));
    EXPECT_EQ(box->Panel1->BoundsRect().Right, box->ClientWidth() - 6);
    EXPECT_EQ(box->BitBtn1->BoundsRect(), (TRect{370, 267, 445, 292}));
    EXPECT_EQ(box->BitBtn1->Kind(), bkOK);
    EXPECT_EQ(box->BitBtn1->Caption(), "OK");
    EXPECT_EQ(box->Panel1->TabOrder(), 0);
    EXPECT_EQ(box->BitBtn1->TabOrder(), 1);
}

// OK, Enter and the close box all end the call; each call makes its own box and frees it.
TEST_F(AboutBoxTest, EveryWayOutFreesAFreshBox)
{
    const std::function<void(TAboutF&)> ways[] = {
        [](TAboutF& box) { Input::Click(box.BitBtn1); },
        [](TAboutF& box) { Input::KeyDown(box.BitBtn1, VK_RETURN); },
        [](TAboutF& box) { Input::CloseBox(&box); },
    };
    const int forms = Screen->FormCount();
    for (const auto& closeIt : ways) {
        bool fresh = false;
        Interaction::QueueModalHandler([&](TCustomForm* form) {
            ASSERT_EQ(AboutF, form);
            EXPECT_EQ(Screen->FormCount(), forms + 1);
            fresh = AboutF->BitBtn1->Caption() == "OK";
            AboutF->BitBtn1->SetCaption("seen");  // the next call must not show this box again
            closeIt(*AboutF);
        });
        ShowAboutForm();
        EXPECT_TRUE(fresh);
        EXPECT_EQ(Screen->FormCount(), forms);
        EXPECT_EQ(AboutF, nullptr);
    }
}

TEST_F(AboutBoxTest, AnExceptionWhileShownFreesTheBoxAndPassesOn)
{
    const int forms = Screen->FormCount();
    Interaction::QueueModalHandler([](TCustomForm*) { throw Exception("broken"); });
    EXPECT_THROW(ShowAboutForm(), Exception);
    EXPECT_EQ(Screen->FormCount(), forms);
}

// The texts sit above the rule, inside the box, centred, each below the one before.
TEST_F(AboutBoxTest, PaintsTheSuiteAndVersionAboveTheRule)
{
    auto box = ConstructUnique<TAboutF>(nullptr);
    TRecordingCanvas canvas;
    box->Paint(canvas);
    ASSERT_GE(canvas.Texts.size(), 3u);
    EXPECT_EQ(canvas.Texts.front().Text, "Tarnel Lumatab");
    int below = 0;
    bool version = false;
    for (const auto& t : canvas.Texts) {
        SCOPED_TRACE(t.Text);
        version = version || t.Text.rfind("Version ", 0) == 0;
        EXPECT_GE(t.Y, below);
        EXPECT_LE(t.Y + t.Height, box->Panel1->Top());
        EXPECT_LE(std::abs(t.X * 2 + t.Width - box->ClientWidth()), 1);
        below = t.Y + t.Height;
    }
    EXPECT_TRUE(version);
}
