// Renders a text in a barcode font with harfbuzz's hb-view and measures its bars in pixels.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace marrowby {

// One bar's edges in pixels: columns [left, right), rows [top, bottom), y growing down.
struct MeasuredBar {
    int left, right, top, bottom;
    double centre() const { return (left + right) / 2.0; }
};

struct Rendering {
    int width = 0, height = 0;
    std::vector<MeasuredBar> bars;  // left to right
};

constexpr int kRenderDpi = 600;
constexpr int kRenderMargin = 40;  // pixels around the line on every side

// The text drawn at the given size and 600 dpi into a PNG, read back; a dark pixel is one
// at least half covered.
Rendering RenderBars(const std::filesystem::path& font, const std::string& text, double points,
                     const std::filesystem::path& scratchFolder);

}  // namespace marrowby
