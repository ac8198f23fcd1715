#include "apptesting.h"
#include "colourscheme.h"
#include "datfile/clsdatfile.h"
#include "fakewordprocessor.h"
#include "gui/about/frmabout.h"
#include "gui/errorreport.h"
#include "gui/export/exporttoword.h"
#include "gui/frmmain.h"
#include "gui/frmmaindesign.h"
#include "gui/modmain.h"
#include "gui/steadycursor.h"
#include "gui/writingpreview.h"
#include "platform/runtimeerror.h"
#include "platform/twips.h"
#include "progressdialog.h"
#include "qtprinters.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <optional>
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <stdexcept>
#include <system_error>

namespace {

const QString caption = QStringLiteral("Scarabo - Kethra's English to Hieroglyphics Translator");

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        writeAlphabet("3,1\r\n\"Letters\"\r\n\"s\"\r\n\"sh\"\r\n");
    }

    void writeAlphabet(const QByteArray& bytes) {
        QFile file(folder.filePath(QStringLiteral("Alphabet.dat")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::unique_ptr<frmMain> open() {
        auto window = modMain::Main(reported.context(folder.path(), wordProcessor));
        if (window) {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        return window;
    }

    template <typename T> static T* control(const frmMain& window, const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    QTemporaryDir folder;
    RecordedMessages reported;
    WordProcessorFactory wordProcessor;
};

TEST_F(MainWindowTest, OpensWithCaptionFocusOnConvertAndTheAlphabetLoaded) {
    const auto window = open();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(*window, "cmdGo"));
    EXPECT_EQ(window->alphabet().Rows(), 3);
    EXPECT_TRUE(reported.texts.isEmpty());
    for (int k = 1; k <= frmMain::glyphBoxCount; ++k)
        EXPECT_TRUE(window->glyphFiles().at(k).isEmpty());
}

TEST_F(MainWindowTest, EveryControlHasItsDesignGeometryKindTextAndTag) {
    struct Expected {
        const char* name;
        const char* kind;
        const char* text;
        QRect pixels;
    };
    const Expected controls[] = {
        {"txtEnglish", "QLineEdit", "", {8, 40, 161, 25}},
        {"cmdGo", "QPushButton", "Convert", {176, 40, 65, 25}},
        {"cmdExit", "QPushButton", "Exit", {488, 280, 65, 25}},
        {"Label1", "QLabel", "English", {8, 24, 73, 17}},
        {"Label2", "QLabel", "Translation", {8, 128, 345, 25}},
        {"Label3", "QLabel", "", {8, 144, 545, 65}},
        {"Picture1", "QLabel", "", {16, 152, 50, 50}},
        {"Picture2", "QLabel", "", {69, 152, 50, 50}},
        {"Picture3", "QLabel", "", {122, 152, 50, 50}},
        {"Picture4", "QLabel", "", {175, 152, 50, 50}},
        {"Picture5", "QLabel", "", {228, 152, 50, 50}},
        {"Picture6", "QLabel", "", {281, 152, 50, 50}},
        {"Picture7", "QLabel", "", {334, 152, 50, 50}},
        {"Picture8", "QLabel", "", {387, 152, 50, 50}},
        {"Picture9", "QLabel", "", {441, 152, 50, 50}},
        {"Picture10", "QLabel", "", {494, 152, 50, 50}},
    };
    const auto window = open();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->centralWidget()->size(), QSize(560, 307));
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.name);
        const QWidget* widget = control<QWidget>(*window, expected.name);
        ASSERT_TRUE(widget);
        EXPECT_STREQ(widget->metaObject()->className(), expected.kind);
        EXPECT_EQ(widget->geometry(), expected.pixels);
        EXPECT_EQ(widget->property("Tag").toString(), QStringLiteral("X=1/2 Y=1/2"));
        const QVariant text = widget->property("text");
        EXPECT_EQ(text.toString(), QString::fromLatin1(expected.text));
    }
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndF1) {
    const auto window = open();
    ASSERT_TRUE(window);
    // File first and Help last; menus the program adds go between them.
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_GE(bar.size(), 2);
    const QList<QAction*> menus{bar.first(), bar.last()};
    EXPECT_EQ(menus.at(0)->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus.at(1)->text(), QStringLiteral("&Help"));
    const auto captions = [](QAction* menu) {
        QStringList texts;
        for (const QAction* item : menu->menu()->actions())
            texts.append(item->text());
        return texts;
    };
    EXPECT_EQ(captions(menus.at(0)),
              (QStringList{QStringLiteral("Export to &Word"), QStringLiteral("Save Picture &As..."),
                           QStringLiteral("Save As &Document..."), QStringLiteral("&Print..."),
                           QStringLiteral("Print Pre&view..."), QStringLiteral("E&xit")}));
    EXPECT_EQ(captions(menus.at(1)),
              (QStringList{QStringLiteral("&Contents"), QStringLiteral("&About")}));
    EXPECT_EQ(menus.at(1)->menu()->actions().at(0)->shortcut(), QKeySequence(Qt::Key_F1));
}

