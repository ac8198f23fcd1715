#pragma once

#include "layout/layoutwindow.h"

#include <cstdint>
#include <memory>

// One registered control: its geometry when the window was registered, the fractions of the
// window's growth that it follows, and the control itself, held until the record goes.
class clsControl {
public:
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    double xr = 0.0; // share of the width growth added to Left
    double yr = 0.0; // share of the height growth added to Top
    double wr = 0.0; // share of the width growth added to Width
    double hr = 0.0; // share of the height growth added to Height
    std::shared_ptr<LayoutControl> ctrl;
};
