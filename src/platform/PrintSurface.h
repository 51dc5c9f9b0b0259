// The drawing surface of a print job, in device pixels of the printable area.
// QtPrintSurface draws on a real printer; tests use a recording surface.
#pragma once

#include <string>
#include <vector>

struct DevicePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DevicePoint&) const = default;
};

enum class PenStyle { Solid, Dotted };
enum class FillColor { White, Black };

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;

    // One job is one printed document; returns false when the printer refuses it.
    virtual bool beginJob(const std::string& title) = 0;
    // Ends the page drawn so far and starts the next one of the same job.
    virtual void newPage() = 0;
    virtual void endJob() = 0;

    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    // Top-left corner of the printable area inside the paper, in device pixels.
    virtual DevicePoint printingOffset() const = 0;
    virtual int printableWidth() const = 0;
    virtual int printableHeight() const = 0;
    // The whole sheet, margins included; the right and bottom margins need not equal the
    // left and top ones.
    virtual int paperWidth() const = 0;
    virtual int paperHeight() const = 0;

    virtual void setPen(int width, PenStyle style) = 0;
    virtual void setFill(FillColor color) = 0;
    virtual void line(DevicePoint from, DevicePoint to) = 0;
    // Filled with the current fill colour and not outlined, so the ink covers exactly the
    // pixels from one corner to the other: a bar is as wide as it was meant to be.
    virtual void rectangle(DevicePoint topLeft, DevicePoint bottomRight) = 0;
    virtual void polygon(const std::vector<DevicePoint>& corners) = 0;

    // Font sizes are in points at the device's vertical resolution.
    virtual void setFont(const std::string& family, int pointSize) = 0;
    // Text with the top-left corner of its character cell at the point; UTF-8.
    virtual void text(DevicePoint topLeft, const std::string& text) = 0;
    virtual int textWidth(const std::string& text) = 0;
};

// A distance in points converted to whole device pixels, halves to the even neighbour.
int ToDevice(double points, double pixelsPerPoint);