// Every size of the window icon is decoded and sent to the display when a window is created, so
// the built-in set must be complete for title bars and stop short of the large theme sizes.
TEST(ApplicationIcon, CarriesTheSmallSizesAndNothingLarger) {
    const QIcon icon = modMain::ApplicationIcon();
    QList<int> sizes;
    for (const QSize& size : icon.availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sizes.append(size.width());
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (QList<int>{16, 24, 32, 48, 64}));
    EXPECT_FALSE(icon.pixmap(48).isNull());
}

// Title bars take the icon at 16 and 32 pixels, the About window at 48: on a screen of two device
// pixels per pixel (CTest runs this once more with QT_SCALE_FACTOR=2) each is drawn from an image
// of the screen's resolution, never enlarged from a smaller one.
TEST(ApplicationIcon, IsDrawnAtTheScreensScale) {
    const QIcon previous = QApplication::windowIcon();
    QApplication::setWindowIcon(modMain::ApplicationIcon());
    frmAbout* about = frmAbout::showShared();
    QApplication::setWindowIcon(previous);
    const qreal scale = about->devicePixelRatioF();
    ASSERT_EQ(scale, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());

    const QPixmap aboutPicture = about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap();
    about->close();
    EXPECT_EQ(aboutPicture.size(), QSize(48, 48) * scale);
    EXPECT_EQ(aboutPicture.devicePixelRatio(), scale);
    for (const int titleBar : {16, 32})
        EXPECT_EQ(modMain::ApplicationIcon().pixmap(QSize(titleBar, titleBar), scale).size(),
                  QSize(titleBar, titleBar) * scale);
}

// All four edges of an empty glyph box stand out from its inside, the top and left darker than the
// bottom and right (a sunken box), in a light scheme and in a dark one.
TEST_F(MainWindowTest, GlyphBoxesShowAllFourEdgesSunkenInLightAndDarkSchemes) {
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        std::optional<DarkScheme> scheme;
        if (dark)
            scheme.emplace();
        const auto window = open();
        ASSERT_TRUE(window);
        const QImage box = window->picture(1)->grab().toImage();
        const QColor inside = box.pixelColor(25, 25);
        const QColor top = box.pixelColor(25, 0), left = box.pixelColor(0, 25);
        const QColor bottom = box.pixelColor(25, 49), right = box.pixelColor(49, 25);
        for (const QColor& edge : {top, left, bottom, right})
            EXPECT_GE(contrastRatio(edge, inside), 1.3) << edge.name().toStdString();
        EXPECT_LT(top.lightness(), bottom.lightness());
        EXPECT_LT(left.lightness(), right.lightness());
    }
}

// The text box is named after its label, and Alt+N, its access key, takes the focus there.
TEST_F(MainWindowTest, TheTextBoxIsNamedEnglishAndAltNFocusesIt) {
    const auto window = open();
    ASSERT_TRUE(window);
    auto* edit = control<QLineEdit>(*window, "txtEnglish");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name),
              QStringLiteral("English"));
    QTest::keyClick(window.get(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

// The label's text stays "English" while its access key, the N of Alt+N, shows underlined: the
// label draws as a plain one but for a line under that letter.
TEST_F(MainWindowTest, TheLabelUnderlinesItsAccessKeyAndKeepsItsText) {
    const auto window = open();
    ASSERT_TRUE(window);
    auto* label = control<QLabel>(*window, "Label1");
    EXPECT_EQ(label->text(), QStringLiteral("English"));
    QLabel plain(label->text());
    plain.setFont(label->font());
    plain.setPalette(label->palette());
    plain.resize(label->size());
    const QImage drawn = label->grab().toImage();
    const QImage bare = plain.grab().toImage();
    ASSERT_EQ(drawn.size(), bare.size());
    const QFontMetrics metrics = label->fontMetrics();
    const int nLeft = metrics.horizontalAdvance(QStringLiteral("E"));
    const int nRight = metrics.horizontalAdvance(QStringLiteral("En"));
    int changed = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (drawn.pixel(x, y) == bare.pixel(x, y))
                continue;
            ++changed;
            EXPECT_TRUE(x >= nLeft - 1 && x <= nRight + 1) << "changed at " << x << "," << y;
        }
    }
    EXPECT_GT(changed, 0) << "no underline drawn";
}

