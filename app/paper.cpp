#include "paper.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <climits>

namespace {

// A colour of the given opacity over white paper.
QColor onWhite(const QColor& c, qreal opacity)
{
    const qreal a = c.alphaF() * opacity;
    const auto mix = [a](qreal v) { return 1 - a + a * v; };
    return QColor::fromRgbF(float(mix(c.redF())), float(mix(c.greenF())), float(mix(c.blueF())));
}

template <class G> QBrush gradientOnWhite(const QGradient& g, qreal opacity)
{
    G copy = static_cast<const G&>(g);
    QGradientStops stops = copy.stops();
    for (QGradientStop& stop : stops)
        stop.second = onWhite(stop.second, opacity);
    copy.setStops(stops);
    return QBrush(copy);
}

QBrush brushOnWhite(const QBrush& b, qreal opacity)
{
    if (b.style() == Qt::NoBrush || (b.gradient() == nullptr && b.color().alpha() == 0))
        return b.style() == Qt::NoBrush ? b : QBrush(Qt::NoBrush);
    QBrush out = b;
    if (const QGradient* g = b.gradient()) {
        switch (g->type()) {
        case QGradient::LinearGradient: out = gradientOnWhite<QLinearGradient>(*g, opacity); break;
        case QGradient::RadialGradient: out = gradientOnWhite<QRadialGradient>(*g, opacity); break;
        case QGradient::ConicalGradient: out = gradientOnWhite<QConicalGradient>(*g, opacity); break;
        default: out = QBrush(onWhite(g->stops().value(0).second, opacity)); break;
        }
        out.setTransform(b.transform());
    } else if (b.style() < Qt::LinearGradientPattern) {
        out.setColor(onWhite(b.color(), opacity));
    }
    return out;
}

// Pixels more than half covered become opaque, over white; the others clear.
// A sharp mask needs no translucency on paper.
QImage imageOnWhite(const QImage& image, qreal opacity)
{
    if (!image.hasAlphaChannel() && opacity >= 1)
        return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QColor c = QColor::fromRgba(line[x]);
            line[x] = c.alphaF() * opacity < 0.5 ? qRgba(255, 255, 255, 0) : onWhite(c, opacity).rgba();
        }
    }
    return out;
}

class PaperEngine : public QPaintEngine {
public:
    explicit PaperEngine(QPainter& out) : QPaintEngine(AllFeatures), out_(out) {}

    bool begin(QPaintDevice*) override
    {
        out_.save();
        base_ = out_.transform();
        return true;
    }
    bool end() override
    {
        out_.restore();
        return true;
    }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& s) override
    {
        const DirtyFlags dirty = s.state();
        if (dirty & DirtyTransform)
            out_.setTransform(s.transform() * base_);
        if (dirty & (DirtyPen | DirtyOpacity)) {
            pen_ = s.pen();
        }
        if (dirty & (DirtyBrush | DirtyOpacity))
            brush_ = s.brush();
        if (dirty & DirtyOpacity)
            opacity_ = s.opacity();
        if (dirty & (DirtyPen | DirtyOpacity)) {
            QPen pen = pen_;
            if (pen.style() != Qt::NoPen) {
                pen.setBrush(brushOnWhite(pen.brush(), opacity_));
                if (pen.brush().style() == Qt::NoBrush)
                    pen.setStyle(Qt::NoPen);
            }
            out_.setPen(pen);
        }
        if (dirty & (DirtyBrush | DirtyOpacity))
            out_.setBrush(brushOnWhite(brush_, opacity_));
        if (dirty & DirtyBrushOrigin)
            out_.setBrushOrigin(s.brushOrigin());
        if (dirty & DirtyFont)
            out_.setFont(s.font());
        if (dirty & DirtyHints)
            out_.setRenderHints(s.renderHints());
        if (dirty & DirtyClipRegion)
            out_.setClipRegion(s.clipRegion(), s.clipOperation());
        if (dirty & DirtyClipPath)
            out_.setClipPath(s.clipPath(), s.clipOperation());
        if (dirty & DirtyClipEnabled)
            out_.setClipping(s.isClipEnabled());
    }

    void drawPath(const QPainterPath& path) override { out_.drawPath(path); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode)
            out_.drawPolyline(points, count);
        else
            out_.drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override
    {
        out_.drawImage(r, imageOnWhite(pm.toImage(), opacity_), sr);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override
    {
        out_.drawImage(r, imageOnWhite(image, opacity_), sr);
    }
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override { out_.drawTextItem(p, textItem); }

private:
    QPainter& out_;
    QTransform base_;
    QPen pen_;
    QBrush brush_;
    qreal opacity_ = 1;
};

} // namespace

Paper::Paper(QPainter& out, QSize size, int dpi) : engine_(std::make_unique<PaperEngine>(out)), size_(size), dpi_(dpi)
{
}

Paper::~Paper() = default;

QPaintEngine* Paper::paintEngine() const
{
    return engine_.get();
}

int Paper::metric(PaintDeviceMetric metric) const
{
    constexpr double mmPerInch = 25.4;
    switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return int(size_.width() * mmPerInch / dpi_);
    case PdmHeightMM: return int(size_.height() * mmPerInch / dpi_);
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}
