// The yardsticks for start-up: Qt Widgets programs without the program's alphabet, layout manager
// or data. With no option the window of the program's size is empty; with --text it shows one line
// of text, so it pays for the font set-up that any window with text pays for; with --widgets it
// holds the same kinds of widgets as the program's window, at the same places (labels, a line
// edit, push buttons, a menu bar with two menus).

#include "gui/frmmaindesign.h"
#include "platform/twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

QWidget* widgetFor(const frmMainDesign::Control& design, QWidget* parent) {
    const QString name = QString::fromLatin1(design.name);
    if (name.startsWith(u"txt"))
        return new QLineEdit(parent);
    if (name.startsWith(u"cmd"))
        return new QPushButton(name.mid(3), parent);
    return new QLabel(name.startsWith(u"Label") ? name : QString(), parent);
}

void addTheProgramsKindsOfWidgets(QMainWindow& window) {
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    for (const frmMainDesign::Control& design : frmMainDesign::Controls)
        widgetFor(design, client)->setGeometry(pixelsFromTwips(design.twips));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Export to &Word"));
    file->addAction(QStringLiteral("E&xit"));
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Contents"));
    help->addAction(QStringLiteral("&About"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    const QStringList arguments = QApplication::arguments();
    if (arguments.contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("English"), &window));
    else if (arguments.contains(QStringLiteral("--widgets")))
        addTheProgramsKindsOfWidgets(window);
    window.resize(pixelsFromTwips(frmMainDesign::ClientWidth),
                  pixelsFromTwips(frmMainDesign::ClientHeight) +
                      window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