TEST_F(MainWindowTest, EscapeAndFileExitCloseTheWindow) {
    auto window = open();
    ASSERT_TRUE(window);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));

    window = open();
    ASSERT_TRUE(window);
    control<QAction>(*window, "mnuFileExit")->trigger();
    EXPECT_FALSE(window->isVisible());
}

// The ugly files are the bad-input suite's; here, the message a missing alphabet gives.
TEST_F(MainWindowTest, AMissingAlphabetIsNamedInAMessageAndNoWindowShows) {
    QFile::remove(folder.filePath(QStringLiteral("Alphabet.dat")));
    EXPECT_FALSE(modMain::Main(reported.context(folder.path())));
    ASSERT_EQ(reported.texts.size(), 1);
    EXPECT_EQ(reported.titles.at(0), caption);
    EXPECT_EQ(reported.texts.at(0),
              QStringLiteral("The alphabet file \"%1\" could not be loaded.\n\nRun-time error "
                             "'53':\n\nFile not found: %1")
                  .arg(folder.filePath(QStringLiteral("Alphabet.dat"))));
}

TEST_F(MainWindowTest, HelpAboutTwiceShowsOneAboutWindowAndTheMainWindowStaysUsable) {
    const auto window = open();
    ASSERT_TRUE(window);
    const auto aboutWindows = [] {
        int count = 0;
        for (const QWidget* top : QApplication::topLevelWidgets())
            count += top->isVisible() && top->inherits("frmAbout");
        return count;
    };
    control<QAction>(*window, "mnuHelpAbout")->trigger();
    control<QAction>(*window, "mnuHelpAbout")->trigger();
    EXPECT_EQ(aboutWindows(), 1);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("frmAbout"))
            top->close();
}

// The shipped alphabet and pictures, as the program finds them beside the executable.
class ConvertingWindowTest : public MainWindowTest {
protected:
    std::unique_ptr<frmMain> openShipped() {
        auto window =
            modMain::Main(reported.context(QStringLiteral(SCARABO_DATA_DIR), wordProcessor));
        EXPECT_TRUE(window);
        if (window) {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        return window;
    }

    static void convert(frmMain& window, const QString& text) {
        auto* edit = control<QLineEdit>(window, "txtEnglish");
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    static QStringList shownEntries(const frmMain& window) {
        QStringList entries;
        for (int k = 1; k <= frmMain::glyphBoxCount; ++k) {
            const QString& path = window.glyphFiles().at(k);
            const bool shown = !window.picture(k)->pixmap().isNull();
            EXPECT_EQ(shown, !path.isEmpty()) << "box " << k;
            if (!path.isEmpty())
                entries.append(QFileInfo(path).completeBaseName());
        }
        return entries;
    }
};

TEST_F(ConvertingWindowTest, EnterConvertsTheTextIntoPicturesAndASecondShorterResultClearsTheRest) {
    const auto window = openShipped();
    ASSERT_TRUE(window);
    convert(*window, QStringLiteral("Shipwright"));
    EXPECT_EQ(shownEntries(*window).join(u' '), QStringLiteral("sh i p w r i g h t"));
    EXPECT_EQ(window->glyphFiles().at(1),
              QStringLiteral(SCARABO_DATA_DIR) + QStringLiteral("/Images/sh.gif"));

    convert(*window, QStringLiteral("a +="));
    EXPECT_EQ(shownEntries(*window), QStringList{QStringLiteral("a")});

    convert(*window, QStringLiteral("abcdefghijklmnop"));
    EXPECT_EQ(shownEntries(*window).size(), 10);
    EXPECT_TRUE(reported.texts.isEmpty());
}

// The box has no length limit of its own: a pasted text far beyond Qt's default limit arrives
// whole.
TEST_F(ConvertingWindowTest, APastedTextOfAnyLengthIsConvertedToItsEnd) {
    const auto window = openShipped();
    ASSERT_TRUE(window);
    auto* edit = control<QLineEdit>(*window, "txtEnglish");
    QApplication::clipboard()->setText(QString(40000, u'-') + QStringLiteral("ship"));
    edit->setFocus();
    QTest::keySequence(edit, QKeySequence::Paste);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(shownEntries(*window).join(u' '), QStringLiteral("sh i p"));
}

// The box draws its whole line at every blink of the cursor: with a text that long in the box and
// the focus on it the cursor holds steady, and it blinks again after.
TEST_F(ConvertingWindowTest, ALongTextHoldsTheCursorSteadyWhileItIsInTheBox) {
    const auto window = openShipped();
    ASSERT_TRUE(window);
    auto* edit = control<QLineEdit>(*window, "txtEnglish");
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }));
    const QStyleHints* hints = QGuiApplication::styleHints();
    const int blink = hints->cursorFlashTime();
    ASSERT_GT(blink, 0);
    const QString longText(SteadyCursorForLongText::longText + 1, u'a');
    edit->setText(longText);
    EXPECT_EQ(hints->cursorFlashTime(), 0);
    edit->setText(QStringLiteral("ship"));
    EXPECT_EQ(hints->cursorFlashTime(), blink);
    edit->setText(longText);
    control<QPushButton>(*window, "cmdGo")->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([edit] { return !edit->hasFocus(); }));
    EXPECT_EQ(hints->cursorFlashTime(), blink);
}

