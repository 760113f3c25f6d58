#pragma once
// A paint device that keeps the texts painted on it as the adviser reads
// them: each text with its font and colour and where it stands. Rows of the
// lists and the print-outs are painted on it through their own painting
// code; everything else they paint is dropped.

#include <QFont>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <memory>

namespace YaqTest {

struct PaintedText
{
    QString text;
    QFont font;
    QColor colour;
    QPointF at; // the baseline's start on the device
};

class PaintedTexts : public QPaintDevice
{
public:
    // A device of size pixels at dpi dots per inch.
    PaintedTexts(QSize size, int dpi)
        : m_engine(std::make_unique<Engine>()), m_size(size), m_dpi(dpi)
    {
    }
    QPaintEngine *paintEngine() const override { return m_engine.get(); }
    const QList<PaintedText> &Texts() const { return m_engine->texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / m_dpi);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / m_dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmNumColors:
            return 1 << 24;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        Engine() : QPaintEngine(AllFeatures) {}
        QList<PaintedText> texts;

        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        Type type() const override { return User; }
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            texts.append({item.text(), item.font(), painter()->pen().color(),
                          painter()->combinedTransform().map(p)});
        }
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawImage(const QRectF &, const QImage &, const QRectF &,
                       Qt::ImageConversionFlags) override
        {
        }
        void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}
        void drawRects(const QRectF *, int) override {}
        void drawRects(const QRect *, int) override {}
        void drawLines(const QLineF *, int) override {}
        void drawLines(const QLine *, int) override {}
        void drawEllipse(const QRectF &) override {}
        void drawPoints(const QPointF *, int) override {}
    };

    std::unique_ptr<Engine> m_engine;
    QSize m_size;
    int m_dpi;
};

} // namespace YaqTest
