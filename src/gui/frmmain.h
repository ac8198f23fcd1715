#pragma once

#include "core/converter.h"
#include "core/glyphrow.h"
#include "core/glyphslots.h"
#include "gui/appcontext.h"

#include <array>
#include <memory>
#include <optional>
#include <QMainWindow>
#include <QString>
#include <vector>

class clsDatFile;
class clsLayout;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSettings;
class RowExplanation;
class WritingMenu;
class WritingPreview;

// The program's only working window: English in, a row of up to ten glyph pictures out.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int glyphBoxCount = GlyphMatcher::MaxGlyphs;

    // The context's application folder is where Alphabet.dat, Images and Help live.
    explicit frmMain(AppContext context, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up steps that run before the window first shows; throws RuntimeError when the
    // alphabet cannot be loaded.
    void Load();

    // Puts text into the English box and converts it, as a start with a text asks.
    void showConverted(const QString& text);

    const GlyphSlots& glyphFiles() const { return mGlyphFiles; }
    const clsDatFile& alphabet() const { return *mAlphabet; }
    QLabel* picture(int k) const { return mPictures.at(k - 1); }
    const GlyphRow& row() const { return mRow; }
    WritingPreview* preview() const { return mPreview; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenus();
    void createKeys();
    void setTabOrder();
    template <typename Source, typename Signal>
    void route(Source* source, Signal signal, void (frmMain::*handler)());
    // For the commands that speak plainly when they fail; failed says what could not be done.
    void routePlainly(QAction* action, const QString& failed, void (frmMain::*handler)());
    void InitForm();

    void cmdGo_Click();
    void cmdExit_Click();
    void mnuFileWord_Click();
    void mnuFileSavePicture_Click();
    void mnuFileSaveDocument_Click();
    void mnuFilePrint_Click();
    void mnuFilePrintPreview_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void mnuOptionsConvertAsYouType_Click();
    void mnuOptionsNumerals_Click();
    void mnuOptionsSpellBySound_Click();
    void mnuOptionsWriting_Click();
    void applySpelling();
    void tellOfDamagedAlphabet();
    void mnuEditCopy_Click();
    void mnuEditCopyPicture_Click();
    void showRowMenu(QWidget* source, const QPoint& position);
    void txtEnglish_Change();

    QList<QObject*> layoutControls() const;
    void showGlyphs();
    void showWriting();
    // The row's picture for the screen, written as the Options menu says.
    RowPictureOptions screenPicture() const;
    void showOutOfDate(bool outOfDate);
    void enableRowCommands();
    void makeRowTransferable();
    GlyphRow wholeRow();
    std::unique_ptr<QSettings> settings() const;

    const AppContext mContext;
    std::unique_ptr<clsLayout> mLayout;
    std::shared_ptr<clsDatFile> mAlphabet;
    std::optional<Converter> mConverter; // over mAlphabet
    GlyphSlots mGlyphFiles;
    GlyphRow mRow;
    std::unique_ptr<RowExplanation> mExplanation;
    bool mConverted = false; // until the first conversion no row can be out of date

    QWidget* mClient = nullptr;
    std::vector<QWidget*> mControls; // in the window's control order
    std::array<QLabel*, glyphBoxCount> mPictures{};
    QLineEdit* txtEnglish = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdGo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    WritingPreview* mPreview = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileWord = nullptr;
    QAction* mnuFileSavePicture = nullptr;
    QAction* mnuFileSaveDocument = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFilePrintPreview = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditCopyPicture = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuOptionsConvertAsYouType = nullptr;
    QAction* mnuOptionsNumerals = nullptr;
    QAction* mnuOptionsSpellBySound = nullptr;
    WritingMenu* mWriting = nullptr; // the Options menu's items of how the name is written
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpAbout = nullptr;
};