// Whatever a command throws is shown in the same box, and the next command runs as usual.
TEST(CommandErrors, EveryKindOfExceptionIsReportedAndTheProgramGoesOn) {
    const std::system_error noThread(
        std::make_error_code(std::errc::resource_unavailable_try_again), "thread");
    const QString internalError = QStringLiteral("Run-time error '51':\n\nInternal error");
    const std::pair<std::exception_ptr, QString> cases[] = {
        {std::make_exception_ptr(RuntimeError(ErrorNumber::FileNotFound, QStringLiteral("x.dat"))),
         QStringLiteral("Run-time error '53':\n\nFile not found: x.dat")},
        {std::make_exception_ptr(std::bad_alloc()),
         QStringLiteral("Run-time error '7':\n\nOut of memory")},
        {std::make_exception_ptr(noThread),
         internalError + QStringLiteral(": ") + QString::fromLocal8Bit(noThread.what())},
        {std::make_exception_ptr(std::runtime_error("no printer")),
         internalError + QStringLiteral(": no printer")},
        {std::make_exception_ptr(42), internalError},
    };
    for (const auto& [exception, message] : cases) {
        RecordedMessages reported;
        const AppContext context = reported.context(QString());
        EXPECT_FALSE(
            ErrorReport::run(context, nullptr, [&] { std::rethrow_exception(exception); }));
        EXPECT_EQ(reported.texts, QStringList{message});
        EXPECT_TRUE(ErrorReport::run(context, nullptr, [] {}));
        EXPECT_EQ(reported.texts.size(), 1);
    }
}

TEST_F(MainWindowTest, AGlyphWithoutItsPictureShowsItsLettersQuietly) {
    writeAlphabet("3,1\r\n\"Letters\"\r\n\"Ka\"\r\n\"b\"\r\n");
    const auto window = open();
    ASSERT_TRUE(window);
    auto* edit = control<QLineEdit>(*window, "txtEnglish");
    QTest::keyClicks(edit, QStringLiteral("kAb"));
    control<QPushButton>(*window, "cmdGo")->click();

    EXPECT_EQ(window->glyphFiles().at(1), folder.filePath(QStringLiteral("Images/Ka.gif")));
    EXPECT_EQ(window->picture(1)->text(), QStringLiteral("Ka"));
    EXPECT_TRUE(
        window->picture(1)->toolTip().contains(folder.filePath(QStringLiteral("Images/Ka.gif"))));
    EXPECT_EQ(window->picture(2)->text(), QStringLiteral("b"));
    EXPECT_TRUE(window->picture(3)->text().isEmpty());
    EXPECT_TRUE(reported.texts.isEmpty());
}

TEST_F(MainWindowTest, ResizingKeepsTheGroupCentredAndNeverSmallerThanAtOpening) {
    const auto window = open();
    ASSERT_TRUE(window);
    const QSize opening = window->size();
    const QLabel* box = window->picture(1);

    // 67 x 40 pixels is 1005 x 600 twips: half of that moves the box to 742.5, 2580 twips.
    window->resize(opening + QSize(67, 40));
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->pos() == QPoint(50, 172); }))
        << box->pos().x() << "," << box->pos().y();
    EXPECT_EQ(box->size(), QSize(50, 50));

    window->resize(opening - QSize(100, 50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->size() == opening; }));
    EXPECT_EQ(box->pos(), QPoint(16, 152));

    window->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isMaximized(); }));
    const QSize growth = window->size() - opening;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return box->pos() == QPoint(16 + growth.width() / 2, 152 + growth.height() / 2);
    })) << box->pos().x()
        << "," << box->pos().y();
}

