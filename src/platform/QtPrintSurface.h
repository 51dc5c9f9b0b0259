// The print surface of a real printer: QPainter jobs on a QPrinter, in the device
// pixels of the printable area.
#pragma once

#include <QFont>
#include <QPainter>

#include "platform/PrintSurface.h"

class QPrinter;

class QtPrintSurface : public PrintSurface {
  public:
    // The printer must outlive the surface.
    explicit QtPrintSurface(QPrinter& printer);

    // Every job prints one copy, whatever the print dialog's copy count says: the
    // callers print one job per copy.
    bool beginJob(const std::string& title) override;
    void newPage() override;
    void endJob() override;

    int dpiX() const override;
    int dpiY() const override;
    DevicePoint printingOffset() const override;
    int printableWidth() const override;
    int printableHeight() const override;
    int paperWidth() const override;
    int paperHeight() const override;

    // Lines end flat at their end points, so a bar is exactly as tall as its line.
    void setPen(int width, PenStyle style) override;
    void setFill(FillColor color) override;
    void line(DevicePoint from, DevicePoint to) override;
    // Filled shapes are drawn without the pen: an outline centred on their edges would
    // widen every bar by a pixel and narrow every space by one.
    void rectangle(DevicePoint topLeft, DevicePoint bottomRight) override;
    void polygon(const std::vector<DevicePoint>& corners) override;

    void setFont(const std::string& family, int pointSize) override;
    void text(DevicePoint topLeft, const std::string& text) override;
    int textWidth(const std::string& text) override;

  private:
    QPen pen() const;
    QBrush brush() const;

    QPrinter& printer_;
    QPainter painter_;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    FillColor fill_ = FillColor::White;
    QFont font_;
};
