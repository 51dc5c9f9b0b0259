#include "RenderedBars.h"

#include <QImage>
#include <stdexcept>

#include "ShellCommand.h"

namespace marrowby {

Rendering RenderBars(const std::filesystem::path& font, const std::string& text, double points,
                     const std::filesystem::path& scratchFolder) {
    const std::filesystem::path png = scratchFolder / "bars.png";
    const ShellResult run =
        RunShellCommand("hb-view --font-size=" + std::to_string(points * kRenderDpi / 72.0) +
                        " --margin=" + std::to_string(kRenderMargin) +
                        " --output-format=png '--output-file=" + png.string() + "' '" +
                        font.string() + "' '" + text + "' 2>&1");
    if (run.status != 0) throw std::runtime_error("hb-view failed: " + run.output);
    const QImage image =
        QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_Grayscale8);
    if (image.isNull()) throw std::runtime_error("cannot read " + png.string());

    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    auto darkColumn = [&](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (dark(x, y)) return true;
        return false;
    };
    Rendering rendering{image.width(), image.height(), {}};
    for (int x = 0; x < image.width(); ++x) {
        if (!darkColumn(x)) continue;
        MeasuredBar bar{x, x, image.height(), 0};
        for (; bar.right < image.width() && darkColumn(bar.right); ++bar.right) {
            for (int y = 0; y < image.height(); ++y) {
                if (!dark(bar.right, y)) continue;
                bar.top = std::min(bar.top, y);
                bar.bottom = std::max(bar.bottom, y + 1);
            }
        }
        rendering.bars.push_back(bar);
        x = bar.right;
    }
    return rendering;
}

}  // namespace marrowby