// The name as it is written, beside the row: a picture named by its text for a screen reader,
// redrawn at once as the Options menu says and remembered, growing with the window in space of its
// own, so that the designed controls keep their places.
TEST_F(ConvertingWindowTest, ThePreviewWritesTheNameAsTheOptionsSayInSpaceOfItsOwn) {
    {
        const auto window = openShipped();
        ASSERT_TRUE(window);
        WritingPreview* preview = window->preview();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(preview);
        EXPECT_EQ(accessible->role(), QAccessible::Graphic);
        EXPECT_TRUE(accessible->text(QAccessible::Name).isEmpty());
        convert(*window, QStringLiteral("Cleopatra"));
        EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Cleopatra"));
        EXPECT_TRUE(accessible->text(QAccessible::Description)
                        .startsWith(QStringLiteral("C: V31, basket; l: E23, lion; ")));

        control<QAction>(*window, "mnuOptionsInARow")->trigger();
        control<QAction>(*window, "mnuOptionsSeatedWoman")->trigger();
        EXPECT_EQ(preview->layout().options.arrangement, WritingOptions::Arrangement::Row);
        EXPECT_TRUE(accessible->text(QAccessible::Description)
                        .endsWith(QStringLiteral("; a: G1, vulture; B1, seated woman")));
        for (const frmMainDesign::Control& design : frmMainDesign::Controls) {
            const QRect place = control<QWidget>(*window, design.name)->geometry();
            EXPECT_EQ(place, pixelsFromTwips(design.twips)) << design.name;
            EXPECT_FALSE(place.intersects(preview->geometry())) << design.name;
        }
        const QSize opening = preview->size();
        window->resize(window->size() + QSize(100, 60));
        EXPECT_TRUE(QTest::qWaitFor([&] { return preview->size() == opening + QSize(50, 30); }))
            << preview->width() << " x " << preview->height();
    }
    const auto reopened = openShipped();
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(control<QAction>(*reopened, "mnuOptionsInARow")->isChecked());
    EXPECT_FALSE(control<QAction>(*reopened, "mnuOptionsInGroups")->isChecked());
    EXPECT_TRUE(control<QAction>(*reopened, "mnuOptionsSeatedWoman")->isChecked());
}

TEST_F(ConvertingWindowTest, AFailingExportIsReportedAndTheProgramGoesOn) {
    FakeWord word;
    word.installed = false;
    wordProcessor = [&word] { return std::make_unique<FakeWordProcessor>(word); };
    const auto window = openShipped();
    ASSERT_TRUE(window);
    convert(*window, QStringLiteral("ship"));
    const GlyphSlots converted = window->glyphFiles();

    control<QAction>(*window, "mnuFileWord")->trigger();
    ASSERT_EQ(reported.texts.size(), 1);
    EXPECT_TRUE(reported.texts.at(0).startsWith(QStringLiteral("Run-time error '429':")));
    EXPECT_EQ(reported.titles.at(0), caption);
    EXPECT_EQ(window->glyphFiles(), converted);
    EXPECT_TRUE(window->isVisible());

    word.installed = true;
    control<QAction>(*window, "mnuFileWord")->trigger();
    EXPECT_EQ(reported.texts.size(), 1);
    EXPECT_EQ(word.content, (QStringList{converted[1] + QStringLiteral(" [sh: N37, pool]"),
                                         converted[2] + QStringLiteral(" [i: M17, reed]"),
                                         converted[3] + QStringLiteral(" [p: Q3, stool]"),
                                         QStringLiteral("¶"), QStringLiteral("¶")}));
}

