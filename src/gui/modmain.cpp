#include "gui/modmain.h"

#include "core/alphabet.h"
#include "datfile/fatalcheck.h"
#include "gui/errorreport.h"
#include "gui/frmmain.h"
#include "platform/runtimeerror.h"

#include <cstdlib>
#include <QDir>
#include <QIcon>
#include <QIconEngine>
#include <QMessageBox>

namespace {

// The window manager is offered the icon's small sizes only, for it is sent every size offered as
// each window opens; a larger picture, such as the About window's on a high-DPI screen, is drawn
// from the large image instead of enlarged from a small one.
class ApplicationIconEngine : public QIconEngine {
public:
    ApplicationIconEngine(QIcon offered, QIcon drawn)
        : m_offered(std::move(offered))
        , m_drawn(std::move(drawn)) {}

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return m_offered.availableSizes(mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return m_drawn.actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return m_drawn.pixmap(size, 1.0, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        m_drawn.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QIconEngine* clone() const override { return new ApplicationIconEngine(m_offered, m_drawn); }

private:
    const QIcon m_offered;
    const QIcon m_drawn;
};

} // namespace

namespace modMain {

QIcon ApplicationIcon() {
    QIcon offered;
    const QDir sizes(QStringLiteral(":/icons/hicolor"));
    for (const QString& size : sizes.entryList(QDir::Dirs))
        offered.addFile(sizes.filePath(size + QStringLiteral("/apps/scarabo.png")));
    QIcon drawn = offered;
    drawn.addFile(QStringLiteral(":/icons/large/scarabo.png"));
    return QIcon(new ApplicationIconEngine(offered, drawn));
}

void InstallFatalHandler(const QString& title) {
    FatalCheck::setHandler([title](const QString& message) {
        QMessageBox::critical(nullptr, title, message, QMessageBox::Ok);
        std::exit(EXIT_FAILURE);
    });
}

std::unique_ptr<frmMain> Main(const AppContext& context) {
    auto window = std::make_unique<frmMain>(context);
    try {
        window->Load();
    } catch (const RuntimeError& error) {
        const QString file = Alphabet::tablePath(context.applicationFolder);
        ErrorReport::show(context, nullptr,
                          QObject::tr("The alphabet file \"%1\" could not be loaded.\n\n%2")
                              .arg(file, error.message()));
        return nullptr;
    }
    window->show();
    return window;
}

} // namespace modMain
