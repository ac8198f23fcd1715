#pragma once

#include "platform/runtimeerror.h"

#include <memory>
#include <QString>
#include <vector>

// What the layout manager needs of the windowing toolkit, and nothing more, so that its arithmetic
// and tag parsing run without a single widget. All geometry is in twips. Every failure is thrown
// as a RuntimeError.

enum class WindowState { Normal, Minimised, Maximised };

enum class GeometryProperty { Left, Top, Width, Height };

class LayoutWindow;

class LayoutControl {
public:
    virtual ~LayoutControl() = default;

    // The name of the control's class, such as "Toolbar".
    virtual QString typeName() const = 0;
    virtual QString tag() const = 0;
    // The window that holds the control.
    virtual std::shared_ptr<LayoutWindow> parent() const = 0;
    // Throw RuntimeError 438 for a control that has no such property (a menu item has no Left).
    virtual double geometry(GeometryProperty property) const = 0;
    virtual void setGeometry(GeometryProperty property, double twips) = 0;
};

class LayoutWindow {
public:
    virtual ~LayoutWindow() = default;

    // The outer size, frame included.
    virtual float width() const = 0;
    virtual float height() const = 0;
    // May deliver the window's resize notification before returning.
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;
    virtual WindowState windowState() const = 0;
    // Every control, menu items included, in the window's own order; never a null entry.
    virtual std::vector<std::shared_ptr<LayoutControl>> controls() const = 0;
};

// RuntimeError 91 when an object that a call needs is missing (no window registered yet, a widget
// that has been destroyed).
template <typename T> T& requireObject(const std::shared_ptr<T>& object) {
    if (!object)
        throw RuntimeError(ErrorNumber::ObjectNotSet);
    return *object;
}