// Under each box the letters that made its glyph, on each box its letters and sign; an edit after
// a conversion dims the row and asks for Convert, and Convert brings it back.
TEST_F(ConvertingWindowTest, TheRowSaysWhichLettersMadeEachGlyphAndWhenItIsOutOfDate) {
    const auto window = openShipped();
    ASSERT_TRUE(window);
    const auto captions = [&window] {
        QStringList texts;
        for (int k = 1; k <= frmMain::glyphBoxCount; ++k)
            texts.append(control<QLabel>(*window, qPrintable(QStringLiteral("lblCaption%1").arg(k)))
                             ->text());
        return texts.join(u' ').trimmed();
    };
    auto* note = control<QLabel>(*window, "lblNote");
    QTest::keyClicks(control<QLineEdit>(*window, "txtEnglish"), QStringLiteral("s"));
    EXPECT_TRUE(note->text().isEmpty()) << "nothing converted yet, so nothing is out of date";
    EXPECT_TRUE(window->picture(1)->isEnabled());
    convert(*window, QStringLiteral("ship"));
    EXPECT_EQ(captions(), QStringLiteral("sh i p"));
    EXPECT_EQ(window->picture(1)->toolTip(), QStringLiteral("sh: N37, pool"));
    EXPECT_EQ(window->picture(1)->accessibleName(), QStringLiteral("sh: N37, pool"));
    EXPECT_TRUE(note->text().isEmpty());

    QTest::keyClicks(control<QLineEdit>(*window, "txtEnglish"), QStringLiteral("s"));
    EXPECT_FALSE(window->picture(1)->isEnabled());
    EXPECT_TRUE(note->text().contains(QStringLiteral("press Convert")));
    control<QPushButton>(*window, "cmdGo")->click();
    EXPECT_TRUE(window->picture(1)->isEnabled());
    EXPECT_EQ(captions(), QStringLiteral("sh i p s"));

    convert(*window, QStringLiteral("Christopher Columbus"));
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("Only 10 glyphs fit: 9 more characters")));

    // Too long for the window: the note ends at a whole word, and all of it is in its tooltip.
    convert(*window, QStringLiteral("Ra+=<>~^$|` shipwrights and more"));
    const QString whole = note->toolTip();
    EXPECT_EQ(whole, window->row().leftOutNote());
    EXPECT_EQ(note->accessibleDescription(), whole);
    ASSERT_TRUE(note->text().endsWith(u'\u2026')) << note->text().toStdString();
    const QString shown = note->text().chopped(1);
    EXPECT_TRUE(whole.startsWith(shown) && whole.at(shown.size()) == u' ')
        << shown.toStdString() << " | " << whole.toStdString();
    EXPECT_LE(note->fontMetrics().horizontalAdvance(note->text()), note->contentsRect().width());
    EXPECT_EQ(window->minimumSize(), window->size()) << "the opening size is the least";
}

// A letter with marks is spelled as its plain letter, shown as typed; numerals follow their option.
TEST_F(ConvertingWindowTest, AnAccentedNameAndANumberAreSpelled) {
    {
        const auto window = openShipped();
        ASSERT_TRUE(window);
        // Typed keys are ASCII only; the name arrives as from an input method.
        control<QLineEdit>(*window, "txtEnglish")->setText(QStringLiteral("Jos\u00e9"));
        control<QPushButton>(*window, "cmdGo")->click();
        EXPECT_EQ(shownEntries(*window).join(u' '), QStringLiteral("j o s e"));
        EXPECT_EQ(control<QLabel>(*window, "lblCaption4")->text(), QStringLiteral("\u00e9"));
        EXPECT_EQ(window->picture(4)->toolTip(), QStringLiteral("\u00e9, read as e: M17, reed"));
        EXPECT_TRUE(control<QLabel>(*window, "lblNote")->text().isEmpty());
        convert(*window, QStringLiteral("21"));
        EXPECT_EQ(shownEntries(*window).join(u' '), QStringLiteral("V20 V20 Z1"));
        control<QAction>(*window, "mnuOptionsNumerals")->trigger();
        EXPECT_TRUE(shownEntries(*window).isEmpty());
        control<QAction>(*window, "mnuOptionsSpellBySound")->trigger();
        convert(*window, QStringLiteral("Max"));
        EXPECT_EQ(shownEntries(*window).join(u' '), QStringLiteral("m a k s"));
    }
    const auto reopened = openShipped();
    ASSERT_TRUE(reopened);
    EXPECT_FALSE(control<QAction>(*reopened, "mnuOptionsNumerals")->isChecked());
    EXPECT_TRUE(control<QAction>(*reopened, "mnuOptionsSpellBySound")->isChecked());
}

TEST_F(ConvertingWindowTest, ConvertAsYouTypeConvertsOnEveryEditAndIsRemembered) {
    {
        const auto window = openShipped();
        ASSERT_TRUE(window);
        control<QAction>(*window, "mnuOptionsConvertAsYouType")->trigger();
        QTest::keyClicks(control<QLineEdit>(*window, "txtEnglish"), QStringLiteral("ship"));
        EXPECT_EQ(shownEntries(*window).join(u' '), QStringLiteral("sh i p"));
    }
    const auto reopened = openShipped();
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(control<QAction>(*reopened, "mnuOptionsConvertAsYouType")->isChecked());
}

