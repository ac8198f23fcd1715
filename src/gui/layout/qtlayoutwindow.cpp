#include "gui/layout/qtlayoutwindow.h"

#include "platform/twips.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

namespace {

void appendMenuItems(const QList<QAction*>& actions, QList<QObject*>& controls) {
    for (QAction* action : actions) {
        controls.append(action);
        if (action->menu())
            appendMenuItems(action->menu()->actions(), controls);
    }
}

QList<QObject*> windowControls(QWidget* window) {
    auto* mainWindow = qobject_cast<QMainWindow*>(window);
    QWidget* content = mainWindow ? mainWindow->centralWidget() : window;
    auto* menuBar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    QList<QObject*> controls;
    if (content) {
        for (QWidget* child : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child != menuBar)
                controls.append(child);
        }
    }
    if (menuBar)
        appendMenuItems(menuBar->actions(), controls);
    return controls;
}

class QtLayoutControl final : public LayoutControl {
public:
    QtLayoutControl(QObject* object, std::shared_ptr<LayoutWindow> window)
        : m_object(object)
        , m_window(std::move(window)) {}

    QString typeName() const override {
        const QObject& target = object();
        const QVariant declared = target.property("TypeName");
        return declared.isValid() ? declared.toString()
                                  : QString::fromLatin1(target.metaObject()->className());
    }

    QString tag() const override { return object().property("Tag").toString(); }

    std::shared_ptr<LayoutWindow> parent() const override { return m_window; }

    double geometry(GeometryProperty property) const override {
        const QWidget& w = widget();
        switch (property) {
        case GeometryProperty::Left:
            return twipsFromPixels(w.x());
        case GeometryProperty::Top:
            return twipsFromPixels(w.y());
        case GeometryProperty::Width:
            return twipsFromPixels(w.width());
        case GeometryProperty::Height:
            return twipsFromPixels(w.height());
        }
        throw RuntimeError(ErrorNumber::UnsupportedProperty);
    }

    void setGeometry(GeometryProperty property, double twips) override {
        QWidget& w = widget();
        const int pixels = pixelsFromTwips(twips);
        switch (property) {
        case GeometryProperty::Left:
            w.move(pixels, w.y());
            break;
        case GeometryProperty::Top:
            w.move(w.x(), pixels);
            break;
        case GeometryProperty::Width:
            w.resize(pixels, w.height());
            break;
        case GeometryProperty::Height:
            w.resize(w.width(), pixels);
            break;
        }
    }

private:
    QObject& object() const {
        if (!m_object)
            throw RuntimeError(ErrorNumber::ObjectNotSet);
        return *m_object;
    }

    QWidget& widget() const {
        auto* w = qobject_cast<QWidget*>(&object());
        if (!w)
            throw RuntimeError(ErrorNumber::UnsupportedProperty);
        return *w;
    }

    QPointer<QObject> m_object;
    std::shared_ptr<LayoutWindow> m_window;
};

} // namespace

std::shared_ptr<QtLayoutWindow> QtLayoutWindow::create(QWidget* window) {
    return create(window, windowControls(window));
}

std::shared_ptr<QtLayoutWindow> QtLayoutWindow::create(QWidget* window,
                                                       const QList<QObject*>& controls) {
    return std::shared_ptr<QtLayoutWindow>(new QtLayoutWindow(window, controls));
}

QtLayoutWindow::QtLayoutWindow(QWidget* window, const QList<QObject*>& controls)
    : m_window(window) {
    for (QObject* control : controls)
        m_controls.append(control);
}

QWidget& QtLayoutWindow::window() const {
    if (!m_window)
        throw RuntimeError(ErrorNumber::ObjectNotSet);
    return *m_window;
}

float QtLayoutWindow::width() const {
    return twipsFromPixels(window().width());
}

float QtLayoutWindow::height() const {
    return twipsFromPixels(window().height());
}

void QtLayoutWindow::setWidth(float twips) {
    QWidget& w = window();
    w.resize(pixelsFromTwips(twips), w.height());
}

void QtLayoutWindow::setHeight(float twips) {
    QWidget& w = window();
    w.resize(w.width(), pixelsFromTwips(twips));
}

WindowState QtLayoutWindow::windowState() const {
    const Qt::WindowStates state = window().windowState();
    if (state & Qt::WindowMinimized)
        return WindowState::Minimised;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowState::Maximised;
    return WindowState::Normal;
}

std::vector<std::shared_ptr<LayoutControl>> QtLayoutWindow::controls() const {
    std::vector<std::shared_ptr<LayoutControl>> result;
    auto self = std::const_pointer_cast<QtLayoutWindow>(shared_from_this());
    for (const QPointer<QObject>& control : m_controls) {
        if (control)
            result.push_back(std::make_shared<QtLayoutControl>(control, self));
    }
    return result;
}
