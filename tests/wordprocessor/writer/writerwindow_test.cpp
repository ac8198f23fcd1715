#include "apptesting.h"
#include "gui/frmmain.h"
#include "gui/modmain.h"
#include "officesession.h"

#include <gmock/gmock.h>
#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

TEST(WriterWindow, ConvertShipThenFileExportToWordPutsItsGlyphsIntoTheDocument) {
    OfficeSession session;
    session.startOffice();
    const WriterSettings settings = session.settings();
    RecordedMessages reported;
    const auto window =
        modMain::Main(reported.context(QStringLiteral(SCARABO_DATA_DIR), [settings] {
            return std::make_unique<WriterWordProcessor>(settings);
        }));
    ASSERT_TRUE(window);

    window->findChild<QLineEdit*>(QStringLiteral("txtEnglish"))->setText(QStringLiteral("ship"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdGo")), Qt::LeftButton);
    window->findChild<QAction*>(QStringLiteral("mnuFileWord"))->trigger();

    EXPECT_THAT(reported.texts, testing::IsEmpty());
    // Each picture with the letters that made its glyph and its sign, for screen readers.
    const QStringList altTexts = {QStringLiteral("sh: N37, pool"), QStringLiteral("i: M17, reed"),
                                  QStringLiteral("p: Q3, stool")};
    QStringList pictures;
    for (int slot = 1; slot <= frmMain::glyphBoxCount; ++slot) {
        const QString& path = window->glyphFiles().at(slot);
        if (!path.isEmpty()) {
            const QSize size = QImage(path).size();
            pictures.append(QStringLiteral("%1x%2{%3}")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(altTexts.value(slot - 1)));
        }
    }
    EXPECT_EQ(pictures.size(), 3); // sh, i, p
    const DocumentDescription stored = session.describeActiveDocument();
    EXPECT_THAT(stored.docx, testing::ElementsAre(pictures.join(u' '), QString(), QString()));
    EXPECT_EQ(stored.odt, stored.docx);
    // The office ran without a document: the export added exactly one.
    EXPECT_EQ(session.state().textDocuments, 1);
}

} // namespace