// Cancel is the user's choice and a missing word processor is said in plain words, with no
// run-time error box; nothing of the export starts then.
TEST_F(ConvertingWindowTest, CancelAndAMissingWordProcessorShowNoRunTimeError) {
    FakeWord word;
    wordProcessor = [&word] { return std::make_unique<HangingWordProcessor>(word); };
    const auto window = openShipped();
    ASSERT_TRUE(window);
    convert(*window, QStringLiteral("ship"));
    QTimer cancelWhenShown;
    QObject::connect(&cancelWhenShown, &QTimer::timeout, [] {
        if (QProgressDialog* dialog = visibleProgressDialog())
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    });
    cancelWhenShown.start(50);
    control<QAction>(*window, "mnuFileWord")->trigger();
    EXPECT_TRUE(reported.texts.isEmpty());

    word.calls.clear();
    reported.wordProcessorInfo.notInstalled = QStringLiteral("Test Word is not installed.");
    control<QAction>(*window, "mnuFileWord")->trigger();
    EXPECT_EQ(reported.texts, QStringList{QStringLiteral("Test Word is not installed.")});
    EXPECT_TRUE(word.calls.isEmpty());
}

// The row as Unicode text, in the font that ships beside the program; an alphabet without code
// points shows no such line.
TEST_F(ConvertingWindowTest, TheRowIsAlsoUnicodeTextInTheShippedFont) {
    EXPECT_TRUE(modMain::LoadFonts(QStringLiteral(SCARABO_APP_DIR)).contains(u"Aegyptus"));
    EXPECT_TRUE(modMain::LoadFonts(folder.path()).isEmpty());
    const auto window = openShipped();
    ASSERT_TRUE(window);
    auto* unicode = control<QLabel>(*window, "lblUnicode");
    convert(*window, QStringLiteral("ship"));
    EXPECT_EQ(unicode->text(), QStringLiteral("\U00013219\U000131CB\U000132AA"));
    EXPECT_TRUE(unicode->isVisible());
    EXPECT_TRUE(unicode->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
    EXPECT_EQ(unicode->font().family(), QStringLiteral("Aegyptus"));
    EXPECT_FALSE(unicode->toolTip().isEmpty());
    // The signs stand about half as tall as a glyph box, in the text colour, and do not touch.
    const QRect ink =
        unicode->fontMetrics().tightBoundingRect(QStringLiteral("\U00013000")); // A1, a tall sign
    EXPECT_NEAR(ink.height(), window->picture(1)->height() / 2, 3);
    EXPECT_EQ(unicode->foregroundRole(), QPalette::WindowText);
    EXPECT_GT(unicode->font().letterSpacing(), 0);

    const auto plain = open(); // its alphabet has letters only
    ASSERT_TRUE(plain);
    EXPECT_FALSE(control<QLabel>(*plain, "lblUnicode")->isVisible());
}

// On a screen of two device pixels per pixel (CTest runs this once more with QT_SCALE_FACTOR=2) a
// box shows the picture drawn at twice the size, pixel for pixel; an alphabet without one shows its
// 48-pixel picture as before, enlarged by the screen.
TEST_F(ConvertingWindowTest, ABoxShowsThePictureMadeForTheScreensScale) {
    const QString shipped = QStringLiteral(SCARABO_DATA_DIR);
    writeAlphabet("2,1\r\n\"Letters\"\r\n\"sh\"\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Images")));
    ASSERT_TRUE(QFile::copy(shipped + QStringLiteral("/Images/sh.gif"),
                            folder.filePath(QStringLiteral("Images/sh.gif"))));
    const struct {
        std::function<std::unique_ptr<frmMain>()> open;
        QString applicationFolder;
        const char* pictureAt1x;
        const char* pictureAt2x;
    } cases[] = {
        {[this] { return openShipped(); }, shipped, "sh.gif", "sh@2x.gif"},
        {[this] { return open(); }, folder.path(), "sh.gif", "sh.gif"},
    };
    const auto rgb = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_RGB32);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.applicationFolder.toStdString());
        const auto window = c.open();
        ASSERT_TRUE(window);
        convert(*window, QStringLiteral("ship"));
        QLabel* box = window->picture(1);
        const qreal scale = box->devicePixelRatioF();
        ASSERT_EQ(scale, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());

        const QImage picture(c.applicationFolder + QStringLiteral("/Images/") +
                             QLatin1String(scale > 1 ? c.pictureAt2x : c.pictureAt1x));
        EXPECT_EQ(rgb(box->pixmap().toImage()), rgb(picture));
        EXPECT_EQ(box->pixmap().deviceIndependentSize(), QSizeF(48, 48));
        // A picture made for the screen's scale reaches the screen pixel for pixel, inside the
        // box's one-pixel frame.
        const QSize devicePixels = QSize(48, 48) * scale;
        if (picture.size() == devicePixels) {
            const QRect inside(QPoint(1, 1) * scale, devicePixels);
            EXPECT_EQ(rgb(box->grab().toImage().copy(inside)), rgb(picture));
        }
    }
    EXPECT_TRUE(reported.texts.isEmpty());
}

