// A PrintSurface for tests: a printer of chosen resolution and printing offset that
// records every job and every drawing call in device pixels.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/PrintSurface.h"

namespace marrowby {

struct DrawCall {
    enum Kind { Line, Rectangle, Polygon, Text } kind;
    std::vector<DevicePoint> points{};  // line: from, to; rectangle: corners; polygon: corners
    std::string text{};                 // Text only
    int penWidth = 1;
    PenStyle penStyle = PenStyle::Solid;
    FillColor fill = FillColor::White;
    std::string fontFamily{};
    int fontSize = 0;
    int page = 0;  // counted from 0 within its job

    bool operator==(const DrawCall&) const = default;
};

struct RecordedJob {
    std::string title;
    std::vector<DrawCall> calls;
    bool ended = false;
};

class RecordingPrintSurface : public PrintSurface {
  public:
    // Letter paper (8.5 x 11 inches) with the printable area starting at the offset and
    // ending as far from the right and bottom edges.
    RecordingPrintSurface(int dpiX, int dpiY, DevicePoint offset)
        : farMargins(offset), dpiX_(dpiX), dpiY_(dpiY), offset_(offset) {}

    bool beginJob(const std::string& title) override {
        if (refuseJobs) return false;
        jobs.push_back({title, {}, false});
        page_ = 0;
        return true;
    }
    void newPage() override {
        inJob("newPage");
        ++page_;
    }
    void endJob() override {
        inJob("endJob");
        jobs.back().ended = true;
    }
    int dpiX() const override { return dpiX_; }
    int dpiY() const override { return dpiY_; }
    DevicePoint printingOffset() const override { return offset_; }
    int printableWidth() const override { return paperWidth() - offset_.x - farMargins.x; }
    int printableHeight() const override { return paperHeight() - offset_.y - farMargins.y; }
    int paperWidth() const override { return dpiX_ * 17 / 2; }
    int paperHeight() const override { return dpiY_ * 11; }
    void setPen(int width, PenStyle style) override {
        state.penWidth = width;
        state.penStyle = style;
    }
    void setFill(FillColor color) override { state.fill = color; }
    void line(DevicePoint from, DevicePoint to) override { record(DrawCall::Line, {from, to}); }
    void rectangle(DevicePoint topLeft, DevicePoint bottomRight) override {
        record(DrawCall::Rectangle, {topLeft, bottomRight});
    }
    void polygon(const std::vector<DevicePoint>& corners) override {
        record(DrawCall::Polygon, corners);
    }
    void setFont(const std::string& family, int pointSize) override {
        state.fontFamily = family;
        state.fontSize = pointSize;
    }
    void text(DevicePoint topLeft, const std::string& text) override {
        record(DrawCall::Text, {topLeft}, text);
    }
    // Every character is as wide as a tenth of the font size in inches, in pixels.
    int textWidth(const std::string& text) override {
        return static_cast<int>(text.size()) * state.fontSize * dpiX_ / 720;
    }

    std::vector<RecordedJob> jobs;
    // The unprintable strips along the right and bottom edges; the offset's at first.
    DevicePoint farMargins;
    bool refuseJobs = false;
    DrawCall state{DrawCall::Line};  // the pen, fill and font the next call draws with

  private:
    void inJob(const char* what) const {
        if (jobs.empty() || jobs.back().ended)
            throw std::logic_error(std::string(what) + " outside a job");
    }
    void record(DrawCall::Kind kind, std::vector<DevicePoint> points, std::string text = {}) {
        inJob("drawing");
        DrawCall& call = jobs.back().calls.emplace_back(state);
        call.kind = kind;
        call.points = std::move(points);
        call.text = std::move(text);
        call.page = page_;
    }

    int dpiX_;
    int dpiY_;
    DevicePoint offset_;
    int page_ = 0;
};

}  // namespace marrowby
