#include "colourscheme.h"
#include "fakexdgopen.h"
#include "gui/about/frmabout.h"
#include "gui/about/modproductinfo.h"
#include "platform/versioninfo.h"
#include "qtprinters.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QList<frmAbout*> openAboutWindows() {
    QList<frmAbout*> open;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<frmAbout*>(window); about && about->isVisible())
            open.append(about);
    return open;
}

template <typename Control = QWidget> Control* control(frmAbout* about, const char* name) {
    auto* found = about->findChild<Control*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control ") + name);
    return found;
}

QString text(frmAbout* about, const char* name) {
    return control<QLabel>(about, name)->text();
}

QFrame* lineElement(frmAbout* about, int index) {
    for (QFrame* element : about->findChildren<QFrame*>(QStringLiteral("Line1")))
        if (element->property("Index").toInt() == index)
            return element;
    throw std::runtime_error("no Line1 element");
}

bool destroyedSoon(const QPointer<frmAbout>& about) {
    return QTest::qWaitFor([&] { return about.isNull(); }, 5000);
}

} // namespace

class AboutWindow : public testing::Test {
protected:
    void TearDown() override {
        for (frmAbout* about : openAboutWindows())
            about->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(AboutWindow, ShowsTheVersionRecord) {
    frmAbout* about = frmAbout::showShared();
    EXPECT_EQ(about->windowTitle(),
              QStringLiteral("About Scarabo - Kethra's English to Hieroglyphics Translator"));
    EXPECT_EQ(text(about, "lblTitle"), QStringLiteral("Scarabo"));
    EXPECT_EQ(text(about, "lblVersion"), QStringLiteral("1.00.0007"));
    EXPECT_EQ(text(about, "lblComments"), QStringLiteral("Convert English to Ancient Egyptian."));
    EXPECT_EQ(text(about, "lblCopyright"), VersionInfo::current().legalCopyright);
    EXPECT_FALSE(VersionInfo::current().legalCopyright.isEmpty());
    EXPECT_EQ(text(about, "Label1"), QStringLiteral("Product:"));
    EXPECT_EQ(text(about, "Label2"), QStringLiteral("Version:"));
    EXPECT_EQ(control<QPushButton>(about, "cmdOK")->text(), QStringLiteral("OK"));
}

TEST_F(AboutWindow, EveryControlSitsAtItsPlaceAndSize) {
    frmAbout* about = frmAbout::showShared();
    const struct {
        const char* name;
        QRect pixels;
    } cases[] = {
        {"picIcon", {16, 16, 48, 48}},      {"cmdOK", {344, 175, 84, 23}},
        {"Label2", {80, 32, 41, 15}},       {"Label1", {80, 16, 41, 17}},
        {"lblComments", {80, 78, 345, 67}}, {"lblTitle", {128, 16, 211, 16}},
        {"lblVersion", {128, 32, 211, 15}}, {"lblCopyright", {17, 175, 242, 23}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(control(about, c.name)->geometry(), c.pixels) << c.name;
    EXPECT_EQ(about->size(), QSize(439, 206));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
}

// A desktop face far wider than the one the boxes were sized for: each label still needs no more
// room than its box has, by its own reckoning, down to its longest word.
TEST_F(AboutWindow, EveryTextFitsItsBoxUnderAWideDesktopFace) {
    const QFont desktop = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    frmAbout* about = frmAbout::showShared();
    QApplication::setFont(desktop);
    ASSERT_EQ(QFontInfo(about->font()).family(), QStringLiteral("DejaVu Sans Mono"));
    for (const QLabel* label : about->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_LE(label->heightForWidth(label->width()), label->height());
        EXPECT_LE(label->minimumSizeHint().width(), label->width());
    }
}

TEST_F(AboutWindow, SeparatorIsAGreyLineOverAWhiteOne) {
    frmAbout* about = frmAbout::showShared();
    QFrame* grey = lineElement(about, 1);
    QFrame* white = lineElement(about, 0);
    EXPECT_EQ(grey->geometry(), QRect(16, 163, 413, 1));
    EXPECT_EQ(white->geometry(), QRect(16, 164, 413, 2));
    const QImage shot = about->grab().toImage();
    EXPECT_EQ(shot.pixelColor(16, 163), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(428, 163), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(16, 164), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(428, 165), QColor(Qt::white));
}

TEST_F(AboutWindow, IsAFixedOwnerlessModelessToolWindowWithoutMinimiseOrMaximise) {
    frmAbout* about = frmAbout::showShared();
    EXPECT_EQ(about->parentWidget(), nullptr);
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowType(), Qt::Tool); // no taskbar button
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(about->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(about->testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(AboutWindow, CopyrightLineLooksLikeALinkAndCarriesTheHomePage) {
    auto* copyright = control<QLabel>(frmAbout::showShared(), "lblCopyright");
    EXPECT_EQ(copyright->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(copyright->font().underline());
    EXPECT_EQ(copyright->font().pointSizeF(), copyright->window()->font().pointSizeF());
    EXPECT_EQ(copyright->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(copyright->property("Tag").toString(), HomePageAddress());
}

// Measured on the window as drawn: the darkest or lightest pixel of a label, whichever stands out
// more, against the window's background, at least 4.5:1 in a light scheme and in a dark one.
TEST_F(AboutWindow, TextsAndLinkStayReadableInLightAndDarkSchemes) {
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        std::optional<DarkScheme> scheme;
        if (dark)
            scheme.emplace();
        frmAbout* about = frmAbout::showShared();
        const QImage shot = about->grab().toImage();
        const QColor background = about->palette().color(QPalette::Window);
        for (const char* name : {"lblCopyright", "lblComments", "lblTitle"}) {
            const QRect box = control(about, name)->geometry();
            double strongest = 1;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    strongest =
                        std::max(strongest, contrastRatio(shot.pixelColor(x, y), background));
            EXPECT_GE(strongest, 4.5) << name;
        }
        EXPECT_EQ(shot.pixelColor(2, 2), background);
        TearDown();
    }
}

TEST_F(AboutWindow, ShowsTheApplicationIconAndFocusesOk) {
    const QIcon previous = QApplication::windowIcon();
    QPixmap red(48, 48);
    red.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(red));
    frmAbout* about = frmAbout::showShared();
    QApplication::setWindowIcon(previous);

    const QPixmap shown = control<QLabel>(about, "picIcon")->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.toImage().pixelColor(24, 24), QColor(Qt::red));
    ASSERT_TRUE(QTest::qWaitForWindowActive(about));
    EXPECT_EQ(QApplication::focusWidget(), control(about, "cmdOK"));
}

TEST_F(AboutWindow, EveryWayOfClosingDestroysItAndTheNextShowLoadsAfresh) {
    const std::pair<const char*, std::function<void(frmAbout*)>> ways[] = {
        {"OK", [](frmAbout* a) { QTest::mouseClick(control(a, "cmdOK"), Qt::LeftButton); }},
        {"Esc", [](frmAbout* a) { QTest::keyClick(a, Qt::Key_Escape); }},
        {"Enter", [](frmAbout* a) { QTest::keyClick(a, Qt::Key_Return); }},
        {"close box", [](frmAbout* a) { a->close(); }},
    };
    for (const auto& [name, closeIt] : ways) {
        QPointer<frmAbout> about = frmAbout::showShared();
        closeIt(about);
        EXPECT_TRUE(destroyedSoon(about)) << name;
        EXPECT_TRUE(openAboutWindows().isEmpty()) << name;
        EXPECT_EQ(text(frmAbout::showShared(), "lblVersion"), QStringLiteral("1.00.0007")) << name;
        TearDown();
    }
}

TEST_F(AboutWindow, OnlyTheCopyrightClickOpensTheHomePageAndTheWindowStaysOpen) {
    FakeXdgOpen& xdgOpen = FakeXdgOpen::installed();
    xdgOpen.clear();
    QPointer<frmAbout> about = frmAbout::showShared();
    for (const char* name :
         {"picIcon", "Label1", "Label2", "lblTitle", "lblVersion", "lblComments"})
        QTest::mouseClick(control(about, name), Qt::LeftButton);
    // The copyright click comes last, so anything the others had started arrives before it.
    QTest::mouseClick(control(about, "lblCopyright"), Qt::LeftButton);
    xdgOpen.waitForArguments(1);
    QTest::qWait(300);
    EXPECT_EQ(xdgOpen.waitForArguments(1), QStringList{HomePageAddress()});
    ASSERT_FALSE(about.isNull());
    EXPECT_EQ(openAboutWindows(), QList<frmAbout*>{about.data()});
}

// Tab takes the focus from OK to the copyright line, which shows it; there Enter or Space opens the
// home page as a click does, and the window stays open.
TEST_F(AboutWindow, TabReachesTheCopyrightLineWhereEnterOrSpaceOpensTheHomePage) {
    FakeXdgOpen& xdgOpen = FakeXdgOpen::installed();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        xdgOpen.clear();
        QPointer<frmAbout> about = frmAbout::showShared();
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));
        QWidget* copyright = control(about, "lblCopyright");
        const QImage unfocused = copyright->grab().toImage();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), copyright);
        EXPECT_NE(copyright->grab().toImage(), unfocused);

        QTest::keyClick(copyright, key);
        EXPECT_EQ(xdgOpen.waitForArguments(1), QStringList{HomePageAddress()});
        ASSERT_FALSE(about.isNull());
        EXPECT_TRUE(about->isVisible());
        TearDown();
    }
}

TEST(AboutLifetime, ProgramRunsOnWhileAboutIsOpenAfterTheMainWindowClosed) {
    ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
    QObject timers; // ends every pending step with the test
    QWidget mainWindow;
    mainWindow.show();
    QPointer<frmAbout> about = frmAbout::showShared();
    bool runningAfterMainClosed = false;
    QTimer::singleShot(0, &timers, [&] { mainWindow.close(); });
    QTimer::singleShot(300, &timers, [&] {
        runningAfterMainClosed = !about.isNull() && about->isVisible();
        if (about)
            about->close();
    });
    QTimer::singleShot(10000, &timers, [] { QCoreApplication::exit(1); });
    QElapsedTimer clock;
    clock.start();
    const int status = QApplication::exec();
    EXPECT_TRUE(runningAfterMainClosed);
    // Closing the last window, About, ends the program as usual.
    EXPECT_EQ(status, 0);
    EXPECT_LT(clock.elapsed(), 10000);
}
