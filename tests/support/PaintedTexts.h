#pragma once
// A paint device that keeps the texts painted on it as the adviser reads
// them: each text with its font and colour and where it stands. Rows of the
// lists and the print-outs are painted on it through their own painting
// code; everything else they paint is dropped.

#include <QFont>
#include <QImage>
#include <QList>
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

// An image only in its size and resolution: what is painted on it goes to
// the list of texts.
class PaintedTexts : public QImage
{
public:
    // A device of size pixels at dpi dots per inch.
    PaintedTexts(QSize size, int dpi)
        : QImage(size, QImage::Format_Mono), m_engine(std::make_unique<Engine>())
    {
        setDotsPerMeterX(qRound(dpi / 0.0254));
        setDotsPerMeterY(qRound(dpi / 0.0254));
    }
    QPaintEngine *paintEngine() const override { return m_engine.get(); }
    const QList<PaintedText> &Texts() const { return m_engine->texts; }

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
};

} // namespace YaqTest
