#pragma once

#include "layout/clscontrol.h"
#include "layout/layoutwindow.h"

#include <cstdint>
#include <memory>
#include <QString>
#include <QStringView>
#include <vector>

// Keeps the controls of one window in place, in proportion, while the window is resized.
//
// Each control's tag says which share of the window's growth (beyond its size at registration)
// moves or stretches it: "X=" moves it right by that share of the width growth, "Y=" down by
// that share of the height growth, "W=" and "H=" widen and heighten it. A value is a fraction
// ("1/2") or a whole number; a missing key means 0. "X=1/2 Y=1/2" keeps a control centred.
// A window in the normal state is never allowed to become smaller than its registered size.
class clsLayout {
public:
    clsLayout() = default;
    clsLayout(const clsLayout&) = delete;
    clsLayout& operator=(const clsLayout&) = delete;

    // The smallest outer size of the window in the normal state, and the size from which growth
    // is measured. Writing rounds to a whole twip (ties to even); a value beyond 32 bits throws
    // RuntimeError 6 and keeps the old one.
    void setMinWidth(float Twips);
    float MinWidth() const;
    void setMinHeight(float Twips);
    float MinHeight() const;

    // Registers the window at its current size, with every control except those of type
    // "Toolbar". Failures to read the window or a control's type or tag are thrown.
    void SetLayout(std::shared_ptr<LayoutWindow> frm);
    // Fits the registered controls to the window's current size; does nothing when called from
    // within a pass (the window's own resize notification). A control that refuses a value keeps
    // its old one; other failures are thrown.
    void RedrawLayout();
    // Registers one control with its layout tag. A control that cannot be registered (no
    // geometry, a tag that does not compute) is silently left out.
    void AddControl(std::shared_ptr<LayoutControl> ctrl, const QString& pOpts);

private:
    static double ParseFactor(QStringView key, QStringView opts);
    void keepMinimumSize(LayoutWindow& form) const;

    std::shared_ptr<LayoutWindow> mForm;
    // Shared with a running pass, so a pass keeps walking the list it started with.
    std::shared_ptr<std::vector<clsControl>> mControls;
    std::int32_t mMinWidth = 0;
    std::int32_t mMinHeight = 0;
    bool inRedraw = false;
};
