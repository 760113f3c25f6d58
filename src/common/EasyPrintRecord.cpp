#include "common/EasyPrintRecord.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>
#include <variant>
#include <vector>

// The painter's state of a piece, but for its transformation, which nearly
// every piece of the layout boxes has of its own and therefore keeps itself.
struct CEasyPrintRecordState
{
    QPen pen;
    QBrush brush;
    QPointF brushOrigin;
    QBrush background;
    Qt::BGMode backgroundMode = Qt::TransparentMode;
    QPainter::RenderHints hints;
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
    qreal opacity = 1.0;
    bool clipped = false; // a clip is set and on
    QPainterPath clip;    // device pixels
    QRectF clipBounds;
};

struct CEasyPrintRecordData
{
    using State = CEasyPrintRecordState;

    struct Text
    {
        QPointF pos; // the left end of the baseline
        QString text;
        QFont font;
        bool rightToLeft;
    };
    struct Rects
    {
        QList<QRectF> rects;
    };
    struct Lines
    {
        QList<QLineF> lines;
    };
    struct Points
    {
        QList<QPointF> points;
    };
    struct Polygon
    {
        QList<QPointF> points;
        QPaintEngine::PolygonDrawMode mode;
    };
    struct Ellipse
    {
        QRectF rect;
    };
    struct Path
    {
        QPainterPath path;
    };
    struct Pixmap
    {
        QRectF target;
        QPixmap pixmap;
        QRectF source;
    };
    struct TiledPixmap
    {
        QRectF target;
        QPixmap pixmap;
        QPointF offset;
    };
    struct Image
    {
        QRectF target;
        QImage image;
        QRectF source;
        Qt::ImageConversionFlags flags;
    };
    using Drawing = std::variant<Text, Rects, Lines, Points, Polygon, Ellipse, Path, Pixmap,
                                 TiledPixmap, Image>;

    struct Piece
    {
        int state;
        QTransform transform;
        QRectF bounds; // device pixels, inside the clip
        Drawing drawing;
    };

    std::vector<State> states;
    std::vector<Piece> pieces;

    // Which pieces touch which square cell of the device; a piece over very
    // many cells (a frame around the whole document) is looked at for every
    // area instead.
    double cellSize = 1000;
    std::unordered_map<quint64, std::vector<int>> cells;
    std::vector<int> large;

    void Clear()
    {
        states.clear();
        pieces.clear();
        cells.clear();
        large.clear();
    }
    static int CellOf(double coordinate, double cellSize)
    {
        const double cell = std::floor(coordinate / cellSize);
        if (!std::isfinite(cell))
            return 0;
        return int(std::clamp(cell, double(INT_MIN / 2), double(INT_MAX / 2)));
    }
    static quint64 Key(int x, int y) { return (quint64(quint32(x)) << 32) | quint32(y); }
    void BuildIndex();
    std::vector<int> PiecesIn(const QRectF &area) const;
};

namespace {

// A piece reaching less than half a pixel (or less than half its own size)
// into a sheet does not show on it: the pieces that end exactly on the
// sheet's edge stay on their own sheet whatever the rounding of the
// transformations.
constexpr double kEdgeTolerance = 0.5;
// A piece over more cells than this goes to the list looked at every time.
constexpr qint64 kMaxCellsOfPiece = 64;

bool showsIn(const QRectF &bounds, const QRectF &area)
{
    const double across =
        std::min(bounds.right(), area.right()) - std::max(bounds.left(), area.left());
    const double down =
        std::min(bounds.bottom(), area.bottom()) - std::max(bounds.top(), area.top());
    return across > std::min(kEdgeTolerance, bounds.width() / 2) &&
           down > std::min(kEdgeTolerance, bounds.height() / 2);
}

template <class... Ts> struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

void CEasyPrintRecordData::BuildIndex()
{
    cells.clear();
    large.clear();
    for (int i = 0; i < int(pieces.size()); ++i) {
        const QRectF &b = pieces[size_t(i)].bounds;
        const int x0 = CellOf(b.left(), cellSize), x1 = CellOf(b.right(), cellSize);
        const int y0 = CellOf(b.top(), cellSize), y1 = CellOf(b.bottom(), cellSize);
        if (qint64(x1 - x0 + 1) * qint64(y1 - y0 + 1) > kMaxCellsOfPiece) {
            large.push_back(i);
            continue;
        }
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                cells[Key(x, y)].push_back(i);
    }
}

std::vector<int> CEasyPrintRecordData::PiecesIn(const QRectF &area) const
{
    std::vector<int> found;
    const int x0 = CellOf(area.left(), cellSize), x1 = CellOf(area.right(), cellSize);
    const int y0 = CellOf(area.top(), cellSize), y1 = CellOf(area.bottom(), cellSize);
    if (qint64(x1 - x0 + 1) * qint64(y1 - y0 + 1) > qint64(cells.size())) {
        // An area over most of the document (the preview): look at every piece.
        for (int i = 0; i < int(pieces.size()); ++i)
            if (showsIn(pieces[size_t(i)].bounds, area))
                found.push_back(i);
        return found;
    }
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const auto it = cells.find(Key(x, y));
            if (it != cells.end())
                found.insert(found.end(), it->second.begin(), it->second.end());
        }
    }
    found.insert(found.end(), large.begin(), large.end());
    // Drawn in the order recorded, each piece once.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    found.erase(std::remove_if(found.begin(), found.end(),
                               [&](int i) { return !showsIn(pieces[size_t(i)].bounds, area); }),
                found.end());
    return found;
}

