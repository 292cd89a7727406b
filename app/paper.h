#pragma once

#include <QPaintDevice>
#include <QSize>

#include <memory>

class QPainter;

// A paint device that hands everything drawn on it to another painter, as
// shapes, text and images, with what is translucent made opaque as it would
// look on white paper.
//
// Widgets cannot be drawn on a printer directly: Qt draws them into one
// image first. Drawn here, on a painter of a printer, they stay lines and
// text. And a page without translucency goes through every printer's driver
// as it is, where a PostScript driver turns a translucent page into an image.
class Paper : public QPaintDevice {
public:
    // size: the device's size in the other painter's units; dpi: the
    // resolution fonts are laid out for.
    Paper(QPainter& out, QSize size, int dpi);
    ~Paper() override;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<QPaintEngine> engine_;
    QSize size_;
    int dpi_;
};
