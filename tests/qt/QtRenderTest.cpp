// What the Qt widget set draws: a form's client area at its exact size, panel colours, bevel
// edges pixel for pixel, label text in the font colour the model holds.

#include <QCursor>
#include <QFileInfo>

#include "tests/TempFolder.h"
#include "tests/qt/QtFormFixture.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/StdCtrls.h"

namespace {

constexpr unsigned Shadow = 0x808080, Highlight = 0xFFFFFF;

// Pixels inside `rect` of `image` that are close to the 0xRRGGBB colour `rgb`.
int CountNear(const QImage& image, const QRect& rect, unsigned rgb)
{
    QColor want(QRgb(0xFF000000u | rgb));
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - want.red()) < 40 && std::abs(c.green() - want.green()) < 40 &&
                std::abs(c.blue() - want.blue()) < 40)
                ++count;
        }
    return count;
}

class QtRenderTest : public QtFormTest {
protected:
    void Build()
    {
        form = NewForm(200, 120);
        form->SetColor(clBtnFace);
        page = Add<TPanel>(form, "Page", 10, 10, 100, 60);
        page->SetBevelOuter(bvLowered);
        page->SetCaption("");
        page->SetColor(static_cast<TColor>(0x0080FFFF));  // red 255, green 255, blue 128
        raised = Add<TPanel>(form, "Raised", 120, 10, 60, 40);
        raised->SetCaption("");
        flat = Add<TPanel>(form, "Flat", 120, 60, 60, 40);
        flat->SetBevelOuter(bvNone);
        flat->SetCaption("");
        flat->SetColor(clWhite);
        text = Add<TLabel>(page, "Text", 5, 5, 80, 16);
        text->SetCaption("Default text");
        text->Font()->SetName("Arial");
        text->Font()->SetHeight(-13);
        text->Font()->SetStyle(TFontStyles{fsBold});
    }

    TForm* form = nullptr;
    TPanel* page = nullptr;
    TPanel* raised = nullptr;
    TPanel* flat = nullptr;
    TLabel* text = nullptr;
};

TEST_F(QtRenderTest, PanelsShowTheirColourAndBevels)
{
    Build();
    form->Show();
    QImage image = Render(form);
    ASSERT_EQ(image.size(), QSize(200, 120));

    EXPECT_EQ(Pixel(image, 60, 50), 0xFFFF80u) << "the page panel's own colour";
    EXPECT_EQ(Pixel(image, 5, 100), 0xC0C0C0u) << "the form in clBtnFace";
    // Lowered: shadow on the top and left edges, highlight on the bottom and right.
    EXPECT_EQ(Pixel(image, 50, 10), Shadow);
    EXPECT_EQ(Pixel(image, 10, 40), Shadow);
    EXPECT_EQ(Pixel(image, 109, 40), Highlight);
    EXPECT_EQ(Pixel(image, 50, 69), Highlight);
    EXPECT_EQ(Pixel(image, 109, 10), Highlight) << "the top-right corner is the bottom colour's";
    EXPECT_EQ(Pixel(image, 11, 11), 0xFFFF80u) << "one pixel wide";
    // Raised: the other way round. A panel without bevel is its colour to the edge.
    EXPECT_EQ(Pixel(image, 150, 10), Highlight);
    EXPECT_EQ(Pixel(image, 150, 49), Shadow);
    EXPECT_EQ(Pixel(image, 179, 30), Shadow);
    EXPECT_EQ(Pixel(image, 120, 80), 0xFFFFFFu);
    EXPECT_EQ(Pixel(image, 179, 99), 0xFFFFFFu);
}

TEST_F(QtRenderTest, ModelChangesShowAtOnce)
{
    Build();
    form->Show();
    QRect label(15, 15, 80, 16);  // the label's rectangle on the form
    QImage before = Render(form);
    EXPECT_GT(CountNear(before, label, 0x000000), 20) << "text in clWindowText";
    EXPECT_EQ(CountNear(before, label, 0xFF0000), 0);
    EXPECT_GT(CountNear(before, label, 0xFFFF80), 100) << "the label takes its panel's colour";

    text->Font()->SetColor(clRed);
    page->SetColor(static_cast<TColor>(0x00FF8080));  // red 128, green 128, blue 255
    QImage after = Render(form);
    EXPECT_GT(CountNear(after, label, 0xFF0000), 20) << "the font colour setter repaints";
    EXPECT_EQ(CountNear(after, label, 0x000000), 0);
    EXPECT_EQ(Pixel(after, 60, 50), 0x8080FFu);
    EXPECT_GT(CountNear(after, label, 0x8080FF), 100) << "a ParentColor label follows its panel";

    page->SetBevelOuter(bvRaised);
    EXPECT_EQ(Pixel(Render(form), 50, 10), Highlight);
    page->SetVisible(false);
    EXPECT_EQ(Pixel(Render(form), 60, 50), 0xC0C0C0u);
}

TEST_F(QtRenderTest, ScreenshotIsExactlyTheClientArea)
{
    Build();
    form->Show();
    TTempFolder folder("vcl50qt-render");
    QString path = QString::fromStdString((folder.Path() / "screenshot.png").string());
    TQtWidgetSet::Screenshot(form, path.toStdString());
    QImage saved(path);
    EXPECT_EQ(saved.size(), QSize(form->ClientWidth(), form->ClientHeight()));
    EXPECT_EQ(Pixel(saved, 60, 50), 0xFFFF80u);

    EXPECT_THROW(TQtWidgetSet::Screenshot(form, "/nonexistent-folder/x.png"), EFCreateError);
    form->Hide();
    EXPECT_THROW(TQtWidgetSet::Screenshot(form, path.toStdString()), EInvalidOperation);
}

TEST_F(QtRenderTest, WidgetsMirrorGeometryCursorHintAndWindow)
{
    Build();
    form->SetCaption("Editing");
    page->SetCursor(crHandPoint);
    page->SetHint("Click here|for the page colour");
    form->SetShowHint(true);
    auto* bar = Add<TPanel>(form, "Bar", 0, 0, 10, 32);
    bar->SetAlign(alBottom);
    form->Show();

    QWidget* window = WidgetOf(form);
    EXPECT_EQ(window->windowTitle(), "Editing");
    EXPECT_EQ(window->size(), QSize(200, 120));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "a dialog border does not resize";
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);

    EXPECT_EQ(WidgetOf(bar)->geometry(), QRect(0, 88, 200, 32)) << "alBottom as the model lays it out";
    EXPECT_EQ(WidgetOf(page)->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(WidgetOf(page)->toolTip(), "Click here");
    EXPECT_EQ(WidgetOf(text)->toolTip(), "") << "no hint of its own";
    form->SetShowHint(false);
    EXPECT_EQ(WidgetOf(page)->toolTip(), "");

    form->SetBorderIcons({});
    EXPECT_FALSE(WidgetOf(form)->windowFlags() & Qt::WindowCloseButtonHint);
    page->SetBounds(20, 30, 50, 40);
    EXPECT_EQ(WidgetOf(page)->geometry(), QRect(20, 30, 50, 40));
}

}  // namespace
