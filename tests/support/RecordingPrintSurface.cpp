#include "RecordingPrintSurface.h"

#include <stdexcept>

RecordingPrintSurface::RecordingPrintSurface(int dpiX, int dpiY, DevicePoint offset)
    : farMargins(offset), dpiX_(dpiX), dpiY_(dpiY), offset_(offset) {}

bool RecordingPrintSurface::beginJob(const std::string& title) {
    if (refuseJobs) return false;
    jobs.push_back({title, {}, false});
    page_ = 0;
    return true;
}

void RecordingPrintSurface::newPage() {
    if (jobs.empty() || jobs.back().ended) throw std::logic_error("newPage outside a job");
    ++page_;
}

void RecordingPrintSurface::endJob() {
    if (jobs.empty() || jobs.back().ended) throw std::logic_error("endJob without a job");
    jobs.back().ended = true;
}

int RecordingPrintSurface::printableWidth() const {
    return paperWidth() - offset_.x - farMargins.x;
}

int RecordingPrintSurface::printableHeight() const {
    return paperHeight() - offset_.y - farMargins.y;
}

void RecordingPrintSurface::setPen(int width, PenStyle style) {
    penWidth = width;
    penStyle = style;
}

void RecordingPrintSurface::setFill(FillColor color) { fill = color; }

void RecordingPrintSurface::line(DevicePoint from, DevicePoint to) {
    record(DrawCall{.kind = DrawCall::Line, .points = {from, to}});
}

void RecordingPrintSurface::rectangle(DevicePoint topLeft, DevicePoint bottomRight) {
    record(DrawCall{.kind = DrawCall::Rectangle, .points = {topLeft, bottomRight}});
}

void RecordingPrintSurface::polygon(const std::vector<DevicePoint>& corners) {
    record(DrawCall{.kind = DrawCall::Polygon, .points = corners});
}

void RecordingPrintSurface::setFont(const std::string& family, int pointSize) {
    fontFamily = family;
    fontSize = pointSize;
}

void RecordingPrintSurface::text(DevicePoint topLeft, const std::string& text) {
    record(DrawCall{.kind = DrawCall::Text, .points = {topLeft}, .text = text});
}

int RecordingPrintSurface::textWidth(const std::string& text) {
    return static_cast<int>(text.size()) * fontSize * dpiX_ / 720;
}

void RecordingPrintSurface::record(DrawCall call) {
    if (jobs.empty() || jobs.back().ended) throw std::logic_error("drawing outside a job");
    call.penWidth = penWidth;
    call.penStyle = penStyle;
    call.fill = fill;
    call.fontFamily = fontFamily;
    call.fontSize = fontSize;
    call.page = page_;
    jobs.back().calls.push_back(call);
}