// --- recording ---------------------------------------------------------

class CEasyPrintRecordEngine : public QPaintEngine
{
public:
    explicit CEasyPrintRecordEngine(CEasyPrintRecordData *data)
        : QPaintEngine(AllFeatures), m_data(data)
    {
    }

    bool begin(QPaintDevice *) override
    {
        // A new painter starts a new drawing.
        m_data->Clear();
        m_state = CEasyPrintRecordState();
        m_transform = QTransform();
        m_clip = QPainterPath();
        m_hasClip = false;
        m_clipEnabled = false;
        m_stateChanged = true;
        setActive(true);
        return true;
    }
    bool end() override
    {
        m_data->BuildIndex();
        setActive(false);
        return true;
    }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &s) override
    {
        const DirtyFlags flags = s.state();
        if (flags & DirtyTransform)
            m_transform = s.transform();
        // A new state is kept only when something differs: the painter
        // sends its whole state again after every restore.
        auto take = [this](auto &field, const auto &value) {
            if (field != value) {
                field = value;
                m_stateChanged = true;
            }
        };
        if (flags & DirtyPen)
            take(m_state.pen, s.pen());
        if (flags & DirtyBrush)
            take(m_state.brush, s.brush());
        if (flags & DirtyBrushOrigin)
            take(m_state.brushOrigin, s.brushOrigin());
        if (flags & DirtyBackground)
            take(m_state.background, s.backgroundBrush());
        if (flags & DirtyBackgroundMode)
            take(m_state.backgroundMode, s.backgroundMode());
        if (flags & DirtyHints)
            take(m_state.hints, s.renderHints());
        if (flags & DirtyCompositionMode)
            take(m_state.composition, s.compositionMode());
        if (flags & DirtyOpacity)
            take(m_state.opacity, s.opacity());
        if (flags & (DirtyClipRegion | DirtyClipPath)) {
            // Kept in device pixels: a clip is given in the coordinates of
            // the transformation of its moment.
            QPainterPath path;
            if (flags & DirtyClipPath)
                path = s.clipPath();
            else
                path.addRegion(s.clipRegion());
            path = s.transform().map(path);
            switch (s.clipOperation()) {
            case Qt::NoClip:
                m_clip = QPainterPath();
                m_hasClip = false;
                break;
            case Qt::ReplaceClip:
                m_clip = path;
                m_hasClip = true;
                break;
            case Qt::IntersectClip:
                m_clip = m_hasClip ? m_clip.intersected(path) : path;
                m_hasClip = true;
                break;
            }
        }
        if (flags & DirtyClipEnabled)
            m_clipEnabled = s.isClipEnabled();
        if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) {
            m_stateChanged = true;
            m_state.clipped = m_clipEnabled && m_hasClip;
            m_state.clip = m_state.clipped ? m_clip : QPainterPath();
            m_state.clipBounds = m_state.clipped ? m_clip.boundingRect() : QRectF();
        }
    }

    void drawRects(const QRectF *rects, int count) override
    {
        QRectF bounds;
        for (int i = 0; i < count; ++i)
            bounds = united(bounds, rects[i].normalized());
        add(bounds, true, CEasyPrintRecordData::Rects{QList<QRectF>(rects, rects + count)});
    }
    void drawLines(const QLineF *lines, int count) override
    {
        QRectF bounds;
        for (int i = 0; i < count; ++i)
            bounds = united(bounds, QRectF(lines[i].p1(), lines[i].p2()).normalized());
        add(bounds, true, CEasyPrintRecordData::Lines{QList<QLineF>(lines, lines + count)});
    }
    void drawEllipse(const QRectF &rect) override
    {
        add(rect.normalized(), true, CEasyPrintRecordData::Ellipse{rect});
    }
    void drawPath(const QPainterPath &path) override
    {
        add(path.controlPointRect(), true, CEasyPrintRecordData::Path{path});
    }
    void drawPoints(const QPointF *points, int count) override
    {
        add(pointBounds(points, count), true,
            CEasyPrintRecordData::Points{QList<QPointF>(points, points + count)});
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        add(pointBounds(points, count), true,
            CEasyPrintRecordData::Polygon{QList<QPointF>(points, points + count), mode});
    }
    void drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &source) override
    {
        add(target.normalized(), false, CEasyPrintRecordData::Pixmap{target, pixmap, source});
    }
    void drawTiledPixmap(const QRectF &target, const QPixmap &pixmap,
                         const QPointF &offset) override
    {
        add(target.normalized(), false, CEasyPrintRecordData::TiledPixmap{target, pixmap, offset});
    }
    void drawImage(const QRectF &target, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags) override
    {
        add(target.normalized(), false, CEasyPrintRecordData::Image{target, image, source, flags});
    }
    void drawTextItem(const QPointF &pos, const QTextItem &item) override
    {
        const QString text = item.text();
        if (text.isEmpty()) {
            // Glyphs without their characters: kept as their outlines.
            QPaintEngine::drawTextItem(pos, item);
            return;
        }
        // The painter draws underlines and the like itself, as lines.
        QFont font = item.font();
        font.setUnderline(false);
        font.setOverline(false);
        font.setStrikeOut(false);
        const QRectF bounds(pos.x(), pos.y() - item.ascent(), item.width(),
                            item.ascent() + item.descent());
        add(bounds, false,
            CEasyPrintRecordData::Text{pos, text, font,
                                       bool(item.renderFlags() & QTextItem::RightToLeft)});
    }

