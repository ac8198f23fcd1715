#pragma once

#include "layout/layoutwindow.h"

#include <memory>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

// The layout manager's view of a real top-level widget. Sizes are in twips, 15 to a pixel.
// The window's outer size is all of the widget's own area, menu bar included, but not the
// decorations the window manager draws around it: on X11 and Wayland those are unknown until the
// window is first shown, so counting them would make the first show look like growth to a
// window registered while it loads. Growth and the smallest size mean the same either way.
//
// A control is any QObject in the window's control list: a widget has geometry, anything else (a
// menu item's QAction) has none, so its registration fails and it is left out. A control's tag
// is its dynamic property "Tag"; its type name is its dynamic property "TypeName" when set, else
// its Qt class name.
class QtLayoutWindow final : public LayoutWindow,
                             public std::enable_shared_from_this<QtLayoutWindow> {
public:
    // The controls are the child widgets of the window's content (a QMainWindow's central widget)
    // in stacking order (creation order unless raised or lowered), then the actions of its menu
    // bar, each menu before its items.
    static std::shared_ptr<QtLayoutWindow> create(QWidget* window);
    // The caller names the controls: widgets and menu-item QActions, in the window's order.
    static std::shared_ptr<QtLayoutWindow> create(QWidget* window, const QList<QObject*>& controls);

    float width() const override;
    float height() const override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    WindowState windowState() const override;
    std::vector<std::shared_ptr<LayoutControl>> controls() const override;

private:
    QtLayoutWindow(QWidget* window, const QList<QObject*>& controls);
    QWidget& window() const;

    QPointer<QWidget> m_window;
    QList<QPointer<QObject>> m_controls;
};
