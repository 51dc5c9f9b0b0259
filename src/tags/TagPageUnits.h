// Printer pixels per point for the tag sheet, and the conversion of one distance at a time.
#pragma once

#include "platform/PrintSurface.h"

namespace marrowby {

// The factors are single-precision on purpose: every tag position is rounded from the
// product with these exact values, so a half-pixel distance falls the same way each time.
struct TagPageUnits {
    float HU = 1.0f;  // printer pixels per point across
    float VU = 1.0f;  // printer pixels per point down

    static TagPageUnits of(const PrintSurface& surface) {
        return {static_cast<float>(surface.dpiX()) / 72.0f,
                static_cast<float>(surface.dpiY()) / 72.0f};
    }
    int across(double points) const { return ToDevice(points, HU); }
    int down(double points) const { return ToDevice(points, VU); }
};

}  // namespace marrowby