private:
    static QRectF united(const QRectF &a, const QRectF &b)
    {
        // QRectF::united drops a rectangle of no width or height (a straight
        // line); its extent counts here.
        if (a.isNull())
            return b;
        return QRectF(QPointF(std::min(a.left(), b.left()), std::min(a.top(), b.top())),
                      QPointF(std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())));
    }
    static QRectF pointBounds(const QPointF *points, int count)
    {
        QRectF bounds;
        for (int i = 0; i < count; ++i)
            bounds = united(bounds, QRectF(points[i], QSizeF(0, 0)));
        return bounds;
    }

    // Keeps the piece covering logical (the painter's coordinates); a stroked
    // piece grows by its pen. A piece wholly outside the clip shows nowhere
    // and is dropped.
    void add(const QRectF &logical, bool stroked, CEasyPrintRecordData::Drawing drawing)
    {
        QRectF area = logical;
        const QPen &pen = m_state.pen;
        const bool hasPen = stroked && pen.style() != Qt::NoPen;
        if (hasPen && !pen.isCosmetic()) {
            const qreal w = std::max<qreal>(pen.widthF(), 1.0);
            area.adjust(-w, -w, w, w);
        }
        QRectF bounds = m_transform.mapRect(area);
        if (hasPen && pen.isCosmetic()) {
            const qreal w = std::max<qreal>(pen.widthF(), 1.0);
            bounds.adjust(-w, -w, w, w);
        }
        if (m_state.clipped)
            bounds = bounds.intersected(m_state.clipBounds);
        if (bounds.width() <= 0 || bounds.height() <= 0)
            return;
        if (m_stateChanged || m_data->states.empty()) {
            m_data->states.push_back(m_state);
            m_stateChanged = false;
        }
        m_data->pieces.push_back(CEasyPrintRecordData::Piece{
            int(m_data->states.size()) - 1, m_transform, bounds, std::move(drawing)});
    }

    CEasyPrintRecordData *m_data;
    CEasyPrintRecordState m_state;
    QTransform m_transform;
    QPainterPath m_clip; // device pixels, also while clipping is off
    bool m_hasClip = false;
    bool m_clipEnabled = false;
    bool m_stateChanged = true;
};

// --- the device --------------------------------------------------------

CEasyPrintRecord::CEasyPrintRecord(QSize size, int dpi, double cellSize)
    : m_data(std::make_unique<CEasyPrintRecordData>()),
      m_engine(std::make_unique<CEasyPrintRecordEngine>(m_data.get())), m_size(size),
      m_dpi(std::max(dpi, 1))
{
    m_data->cellSize = cellSize > 0 ? cellSize : 1000;
}

CEasyPrintRecord::~CEasyPrintRecord() = default;

QPaintEngine *CEasyPrintRecord::paintEngine() const
{
    return m_engine.get();
}

int CEasyPrintRecord::metric(PaintDeviceMetric metric) const
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
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

// --- replaying ---------------------------------------------------------

