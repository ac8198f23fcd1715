#include "gui/about/frmabout.h"

#include "gui/about/linklabel.h"
#include "gui/about/modbrowseto.h"
#include "gui/about/modproductinfo.h"
#include "gui/about/versionformat.h"
#include "platform/twips.h"
#include "platform/versioninfo.h"

#include <algorithm>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

template <typename Control>
Control* place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(pixelsFromTwips(QRect(left, top, width, height)));
    return control;
}

template <typename Label = QLabel>
Label* label(QWidget* window, const char* name, int left, int top, int width, int height) {
    auto* control = place(new Label(window), name, left, top, width, height);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setWordWrap(true);
    return control;
}

// One element of the etched separator: a horizontal line from x1 to x2 at y, in twips.
QFrame* line(QWidget* window, int index, int x1, int x2, int y, int widthInPixels,
             const QColor& colour) {
    auto* element = new QFrame(window);
    element->setObjectName(QStringLiteral("Line1"));
    element->setProperty("Index", index);
    element->setGeometry(pixelsFromTwips(x1), pixelsFromTwips(y),
                         pixelsFromTwips(x2) - pixelsFromTwips(x1), widthInPixels);
    element->setAutoFillBackground(true);
    QPalette palette = element->palette();
    palette.setColor(QPalette::Window, colour);
    element->setPalette(palette);
    return element;
}

bool fitsItsBox(const QLabel* label, const QFont& font) {
    const QRect box(QPoint(), label->size());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    return box.contains(QFontMetrics(font).boundingRect(box, flags, label->text()));
}

} // namespace

frmAbout* frmAbout::showShared() {
    static QPointer<frmAbout> shared;
    if (!shared)
        shared = new frmAbout;
    shared->show();
    shared->raise();
    shared->activateWindow();
    return shared;
}

frmAbout::frmAbout()
    // A tool window gets no taskbar button and no minimise or maximise box.
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    // Qt leaves tool windows out of "last window closed"; About must keep the program running
    // after the main window has closed, so it counts like any other window.
    setAttribute(Qt::WA_QuitOnClose);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_MacAlwaysShowToolWindow);
    setFixedSize(pixelsFromTwips(6585), pixelsFromTwips(3090));
    createControls();
    load();
    fitFont();
}

void frmAbout::createControls() {
    picIcon = place(new QLabel(this), "picIcon", 240, 240, 720, 720);
    picIcon->setAlignment(Qt::AlignCenter);
    cmdOK = place(new QPushButton(tr("OK"), this), "cmdOK", 5160, 2625, 1260, 345);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    Label2 = label(this, "Label2", 1200, 480, 615, 225);
    Label2->setText(tr("Version:"));
    Label1 = label(this, "Label1", 1200, 240, 615, 255);
    Label1->setText(tr("Product:"));
    Line1[1] = line(this, 1, 240, 6428, 2445, 1, QColor(128, 128, 128));
    // The texts take the scheme's text colour, black in a light scheme.
    lblComments = label(this, "lblComments", 1200, 1170, 5175, 1005);
    lblTitle = label(this, "lblTitle", 1920, 240, 3165, 240);
    Line1[0] = line(this, 0, 240, 6428, 2460, 2, Qt::white);
    lblVersion = label(this, "lblVersion", 1920, 480, 3165, 225);
    lblCopyright = label<LinkLabel>(this, "lblCopyright", 255, 2625, 3630, 345);
    connect(lblCopyright, &LinkLabel::activated, this, &frmAbout::lblCopyright_Click);
}

void frmAbout::load() {
    const VersionInfo& version = VersionInfo::current();
    setWindowTitle(tr("About ") + version.fileDescription);
    lblTitle->setText(version.productName);
    lblVersion->setText(FormatVersion(version.major, version.minor, version.revision));
    lblComments->setText(version.comments);
    lblCopyright->setText(version.legalCopyright);
    lblCopyright->setProperty("Tag", HomePageAddress());
    picIcon->setPixmap(QApplication::windowIcon().pixmap(picIcon->size()));
}

// The controls were sized for an 8.25-point "MS Sans Serif". Where that face is missing, the
// desktop's own face takes its place, a little smaller while any text would overflow its box.
void frmAbout::fitFont() {
    QFont candidate = QApplication::font();
    candidate.setFamilies({QStringLiteral("MS Sans Serif"), candidate.family()});
    const auto labels = findChildren<QLabel*>();
    const auto fits = [&](const QLabel* label) { return fitsItsBox(label, candidate); };
    constexpr qreal designSize = 8.25, smallestSize = 6, step = 0.25;
    for (qreal size = designSize; size >= smallestSize; size -= step) {
        candidate.setPointSizeF(size);
        if (std::all_of(labels.begin(), labels.end(), fits))
            break;
    }
    setFont(candidate);
}

void frmAbout::lblCopyright_Click() {
    BrowseTo(lblCopyright->property("Tag").toString());
}