// Copy offers the row in every flavour, Copy as Picture the picture alone; a selection in the text
// box is copied as everywhere; with no glyphs there is nothing to copy.
TEST_F(ConvertingWindowTest, CopyOffersTheRowAndATextSelectionStaysTheTextBoxs) {
    const auto window = openShipped();
    ASSERT_TRUE(window);
    auto* copy = control<QAction>(*window, "mnuEditCopy");
    EXPECT_FALSE(copy->isEnabled());
    convert(*window, QStringLiteral("ship"));
    ASSERT_TRUE(copy->isEnabled());

    control<QPushButton>(*window, "cmdGo")->setFocus();
    copy->trigger();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), QStringLiteral("\U00013219\U000131CB\U000132AA"));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("alt=\"sh\"")));
    EXPECT_TRUE(copied->hasImage());
    EXPECT_EQ(QString::fromUtf8(copied->data(QStringLiteral("text/plain;charset=utf-8"))),
              QStringLiteral("\U00013219\U000131CB\U000132AA"));

    control<QAction>(*window, "mnuEditCopyPicture")->trigger();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasImage());
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasText());

    auto* edit = control<QLineEdit>(*window, "txtEnglish");
    edit->setFocus();
    edit->setSelection(1, 2);
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hi"));

    // The key itself, where the cursor nearly always is: a selection is copied, else the row.
    QApplication::clipboard()->clear();
    edit->setSelection(0, 2);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("sh"));
    edit->deselect();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("\U00013219\U000131CB\U000132AA"));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasImage());
}

// Started with a text, the window opens with it converted, and the focus still on Convert.
TEST_F(ConvertingWindowTest, AStartWithATextOpensTheWindowWithItConverted) {
    const auto window = openShipped();
    ASSERT_TRUE(window);
    window->showConverted(QStringLiteral("ship"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEnglish")->text(), QStringLiteral("ship"));
    EXPECT_EQ(shownEntries(*window).join(u' '), QStringLiteral("sh i p"));
    EXPECT_TRUE(control<QLabel>(*window, "lblNote")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(*window, "cmdGo"));
}

// The new commands say in plain words what failed, naming the file and what to do; the export's
// failure to start the word processor too, when the backend words it.
TEST_F(ConvertingWindowTest, NewCommandsAndAFailedStartSpeakPlainly) {
    FakeWord word;
    word.installed = false;
    wordProcessor = [&word] { return std::make_unique<FakeWordProcessor>(word); };
    reported.wordProcessorInfo.cannotStart = QStringLiteral("Test Word could not be started: %1.");
    const auto window = openShipped();
    ASSERT_TRUE(window);
    convert(*window, QStringLiteral("ship"));
    const QString missing = folder.filePath(QStringLiteral("no such folder/ship.pdf"));
    reported.saveDocumentAnswer = SaveDocumentRequest{missing, DocumentOptions{}};
    control<QAction>(*window, "mnuFileSaveDocument")->trigger();
    control<QAction>(*window, "mnuFileWord")->trigger();

    ASSERT_EQ(reported.texts.size(), 2);
    EXPECT_EQ(reported.texts.at(0),
              QStringLiteral("The document was not saved: the folder of \u201c%1\u201d does not "
                             "exist.\n\nChoose an existing folder and try again.")
                  .arg(missing));
    EXPECT_TRUE(
        reported.texts.at(1).startsWith(QStringLiteral("Test Word could not be started: ")));
    EXPECT_FALSE(reported.texts.at(1).contains(QStringLiteral("Run-time error")));
}

} // namespace
