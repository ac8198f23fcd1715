#pragma once

#include "layout/layoutwindow.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <QString>
#include <vector>

using Geometry = std::array<double, 4>; // Left, Top, Width, Height in twips

struct GeometryWrite {
    GeometryProperty property;
    double twips;
    bool operator==(const GeometryWrite&) const = default;
};

class FakeWindow;

// A control that remembers every geometry write; it can lack geometry (like a menu item) or
// refuse one property.
class FakeControl final : public LayoutControl {
public:
    FakeControl(std::weak_ptr<FakeWindow> window, QString type, QString layoutTag, Geometry start)
        : current(start)
        , m_window(std::move(window))
        , m_type(std::move(type))
        , m_tag(std::move(layoutTag)) {}

    QString typeName() const override { return m_type; }
    QString tag() const override {
        if (tagFails)
            throw RuntimeError(ErrorNumber::TypeMismatch);
        return m_tag;
    }
    std::shared_ptr<LayoutWindow> parent() const override;
    double geometry(GeometryProperty property) const override {
        if (!hasGeometry)
            throw RuntimeError(ErrorNumber::UnsupportedProperty);
        return current.at(static_cast<std::size_t>(property));
    }
    void setGeometry(GeometryProperty property, double twips) override {
        writes.push_back({property, twips});
        if (onWrite)
            onWrite();
        if (!hasGeometry || refused == property)
            throw RuntimeError(ErrorNumber::UnsupportedProperty);
        current.at(static_cast<std::size_t>(property)) = twips;
    }

    Geometry current;
    std::vector<GeometryWrite> writes;
    bool hasGeometry = true;
    bool tagFails = false;
    std::optional<GeometryProperty> refused;
    std::function<void()> onWrite;

private:
    std::weak_ptr<FakeWindow> m_window;
    QString m_type;
    QString m_tag;
};

// A window whose size writes raise its resize notification at once, as the real toolkit may.
class FakeWindow final : public LayoutWindow, public std::enable_shared_from_this<FakeWindow> {
public:
    FakeWindow(float startWidth, float startHeight)
        : w(startWidth)
        , h(startHeight) {}

    float width() const override { return w; }
    float height() const override { return h; }
    void setWidth(float twips) override {
        w = twips;
        notifyResize();
    }
    void setHeight(float twips) override {
        h = twips;
        notifyResize();
    }
    WindowState windowState() const override { return state; }
    std::vector<std::shared_ptr<LayoutControl>> controls() const override {
        return {members.begin(), members.end()};
    }

    std::shared_ptr<FakeControl> add(const QString& tag, Geometry start = {},
                                     const QString& type = QStringLiteral("PictureBox")) {
        members.push_back(std::make_shared<FakeControl>(weak_from_this(), type, tag, start));
        return members.back();
    }

    float w;
    float h;
    WindowState state = WindowState::Normal;
    std::vector<std::shared_ptr<FakeControl>> members;
    std::function<void()> onResize;

private:
    void notifyResize() {
        if (onResize)
            onResize();
    }
};

inline std::shared_ptr<LayoutWindow> FakeControl::parent() const {
    return m_window.lock();
}
