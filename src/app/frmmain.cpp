#include "frmmain.h"

#include "appinfo.h"
#include "clsdatfile.h"
#include "clslayout.h"
#include "errorreport.h"
#include "exporttoword.h"
#include "frmabout.h"
#include "glyphmatcher.h"
#include "helpcontents.h"
#include "qtlayoutwindow.h"
#include "versioninfo.h"

#include <algorithm>
#include <limits>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <utility>

namespace {

constexpr int twipsPerPixel = 15;
const char* const layoutTag = "X=1/2 Y=1/2";

// The window's controls in its own control order, with their design geometry in twips.
struct ControlGeometry {
    const char* name;
    int left, top, width, height;
};

constexpr ControlGeometry controlGeometry[] = {
    {"Picture1", 240, 2280, 750, 750},   {"txtEnglish", 120, 600, 2415, 375},
    {"Picture10", 7410, 2280, 750, 750}, {"Picture9", 6615, 2280, 750, 750},
    {"Picture8", 5805, 2280, 750, 750},  {"Picture7", 5010, 2280, 750, 750},
    {"Picture6", 4215, 2280, 750, 750},  {"Picture5", 3420, 2280, 750, 750},
    {"Picture4", 2625, 2280, 750, 750},  {"Picture3", 1830, 2280, 750, 750},
    {"Picture2", 1035, 2280, 750, 750},  {"cmdExit", 7320, 4200, 975, 375},
    {"cmdGo", 2640, 600, 975, 375},      {"Label1", 120, 360, 1095, 255},
    {"Label3", 120, 2160, 8175, 975},    {"Label2", 120, 1920, 5175, 375},
};

constexpr int clientWidthTwips = 8400;
constexpr int clientHeightTwips = 4605;

QRect pixelsFromTwips(const ControlGeometry& g) {
    return {g.left / twipsPerPixel, g.top / twipsPerPixel, g.width / twipsPerPixel,
            g.height / twipsPerPixel};
}

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

QLabel* newPictureBox(QWidget* parent) {
    auto* box = new QLabel(parent);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop); // shown from the corner, clipped, never scaled
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    box->setLineWidth(1);
    box->setMargin(0);
    paintAsWindowSurface(box);
    return box;
}

} // namespace

frmMain::frmMain(QString applicationFolder, QWidget* parent)
    : QMainWindow(parent)
    , mApplicationFolder(std::move(applicationFolder)) {
    setWindowTitle(VersionInfo::current().fileDescription);
    createControls();
    createMenus();
    createKeys();
    setTabOrder();
    resize(clientWidthTwips / twipsPerPixel,
           clientHeightTwips / twipsPerPixel + menuBar()->sizeHint().height());
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
    Label1 = named(new QLabel(tr("English"), mClient), u"Label1");
    Label2 = named(new QLabel(tr("Translation"), mClient), u"Label2");
    Label3 = named(new QLabel(mClient), u"Label3");

    paintAsWindowSurface(Label3);
    Label3->lower(); // the band lies behind the glyph row
    for (QLabel* box : mPictures)
        box->setFocusPolicy(Qt::NoFocus);
    cmdGo->setDefault(true);
    // No length limit of its own: Qt's default of 32,767 would cut a longer pasted text silently.
    txtEnglish->setMaxLength(std::numeric_limits<int>::max());

    for (const ControlGeometry& g : controlGeometry) {
        QWidget* control =
            mClient->findChild<QWidget*>(QString::fromLatin1(g.name), Qt::FindDirectChildrenOnly);
        control->setGeometry(pixelsFromTwips(g));
        control->setProperty("Tag", QString::fromLatin1(layoutTag));
        mControls.push_back(control);
    }

    route(cmdGo, &QPushButton::clicked, &frmMain::cmdGo_Click);
    route(cmdExit, &QPushButton::clicked, &frmMain::cmdExit_Click);
}

void frmMain::createMenus() {
    mnuFile = named(menuBar()->addMenu(tr("&File")), u"mnuFile");
    mnuFileWord = named(mnuFile->addAction(tr("Export to &Word")), u"mnuFileWord");
    mnuFileExit = named(mnuFile->addAction(tr("E&xit")), u"mnuFileExit");
    mnuHelp = named(menuBar()->addMenu(tr("&Help")), u"mnuHelp");
    mnuHelpContents = named(mnuHelp->addAction(tr("&Contents")), u"mnuHelpContents");
    mnuHelpContents->setShortcut(QKeySequence(Qt::Key_F1));
    mnuHelpAbout = named(mnuHelp->addAction(tr("&About")), u"mnuHelpAbout");

    route(mnuFileWord, &QAction::triggered, &frmMain::mnuFileWord_Click);
    route(mnuFileExit, &QAction::triggered, &frmMain::cmdExit_Click);
    route(mnuHelpContents, &QAction::triggered, &frmMain::mnuHelpContents_Click);
    route(mnuHelpAbout, &QAction::triggered, &frmMain::mnuHelpAbout_Click);
}

// Every command runs through the error report, so an error in one command never ends the program.
template <typename Source, typename Signal>
void frmMain::route(Source* source, Signal signal, void (frmMain::*handler)()) {
    connect(source, signal, this,
            [this, handler] { ErrorReport::run(this, [this, handler] { (this->*handler)(); }); });
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
}

QList<QObject*> frmMain::layoutControls() const {
    QList<QObject*> controls(mControls.begin(), mControls.end());
    controls << mnuFile->menuAction() << mnuFileWord << mnuFileExit << mnuHelp->menuAction()
             << mnuHelpContents << mnuHelpAbout;
    return controls;
}

void frmMain::InitForm() {
    const QString& description = VersionInfo::current().fileDescription;
    AppInfo::setTitle(description);
    setWindowTitle(description);
    mAlphabet = std::make_shared<clsDatFile>();
    mAlphabet->setFileName(mApplicationFolder + QDir::separator() + QStringLiteral("Alphabet.dat"));
    mAlphabet->Load();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (mLayout)
        ErrorReport::run(this, [this] { mLayout->RedrawLayout(); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    mLayout.reset();
    event->accept();
}

void frmMain::cmdGo_Click() {
    const QStringList alphabet = mAlphabet->Col(0);
    const QString imagesFolder =
        mApplicationFolder + QDir::separator() + QStringLiteral("Images") + QDir::separator();
    const QStringList slots = GlyphMatcher::glyphFiles(alphabet, txtEnglish->text(), imagesFolder);
    std::copy(slots.begin(), slots.end(), mGlyphFiles.begin());
    showGlyphs();
}

// Each box shows its glyph from the corner at the picture's own size. A picture that cannot be
// read leaves the glyph's letters in the box, so the row still reads.
void frmMain::showGlyphs() {
    for (int k = 1; k <= glyphBoxCount; ++k) {
        QLabel* box = picture(k);
        const QString& path = mGlyphFiles.at(k);
        const QPixmap glyph(path);
        box->setToolTip({});
        if (path.isEmpty()) {
            box->clear();
        } else if (!glyph.isNull()) {
            box->setPixmap(glyph);
        } else {
            box->setText(QFileInfo(path).completeBaseName());
            box->setToolTip(tr("Picture not found: %1").arg(path));
        }
    }
}

void frmMain::cmdExit_Click() {
    close();
}

void frmMain::mnuFileWord_Click() {
    exportToWord(this, mGlyphFiles);
}

void frmMain::mnuHelpContents_Click() {
    ShowHelpContents();
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout::showShared();
}
