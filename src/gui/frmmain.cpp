#include "gui/frmmain.h"

#include "core/glyphmatcher.h"
#include "datfile/clsdatfile.h"
#include "gui/about/frmabout.h"
#include "gui/about/helpcontents.h"
#include "gui/accesskeylabel.h"
#include "gui/copykey.h"
#include "gui/errorreport.h"
#include "gui/export/exporttoword.h"
#include "gui/frmmaindesign.h"
#include "gui/layout/qtlayoutwindow.h"
#include "gui/plainfailure.h"
#include "gui/rowexplanation.h"
#include "gui/rowtransfer.h"
#include "gui/savedocument.h"
#include "gui/savepicture.h"
#include "gui/steadycursor.h"
#include "gui/writingmenu.h"
#include "gui/writingpreview.h"
#include "layout/clslayout.h"
#include "output/rowpicture.h"
#include "platform/twips.h"

#include <limits>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <utility>

namespace {

const QString convertAsYouTypeKey = QStringLiteral("convertAsYouType");
const QString numeralsKey = QStringLiteral("numerals");
const QString spellingKey = QStringLiteral("spelling"); // "letters" or "sound"
const QString bySound = QStringLiteral("sound");

// Glyph boxes and the band behind them are painted in the system's window colours.
void paintAsWindowSurface(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

template <typename T> T* named(T* object, QStringView name) {
    object->setObjectName(name.toString());
    return object;
}

QColor mixed(const QColor& from, const QColor& to, float share) {
    const auto channel = [share](int a, int b) { return qRound(float(a) + share * float(b - a)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

// A sunken panel draws its top and left edges in the Dark colour and the others in the Light one,
// which on a white surface is white too. Both are taken between the surface and its text colour
// instead, the top and left the darker of the two, so that all four edges show and the box still
// looks sunken in light schemes and dark ones.
void showAllFourEdges(QWidget* box) {
    QPalette palette = box->palette();
    const QColor surface = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    QColor shadow = mixed(surface, text, 0.3f);
    QColor light = mixed(surface, text, 0.15f);
    if (shadow.lightness() > light.lightness())
        std::swap(shadow, light);
    palette.setColor(QPalette::Dark, shadow);
    palette.setColor(QPalette::Light, light);
    box->setPalette(palette);
}

QLabel* newPictureBox(QWidget* parent) {
    auto* box = new QLabel(parent);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop); // shown from the corner, clipped, never scaled
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    box->setLineWidth(1);
    box->setMargin(0);
    paintAsWindowSurface(box);
    showAllFourEdges(box);
    return box;
}

} // namespace

frmMain::frmMain(AppContext context, QWidget* parent)
    : QMainWindow(parent)
    , mContext(std::move(context)) {
    setWindowTitle(mContext.title);
    createControls();
    createMenus();
    createKeys();
    setTabOrder();
    resize(pixelsFromTwips(frmMainDesign::ClientWidth),
           pixelsFromTwips(frmMainDesign::ClientHeight) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::createControls() {
    mClient = new QWidget(this);
    setCentralWidget(mClient);

    for (int k = 1; k <= glyphBoxCount; ++k)
        mPictures.at(k - 1) = named(newPictureBox(mClient), QStringLiteral("Picture%1").arg(k));
    txtEnglish = named(new QLineEdit(mClient), u"txtEnglish");
    cmdExit = named(new QPushButton(tr("Exit"), mClient), u"cmdExit");
    cmdGo = named(new QPushButton(tr("Convert"), mClient), u"cmdGo");
    // Its access key, N, is underlined while its text stays "English" (see createKeys).
    Label1 = named(new AccessKeyLabel(tr("English"), 1, mClient), u"Label1");
    Label2 = named(new QLabel(tr("Translation"), mClient), u"Label2");
    Label3 = named(new QLabel(mClient), u"Label3");

    paintAsWindowSurface(Label3);
    Label3->lower(); // the band lies behind the glyph row
    for (QLabel* box : mPictures)
        box->setFocusPolicy(Qt::NoFocus);
    cmdGo->setDefault(true);
    // No length limit of its own: Qt's default of 32,767 would cut a longer pasted text silently.
    txtEnglish->setMaxLength(std::numeric_limits<int>::max());
    new SteadyCursorForLongText(txtEnglish);

    for (const frmMainDesign::Control& design : frmMainDesign::Controls) {
        QWidget* control = mClient->findChild<QWidget*>(QString::fromLatin1(design.name),
                                                        Qt::FindDirectChildrenOnly);
        control->setGeometry(pixelsFromTwips(design.twips));
        control->setProperty("Tag", QString::fromLatin1(frmMainDesign::LayoutTag));
        mControls.push_back(control);
    }
    mExplanation = std::make_unique<RowExplanation>(mClient);
    for (QWidget* control : mExplanation->controls())
        mControls.push_back(control);
    mPreview = named(new WritingPreview(mClient), QString::fromLatin1(frmMainDesign::Preview.name));
    mPreview->setGeometry(pixelsFromTwips(frmMainDesign::Preview.twips));
    mPreview->setProperty("Tag", QString::fromLatin1(frmMainDesign::PreviewTag));
    mControls.push_back(mPreview);
    // A screen reader names the text box after its label.
    Label1->setBuddy(txtEnglish);

    route(cmdGo, &QPushButton::clicked, &frmMain::cmdGo_Click);
    route(cmdExit, &QPushButton::clicked, &frmMain::cmdExit_Click);
    route(txtEnglish, &QLineEdit::textChanged, &frmMain::txtEnglish_Change);
    new CopyWithoutSelection(txtEnglish);
}

void frmMain::createMenus() {
    mnuFile = named(menuBar()->addMenu(tr("&File")), u"mnuFile");
    mnuFileWord = named(mnuFile->addAction(tr("Export to &Word")), u"mnuFileWord");
    mnuFileSavePicture =
        named(mnuFile->addAction(tr("Save Picture &As...")), u"mnuFileSavePicture");
    routePlainly(mnuFileSavePicture, tr("The picture was not saved"),
                 &frmMain::mnuFileSavePicture_Click);
    mnuFileSaveDocument =
        named(mnuFile->addAction(tr("Save As &Document...")), u"mnuFileSaveDocument");
    routePlainly(mnuFileSaveDocument, tr("The document was not saved"),
                 &frmMain::mnuFileSaveDocument_Click);
    mnuFilePrint = named(mnuFile->addAction(tr("&Print...")), u"mnuFilePrint");
    mnuFilePrint->setShortcut(QKeySequence::Print);
    routePlainly(mnuFilePrint, tr("The row was not printed"), &frmMain::mnuFilePrint_Click);
    mnuFilePrintPreview =
        named(mnuFile->addAction(tr("Print Pre&view...")), u"mnuFilePrintPreview");
    routePlainly(mnuFilePrintPreview, tr("The print preview could not be shown"),
                 &frmMain::mnuFilePrintPreview_Click);
    mnuFileExit = named(mnuFile->addAction(tr("E&xit")), u"mnuFileExit");
    mnuEdit = named(menuBar()->addMenu(tr("&Edit")), u"mnuEdit");
    mnuEditCopy = named(mnuEdit->addAction(tr("&Copy")), u"mnuEditCopy");
    mnuEditCopy->setShortcut(QKeySequence::Copy);
    mnuEditCopyPicture = named(mnuEdit->addAction(tr("Copy as &Picture")), u"mnuEditCopyPicture");
    mnuOptions = named(menuBar()->addMenu(tr("&Options")), u"mnuOptions");
    mnuOptionsConvertAsYouType =
        named(mnuOptions->addAction(tr("Convert as You &Type")), u"mnuOptionsConvertAsYouType");
    mnuOptionsConvertAsYouType->setCheckable(true);
    mnuOptionsConvertAsYouType->setChecked(settings()->value(convertAsYouTypeKey, false).toBool());
    mnuOptionsNumerals =
        named(mnuOptions->addAction(tr("Egyptian &Numerals")), u"mnuOptionsNumerals");
    mnuOptionsNumerals->setCheckable(true);
    mnuOptionsNumerals->setChecked(settings()->value(numeralsKey, true).toBool());
    mnuOptionsSpellBySound =
        named(mnuOptions->addAction(tr("Spell by &Sound")), u"mnuOptionsSpellBySound");
    mnuOptionsSpellBySound->setCheckable(true);
    mnuOptionsSpellBySound->setChecked(settings()->value(spellingKey).toString() == bySound);
    mWriting = new WritingMenu(mnuOptions, *settings(), this);
    mnuHelp = named(menuBar()->addMenu(tr("&Help")), u"mnuHelp");
    mnuHelpContents = named(mnuHelp->addAction(tr("&Contents")), u"mnuHelpContents");
    mnuHelpContents->setShortcut(QKeySequence(Qt::Key_F1));
    mnuHelpAbout = named(mnuHelp->addAction(tr("&About")), u"mnuHelpAbout");

    route(mnuFileWord, &QAction::triggered, &frmMain::mnuFileWord_Click);
    route(mnuFileExit, &QAction::triggered, &frmMain::cmdExit_Click);
    route(mnuHelpContents, &QAction::triggered, &frmMain::mnuHelpContents_Click);
    route(mnuHelpAbout, &QAction::triggered, &frmMain::mnuHelpAbout_Click);
    route(mnuOptionsConvertAsYouType, &QAction::triggered,
          &frmMain::mnuOptionsConvertAsYouType_Click);
    route(mnuOptionsNumerals, &QAction::triggered, &frmMain::mnuOptionsNumerals_Click);
    route(mnuOptionsSpellBySound, &QAction::triggered, &frmMain::mnuOptionsSpellBySound_Click);
    route(mWriting, &WritingMenu::changed, &frmMain::mnuOptionsWriting_Click);
    route(mnuEditCopy, &QAction::triggered, &frmMain::mnuEditCopy_Click);
    route(mnuEditCopyPicture, &QAction::triggered, &frmMain::mnuEditCopyPicture_Click);
    makeRowTransferable();
}

// Every command runs through the error report, so an error in one command never ends the program.
template <typename Source, typename Signal>
void frmMain::route(Source* source, Signal signal, void (frmMain::*handler)()) {
    connect(source, signal, this, [this, handler] {
        ErrorReport::run(mContext, this, [this, handler] { (this->*handler)(); });
    });
}

void frmMain::routePlainly(QAction* action, const QString& failed, void (frmMain::*handler)()) {
    connect(action, &QAction::triggered, this, [this, failed, handler] {
        PlainFailure::run(mContext, this, failed, [this, handler] { (this->*handler)(); });
    });
}

void frmMain::createKeys() {
    // A main window has no dialog-style default and cancel buttons, so Enter and Esc are wired
    // here: Enter presses the focused push button, or else the default button.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this] {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            (focused ? focused : cmdGo)->click();
        });
    }
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, cmdExit,
            &QPushButton::click);
    // The access key of the text box. Its label's text is "English" without a mnemonic, and Alt+E
    // is left to an Edit menu, so it is the label's second letter, N.
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_N), this), &QShortcut::activated, this,
            [this] { txtEnglish->setFocus(Qt::ShortcutFocusReason); });
}

