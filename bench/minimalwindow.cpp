// The yardstick for start-up: a Qt Widgets program that shows one empty main window of the size of
// the program's own. With --text the window shows one line of text, so the yardstick pays for the
// font set-up that any window with text pays for.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("English"), &window));
    window.resize(560, 330);
    window.show();
    return QApplication::exec();
}
