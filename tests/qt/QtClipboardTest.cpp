// The Qt widget set's clipboard is the system's: what Clipboard() puts there another program
// reads as text/plain and text/html, and what another program puts there Clipboard() reads.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>

#include "tests/qt/QtTestApp.h"
#include "vcl50/Clipbrd.h"

namespace {

class QtClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted)); }
    void TearDown() override { SetWidgetSet(nullptr); }
    static const QMimeData& System() { return *QGuiApplication::clipboard()->mimeData(); }
};

TEST_F(QtClipboardTest, BothRepresentationsReachTheSystemClipboardAndComeBack)
{
    const AnsiString text = "Gr\xC3\xB6\xC3\x9F" "e\t2\n";
    const AnsiString html = "<table><tr><td>Gr\xC3\xB6\xC3\x9F" "e</td><td>2</td></tr></table>";
    Clipboard()->SetTextAndHtml(text, html);
    EXPECT_TRUE(System().hasFormat("text/plain"));
    EXPECT_EQ(System().text(), QString::fromUtf8("Größe\t2\n"));
    EXPECT_TRUE(System().hasFormat("text/html"));
    EXPECT_EQ(System().html(), QString::fromStdString(html));
    EXPECT_EQ(Clipboard()->AsText(), text);
    EXPECT_EQ(Clipboard()->AsHtml(), html);

    Clipboard()->SetAsText("plain");
    EXPECT_FALSE(System().hasHtml());
    EXPECT_EQ(Clipboard()->AsHtml(), "");

    QGuiApplication::clipboard()->setText(QString::fromUtf8("from another program: ü"));
    EXPECT_EQ(Clipboard()->AsText(), "from another program: \xC3\xBC");
}

}  // namespace