void frmMain::setTabOrder() {
    // Tab indexes: cmdGo, cmdExit, then the text box; labels and glyph boxes take no focus.
    QWidget::setTabOrder(cmdGo, cmdExit);
    QWidget::setTabOrder(cmdExit, txtEnglish);
    cmdGo->setFocus();
}

void frmMain::Load() {
    setWindowState(Qt::WindowNoState);
    mLayout = std::make_unique<clsLayout>();
    mLayout->SetLayout(QtLayoutWindow::create(this, layoutControls()));
    InitForm();
    // Told to the window manager, so a drag stops at the opening size instead of springing back;
    // the layout manager's own clamp stays for whatever gets past this.
    setMinimumSize(size());
}

QList<QObject*> frmMain::layoutControls() const {
    QList<QObject*> controls(mControls.begin(), mControls.end());
    controls << mnuFile->menuAction() << mnuFileWord << mnuFileExit << mnuHelp->menuAction()
             << mnuHelpContents << mnuHelpAbout;
    return controls;
}

void frmMain::InitForm() {
    setWindowTitle(mContext.title);
    mAlphabet = std::make_shared<clsDatFile>();
    mAlphabet->setFileName(Alphabet::tablePath(mContext.applicationFolder));
    mAlphabet->Load();
    mConverter.emplace(Alphabet(mAlphabet, Alphabet::imagesFolder(mContext.applicationFolder)),
                       ReadingOptions{mnuOptionsNumerals->isChecked()});
    tellOfDamagedAlphabet();
    ErrorReport::run(mContext, this, [this] { applySpelling(); });
    // The empty row of this alphabet, so the lines under the row show what it offers from the
    // start.
    mRow = mConverter->row(QString());
    mExplanation->show(mRow);
    enableRowCommands();
}

