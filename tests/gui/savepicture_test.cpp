#include "gui/frmmain.h"
#include "gui/modmain.h"
#include "gui/savedialogs.h"
#include "gui/savepicture.h"
#include "gui/writingpreview.h"
#include "output/rowpicture.h"
#include "shippedwindow.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// File > Save Picture As of the window on the shipped alphabet, answered by the test.
class SavePictureTest : public ShippedWindowTest {
protected:
    QAction* savePicture() const { return command(u"mnuFileSavePicture"_s); }

    void saveAs(const QString& name, RowPictureOptions options = {}) {
        reported.savePictureAnswer = SavePictureRequest{output.filePath(name), options};
        savePicture()->trigger();
    }
};

TEST_F(SavePictureTest, IsEnabledOnlyWhileTheRowHasGlyphs) {
    EXPECT_FALSE(savePicture()->isEnabled());
    const std::pair<QString, bool> rows[] = {{u"ship"_s, true}, {u"+="_s, false}, {u"a"_s, true}};
    for (const auto& [text, enabled] : rows) {
        convert(text);
        EXPECT_EQ(savePicture()->isEnabled(), enabled) << text.toStdString();
    }
}

// Written as the window writes the name, at twice the size on a screen of two device pixels per
// pixel (the suite runs once more so).
TEST_F(SavePictureTest, SavesTheRowWhereTheUserSaysAsTheUserSays) {
    convert(u"ship"_s);
    command(u"mnuOptionsInColumns"_s)->trigger();
    saveAs(u"ship.png"_s, {true, false, 1.0, {}});
    QImageReader reader(output.filePath(u"ship.png"_s));
    const QImage saved = reader.read();
    ASSERT_FALSE(saved.isNull()) << reader.errorString().toStdString();
    const qreal scale = window->devicePixelRatioF() > 1.0 ? 2.0 : 1.0;
    const QImage written =
        rowImage(window->row(), {true, false, scale, window->preview()->layout().options});
    EXPECT_EQ(saved.size(), written.size());
    EXPECT_EQ(qAlpha(saved.pixel(0, 0)), 0);
    EXPECT_TRUE(reported.texts.isEmpty()) << reported.texts.join(u'\n').toStdString();
}

// First in a folder that is there, then where the last picture went.
TEST_F(SavePictureTest, ProposesTheTextAsTheNameThenTheFolderAndOptionsOfTheLastSave) {
    convert(u"ship"_s);
    saveAs(u"first.svg"_s, {false, true, 1.0, {}});
    convert(u"Ra/Re"_s);
    saveAs(u"second.svg"_s);
    ASSERT_EQ(reported.savePictureProposals.size(), 2);
    const QFileInfo first(reported.savePictureProposals.at(0).path);
    EXPECT_EQ(first.fileName(), u"ship.png"_s);
    EXPECT_TRUE(first.dir().exists()) << first.filePath().toStdString();
    const SavePictureRequest& second = reported.savePictureProposals.at(1);
    EXPECT_EQ(second.path, output.filePath(u"RaRe.png"_s));
    EXPECT_FALSE(second.options.transparent);
    EXPECT_TRUE(second.options.letters);
}

// The name proposed for a picture or a document: the text's first words, never a megabyte of it.
TEST(ProposedFileName, IsTheFirstWordsOfTheTextAsASafeShortName) {
    const std::pair<QString, QString> cases[] = {
        {u"Cleopatra and Christopher"_s, u"Cleopatra and Christopher"_s},
        {u"Ra/Re"_s, u"RaRe"_s},
        {u"Cleopatra ship Ra "_s.repeated(60000), u"Cleopatra ship Ra Cleopatra ship Ra"_s},
        {QString(100, u'a'), QString(40, u'a')},
        {u" \t..hidden\nname: a <b>? "_s, u"hidden name a b"_s},
        {u"Ends in dots..."_s, u"Ends in dots"_s},
        {u"*?/"_s, u"glyphs"_s},
    };
    for (const auto& [text, name] : cases)
        EXPECT_EQ(SaveDialogs::fileNameFor(text), name) << text.left(60).toStdString();
}

TEST_F(SavePictureTest, AFailureIsReportedAndCancelSavesNothing) {
    convert(u"ship"_s);
    saveAs(u"ship.bmp"_s);
    ASSERT_EQ(reported.texts.size(), 1);
    EXPECT_TRUE(reported.texts.at(0).startsWith(u"The picture was not saved: "_s));
    EXPECT_TRUE(reported.texts.at(0).contains(output.filePath(u"ship.bmp"_s)));

    reported.savePictureAnswer.reset();
    savePicture()->trigger();
    EXPECT_EQ(reported.texts.size(), 1);
    EXPECT_TRUE(QDir(output.path()).isEmpty());
}

// Answers the modal dialog of type T when it opens.
template <typename T> void whenOpen(const std::function<void(T*)>& answer) {
    QTimer::singleShot(10, [answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            answer(dialog);
        else
            whenOpen(answer);
    });
}

// The program's own dialogs: a name typed without its type takes the chosen filter's, and the
// options start as proposed.
TEST(SavePictureDialogs, AskForTheFileThenTheOptions) {
    const QTemporaryDir folder;
    whenOpen<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectNameFilter(dialog->nameFilters().at(1));
        dialog->selectFile(folder.filePath(u"row"_s));
        whenOpen<QDialog>([](QDialog* options) {
            options->findChildren<QCheckBox*>().at(1)->setChecked(true);
            options->accept();
        });
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its override
    });
    const std::optional<SavePictureRequest> chosen = SavePicture::askWithDialogs(
        nullptr, {folder.filePath(u"ship.png"_s), {true, false, 1.0, {}}});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, folder.filePath(u"row.svg"_s));
    EXPECT_TRUE(chosen->options.transparent);
    EXPECT_TRUE(chosen->options.letters);
}

} // namespace
