#pragma once

#include <algorithm>
#include <cmath>
#include <QApplication>
#include <QColor>
#include <QPalette>
#include <utility>

// A dark colour scheme as desktops' dark themes give it: light text on dark surfaces, and a light
// link colour. Applied to the whole program while it lives.
class DarkScheme {
public:
    DarkScheme()
        : m_previous(QApplication::palette()) {
        QPalette dark;
        for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(0x2b, 0x2b, 0x2b)},
                                           {QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6)},
                                           {QPalette::Base, QColor(0x1e, 0x1e, 0x1e)},
                                           {QPalette::Text, QColor(0xe6, 0xe6, 0xe6)},
                                           {QPalette::Button, QColor(0x35, 0x35, 0x35)},
                                           {QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6)},
                                           {QPalette::Light, QColor(0x50, 0x50, 0x50)},
                                           {QPalette::Dark, QColor(0x18, 0x18, 0x18)},
                                           {QPalette::Link, QColor(0x7a, 0xb7, 0xff)}})
            dark.setColor(role, colour);
        QApplication::setPalette(dark);
    }
    ~DarkScheme() { QApplication::setPalette(m_previous); }
    DarkScheme(const DarkScheme&) = delete;
    DarkScheme& operator=(const DarkScheme&) = delete;

private:
    const QPalette m_previous;
};

// The contrast ratio of two colours, 1 to 21, by the relative luminance of WCAG 2.
inline double contrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}