namespace {

void applyState(QPainter *painter, const CEasyPrintRecordState &s,
                const CEasyPrintRecordState *before, qreal baseOpacity)
{
    if (!before || before->pen != s.pen)
        painter->setPen(s.pen);
    if (!before || before->brush != s.brush)
        painter->setBrush(s.brush);
    if (!before || before->brushOrigin != s.brushOrigin)
        painter->setBrushOrigin(s.brushOrigin);
    if (!before || before->background != s.background)
        painter->setBackground(s.background);
    if (!before || before->backgroundMode != s.backgroundMode)
        painter->setBackgroundMode(s.backgroundMode);
    if (!before || before->hints != s.hints) {
        painter->setRenderHints(painter->renderHints(), false);
        painter->setRenderHints(s.hints, true);
    }
    if (!before || before->composition != s.composition)
        painter->setCompositionMode(s.composition);
    if (!before || before->opacity != s.opacity)
        painter->setOpacity(s.opacity * baseOpacity);
}

} // namespace

void CEasyPrintRecord::Play(QPainter *painter, const QRectF &area) const
{
    if (!painter || !painter->isActive())
        return;
    const std::vector<int> order = m_data->PiecesIn(area);
    if (order.empty())
        return;

    using Data = CEasyPrintRecordData;
    painter->save();
    const QTransform base = painter->worldTransform();
    const qreal baseOpacity = painter->opacity();
    const CEasyPrintRecordState *applied = nullptr;
    bool clipSaved = false;
    bool haveFont = false;
    QFont font;

    for (const int index : order) {
        const Data::Piece &piece = m_data->pieces[size_t(index)];
        const CEasyPrintRecordState &state = m_data->states[size_t(piece.state)];
        if (&state != applied) {
            if (clipSaved || state.clipped) {
                // The piece's clip within the painter's own: set on a saved
                // state, which its end gives back.
                if (clipSaved)
                    painter->restore();
                clipSaved = false;
                applied = nullptr;
                haveFont = false;
                if (state.clipped) {
                    painter->save();
                    clipSaved = true;
                    painter->setWorldTransform(base);
                    painter->setClipPath(state.clip, Qt::IntersectClip);
                }
            }
            applyState(painter, state, applied, baseOpacity);
            applied = &state;
        }
        painter->setWorldTransform(piece.transform * base);

        std::visit(
            Overloaded{
                [&](const Data::Text &d) {
                    if (!haveFont || !(font == d.font)) {
                        font = d.font;
                        painter->setFont(font);
                        haveFont = true;
                    }
                    // The background of an opaque text was kept as a
                    // rectangle of its own.
                    const bool opaque = state.backgroundMode == Qt::OpaqueMode;
                    if (opaque)
                        painter->setBackgroundMode(Qt::TransparentMode);
                    if (d.rightToLeft)
                        painter->setLayoutDirection(Qt::RightToLeft);
                    painter->drawText(d.pos, d.text);
                    if (d.rightToLeft)
                        painter->setLayoutDirection(Qt::LeftToRight);
                    if (opaque)
                        painter->setBackgroundMode(Qt::OpaqueMode);
                },
                [&](const Data::Rects &d) {
                    painter->drawRects(d.rects.constData(), d.rects.size());
                },
                [&](const Data::Lines &d) {
                    painter->drawLines(d.lines.constData(), d.lines.size());
                },
                [&](const Data::Points &d) {
                    painter->drawPoints(d.points.constData(), d.points.size());
                },
                [&](const Data::Polygon &d) {
                    const QPointF *points = d.points.constData();
                    const int count = int(d.points.size());
                    switch (d.mode) {
                    case QPaintEngine::OddEvenMode:
                        painter->drawPolygon(points, count, Qt::OddEvenFill);
                        break;
                    case QPaintEngine::WindingMode:
                        painter->drawPolygon(points, count, Qt::WindingFill);
                        break;
                    case QPaintEngine::ConvexMode:
                        painter->drawConvexPolygon(points, count);
                        break;
                    case QPaintEngine::PolylineMode:
                        painter->drawPolyline(points, count);
                        break;
                    }
                },
                [&](const Data::Ellipse &d) { painter->drawEllipse(d.rect); },
                [&](const Data::Path &d) { painter->drawPath(d.path); },
                [&](const Data::Pixmap &d) { painter->drawPixmap(d.target, d.pixmap, d.source); },
                [&](const Data::TiledPixmap &d) {
                    painter->drawTiledPixmap(d.target, d.pixmap, d.offset);
                },
                [&](const Data::Image &d) {
                    painter->drawImage(d.target, d.image, d.source, d.flags);
                },
            },
            piece.drawing);
    }
    if (clipSaved)
        painter->restore();
    painter->restore();
}
