#include "fakexdgopen.h"
#include "gui/about/helpcontents.h"
#include "gui/about/modbrowseto.h"
#include "platform/defaulthandler.h"
#include "qtprinters.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QWidget>

namespace {

QString encoded(const QUrl& url) {
    return QString::fromLatin1(url.toEncoded());
}

bool anyWindowShown() {
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); });
}

} // namespace

TEST(DefaultHandlerUrl, AddressesPassAsWrittenAndPathsBecomeFileUrls) {
    const struct {
        const char* target;
        const char* url;
    } cases[] = {
        {"http://scarabo.example.com/main", "http://scarabo.example.com/main"},
        {"https://example.com/a/b?q=1&r=2#top", "https://example.com/a/b?q=1&r=2#top"},
        {"mailto:someone@example.com", "mailto:someone@example.com"},
        {"file:///opt/Scarabo/Help/index.html", "file:///opt/Scarabo/Help/index.html"},
        {"/opt/Scarabo/Help/index.html", "file:///opt/Scarabo/Help/index.html"},
        // A path is never read as an address, whatever characters it holds.
        {"/opt/Scarabo Hilfe/\xc3\x9c"
         "ber.html",
         "file:///opt/Scarabo%20Hilfe/%C3%9Cber.html"},
        {"/tmp/notes#1?.html", "file:///tmp/notes%231%3F.html"},
        {"/tmp/a:b/index.html", "file:///tmp/a:b/index.html"},
        // The help page of a program in the root folder: a path, not the host "help".
        {"//Help/index.html", "file:///Help/index.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(encoded(DefaultHandler::urlFor(QString::fromUtf8(c.target))),
                  QString::fromLatin1(c.url))
            << c.target;
}

class DefaultHandlerLaunch : public testing::Test {
protected:
    void SetUp() override { xdgOpen.clear(); }

    FakeXdgOpen& xdgOpen = FakeXdgOpen::installed();
};

TEST_F(DefaultHandlerLaunch, TargetReachesTheHandlerWhole) {
    const struct {
        QString target;
        QString argument;
    } cases[] = {
        {QStringLiteral("http://scarabo.example.com/main"),
         QStringLiteral("http://scarabo.example.com/main")},
        {QStringLiteral("/opt/Scarabo Hilfe/\u00dcber \U000131a3.html"),
         QStringLiteral("file:///opt/Scarabo%20Hilfe/%C3%9Cber%20%F0%93%86%A3.html")},
        {QStringLiteral("//Help/index.html"), QStringLiteral("file:///Help/index.html")},
    };
    for (const auto& c : cases) {
        xdgOpen.clear();
        BrowseTo(c.target);
        EXPECT_EQ(xdgOpen.waitForArguments(1), QStringList{c.argument}) << c.target.toStdString();
    }
}

// The page is handed over whether it exists or not; only when the handler says it opened nothing
// is the caller told, with the page's path.
TEST_F(DefaultHandlerLaunch, HelpContentsOpensThePathAndTellsOnlyWhenNothingOpenedIt) {
    const QString folder = QCoreApplication::applicationDirPath();
    ASSERT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Help")));
    const QString page = folder + QStringLiteral("/Help/index.html");
    EXPECT_EQ(HelpContentsPath(folder), page);
    QStringList told;
    const auto tell = [&told](const QString& path) { told.append(path); };

    ShowHelpContents(folder, tell);
    EXPECT_EQ(xdgOpen.waitForArguments(1), QStringList{encoded(QUrl::fromLocalFile(page))});
    QTest::qWait(300); // time for the handler's exit status to arrive
    EXPECT_TRUE(told.isEmpty());
    EXPECT_FALSE(anyWindowShown());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    xdgOpen.clear();
    xdgOpen.failWith(4);
    ShowHelpContents(folder, tell);
    EXPECT_TRUE(QTest::qWaitFor([&told] { return !told.isEmpty(); }, 10000));
    EXPECT_EQ(told, QStringList{page});
}