void frmMain::showConverted(const QString& text) {
    txtEnglish->setText(text);
    ErrorReport::run(mContext, this, [this] { cmdGo_Click(); });
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (mLayout)
        ErrorReport::run(mContext, this, [this] { mLayout->RedrawLayout(); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    mLayout.reset();
    event->accept();
}

void frmMain::cmdGo_Click() {
    mRow = mConverter->row(txtEnglish->text());
    mGlyphFiles = mRow.glyphFiles();
    showGlyphs();
    showWriting();
    mExplanation->show(mRow);
    showOutOfDate(false);
    enableRowCommands();
    mConverted = true;
}

// Each box shows its glyph from the corner at the picture's own size. A picture that cannot be
// read leaves the glyph's letters in the box, so the row still reads.
void frmMain::showGlyphs() {
    const GlyphSlots labels = mRow.labels();
    for (int k = 1; k <= glyphBoxCount; ++k) {
        QLabel* box = picture(k);
        const QString& path = mGlyphFiles.at(k);
        const QString& label = labels.at(k);
        const QPixmap glyph = QPixmap::fromImage(glyphPictureFor(path, box->devicePixelRatioF()));
        box->setToolTip(label);
        box->setAccessibleName(label);
        if (path.isEmpty()) {
            box->clear();
        } else if (!glyph.isNull()) {
            box->setPixmap(glyph);
        } else {
            box->setText(QFileInfo(path).completeBaseName());
            box->setToolTip(label + u'\n' + tr("Picture not found: %1").arg(path));
        }
    }
}

void frmMain::showWriting() {
    mPreview->showWriting(mRow, mWriting->options());
}

void frmMain::txtEnglish_Change() {
    if (mnuOptionsConvertAsYouType->isChecked())
        cmdGo_Click();
    else
        showOutOfDate(mConverted && txtEnglish->text() != mRow.text());
}

// The pictures dim with the captions, so a row that no longer shows the text reads as such. A
// disabled label alone leaves a picture as it is, so the pictures fade too.
void frmMain::showOutOfDate(bool outOfDate) {
    for (QLabel* box : mPictures) {
        box->setEnabled(!outOfDate);
        auto* fade = outOfDate ? new QGraphicsOpacityEffect(box) : nullptr;
        if (fade)
            fade->setOpacity(0.3);
        box->setGraphicsEffect(fade); // takes the effect; null removes it
    }
    mPreview->setEnabled(!outOfDate); // drawn in the disabled text colour
    mExplanation->setOutOfDate(outOfDate);
}

// The documents hold the whole text of the last conversion, not only the glyphs the window shows.
GlyphRow frmMain::wholeRow() {
    return mConverter->row(mRow.text(), Converter::WholeText);
}

void frmMain::enableRowCommands() {
    const bool hasGlyphs = !mRow.glyphs().isEmpty();
    for (QAction* command :
         {mnuFileSavePicture, mnuFileSaveDocument, mnuFilePrint, mnuFilePrintPreview})
        command->setEnabled(hasGlyphs);
    mnuEditCopy->setEnabled(hasGlyphs);
    mnuEditCopyPicture->setEnabled(hasGlyphs);
}

RowPictureOptions frmMain::screenPicture() const {
    return {false, false, devicePixelRatioF(), mWriting->options()};
}

// The glyph band, the boxes and the preview offer the row: a drag takes it into another program,
// and their context menu holds the same commands as the Edit menu.
void frmMain::makeRowTransferable() {
    auto* drag = new RowDragSource(
        [this] { return mRow.glyphs().isEmpty() ? nullptr : rowMimeData(mRow, screenPicture()); },
        this);
    QList<QWidget*> sources{Label3, mPreview};
    sources.append(QList<QWidget*>(mPictures.begin(), mPictures.end()));
    for (QWidget* source : sources) {
        drag->watch(source);
        source->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(source, &QWidget::customContextMenuRequested, this,
                [this, source](const QPoint& position) { showRowMenu(source, position); });
    }
}

void frmMain::showRowMenu(QWidget* source, const QPoint& position) {
    QMenu menu(this);
    menu.addActions({mnuEditCopy, mnuEditCopyPicture, mnuFileSavePicture});
    menu.exec(source->mapToGlobal(position));
}

// Ctrl+C in the text box, or in the Unicode line, copies what is selected there, as everywhere.
void frmMain::mnuEditCopy_Click() {
    if (txtEnglish->hasFocus() && txtEnglish->hasSelectedText()) {
        txtEnglish->copy();
        return;
    }
    QLabel* unicode = mExplanation->unicode();
    if (unicode->hasFocus() && unicode->hasSelectedText()) {
        QGuiApplication::clipboard()->setText(unicode->selectedText());
        return;
    }
    if (!mRow.glyphs().isEmpty())
        copyRow(mRow, screenPicture());
}

void frmMain::mnuEditCopyPicture_Click() {
    if (!mRow.glyphs().isEmpty())
        copyRowPicture(mRow, screenPicture());
}

void frmMain::mnuOptionsConvertAsYouType_Click() {
    settings()->setValue(convertAsYouTypeKey, mnuOptionsConvertAsYouType->isChecked());
    txtEnglish_Change();
}

void frmMain::mnuOptionsNumerals_Click() {
    settings()->setValue(numeralsKey, mnuOptionsNumerals->isChecked());
    mConverter->setOptions(ReadingOptions{mnuOptionsNumerals->isChecked()});
    if (mConverted)
        cmdGo_Click();
}

void frmMain::mnuOptionsSpellBySound_Click() {
    applySpelling();
    settings()->setValue(spellingKey,
                         mnuOptionsSpellBySound->isChecked() ? bySound : QStringLiteral("letters"));
    if (mConverted)
        cmdGo_Click();
}

void frmMain::mnuOptionsWriting_Click() {
    mWriting->remember(*settings());
    if (mConverted)
        showWriting();
}

// The rules are read each time spelling by sound is chosen, so an edited table takes effect; one
// that cannot be read leaves the letters spelled as typed.
void frmMain::applySpelling() {
    const bool sound = mnuOptionsSpellBySound->isChecked();
    mnuOptionsSpellBySound->setChecked(false);
    mConverter->setSoundSpelling(nullptr);
    if (!sound)
        return;
    mConverter->setSoundSpelling(std::make_shared<const SoundSpelling>(
        SoundSpelling::load(SoundSpelling::tablePath(mContext.applicationFolder))));
    mnuOptionsSpellBySound->setChecked(true);
}

// Once, over the window as it opens; the window goes on with the rows the table did read.
void frmMain::tellOfDamagedAlphabet() {
    const QString damage = Alphabet::damage(*mAlphabet);
    if (damage.isEmpty())
        return;
    QTimer::singleShot(0, this, [this, damage] {
        auto* box =
            new QMessageBox(QMessageBox::Warning, mContext.title, damage, QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("msgDamagedAlphabet"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

std::unique_ptr<QSettings> frmMain::settings() const {
    if (mContext.settingsFile.isEmpty())
        return std::make_unique<QSettings>();
    return std::make_unique<QSettings>(mContext.settingsFile, QSettings::IniFormat);
}

void frmMain::cmdExit_Click() {
    close();
}

void frmMain::mnuFileWord_Click() {
    const WordProcessorInfo word = mContext.describeWordProcessor();
    if (!word.notInstalled.isEmpty()) {
        ErrorReport::show(mContext, this, word.notInstalled);
        return;
    }
    try {
        // The row always matches the slots: Convert sets both. Its labels tell a screen reader in
        // the word processor what each picture is.
        exportToWord(this, mGlyphFiles, mRow.labels(), mContext.wordProcessor, mContext.title,
                     word.name);
    } catch (const RuntimeError& error) {
        // Cancel in the progress dialog is the user's own choice, not an error to report.
        if (error.number() == static_cast<int>(ErrorNumber::UserInterrupt))
            return;
        if (error.number() != static_cast<int>(ErrorNumber::CannotCreateObject) ||
            word.cannotStart.isEmpty())
            throw;
        const QString reason = error.detail();
        ErrorReport::show(mContext, this,
                          word.cannotStart.arg(reason.isEmpty() ? error.description() : reason));
    }
}

void frmMain::mnuFileSavePicture_Click() {
    SavePicture::run(mContext, this, mRow, *settings(), mWriting->options());
}

void frmMain::mnuFileSaveDocument_Click() {
    SaveDocument::run(mContext, this, wholeRow(), *settings(), mWriting->options());
}

void frmMain::mnuFilePrint_Click() {
    SaveDocument::print(this, wholeRow(), *settings(), mWriting->options());
}

void frmMain::mnuFilePrintPreview_Click() {
    SaveDocument::preview(this, wholeRow(), *settings(), mWriting->options());
}

void frmMain::mnuHelpContents_Click() {
    ShowHelpContents(
        mContext.applicationFolder, [window = QPointer<frmMain>(this)](const QString& page) {
            if (window) {
                ErrorReport::show(window->mContext, window,
                                  tr("No program opened the help page. Open this file in a web "
                                     "browser:\n\n%1")
                                      .arg(QDir::toNativeSeparators(page)));
            }
        });
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout::showShared();
}
