#include "common/Layout.h"

#include "platform/StringUtil.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// A piece wholly outside the painter's clip region is not painted at all (the
// rows of a long list outside the part being repainted).
bool isVisible(const QPainter *dc, const CRect &piece)
{
    if (!dc->hasClipping())
        return true;
    return dc->clipBoundingRect().intersects(piece.toQRectF().adjusted(-1, -1, 1, 1));
}

} // namespace

// --- CLayout -----------------------------------------------------------

CLayout::CLayout(CRect rect, QPainter *dc)
{
    Init(rect, dc, nullptr);
}

CLayout::CLayout(CLayout &parent)
{
    Init(parent.GetFreeRect(), parent.GetDC(), &parent);
}

CLayout::~CLayout()
{
    DeInit();
}

void CLayout::Init(CRect rect, QPainter *dc, CLayout *parent)
{
    m_rcMark = CRect();
    m_rcBox = rect;
    m_pDC = dc;
    m_pParent = parent;
    m_nYDir = LayoutYDirection(dc);
    // Nothing used yet: an empty rectangle at the box's top-left corner.
    m_rcUsed = CRect(rect.left, rect.top, rect.left, rect.top);
    if (parent) {
        // A nested box draws like its parent until told otherwise.
        m_bLeftAlign = parent->m_bLeftAlign;
        m_nCenterAlign = parent->m_nCenterAlign;
        m_bWordbreak = parent->m_bWordbreak;
    }
}

void CLayout::DeInit()
{
    if (m_pParent)
        m_pParent->AddSize(m_nExtraWidth + m_rcUsed.right - m_rcUsed.left,
                           m_rcUsed.bottom - m_rcUsed.top);
    m_pParent = nullptr;
}

CRect CLayout::AddRect(CRect piece)
{
    return AddSize(piece.Width(), piece.Height());
}

void CLayout::SetBlockMode(int on)
{
    if (!m_bBlockMode && on)
        m_nBlockStart = m_rcUsed.right;
    m_bBlockMode = on;
}

CRect CLayout::DCDraw(const QFont *font, const QString &text, int paint, int width, int extra)
{
    const CRect freeRect = GetFreeRect();
    const QFont drawFont = LayoutFont(font ? *font : (m_pDC ? m_pDC->font() : QFont()), m_pDC);

    int wrapWidth = 0;
    if (m_bWordbreak)
        wrapWidth = width > 0 ? width : std::max(freeRect.Width(), 0);
    const LayoutTextBlock block = LayoutText(drawFont, text, wrapWidth);

    const int cellWidth = width > 0 ? width : int(std::ceil(block.width));
    const CRect piece(freeRect.left, freeRect.top, freeRect.left + cellWidth,
                      freeRect.top + m_nYDir * block.height);

    auto lineOffset = [&](const LayoutTextLine &line) -> double {
        if (m_nCenterAlign)
            return (cellWidth - line.width) / 2.0;
        if (!m_bLeftAlign)
            return cellWidth - line.width;
        return 0.0;
    };

    if (m_nMarkCount > 0) {
        const QFontMetricsF fm(drawFont);
        const int markEnd = m_nMarkStart + m_nMarkCount;
        bool any = false;
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (int i = 0; i < block.lines.size(); ++i) {
            const LayoutTextLine &line = block.lines.at(i);
            const int from = std::max(m_nMarkStart - line.start, 0);
            const int to = std::min(markEnd - line.start, int(line.text.size()));
            if (from >= to)
                continue;
            const double left = lineOffset(line) + fm.horizontalAdvance(line.text.left(from));
            const double right = lineOffset(line) + fm.horizontalAdvance(line.text.left(to));
            const double top = i * block.lineSpacing;
            const double bottom = top + block.lineSpacing;
            x1 = any ? std::min(x1, left) : left;
            x2 = any ? std::max(x2, right) : right;
            y1 = any ? std::min(y1, top) : top;
            y2 = any ? std::max(y2, bottom) : bottom;
            any = true;
        }
        if (any)
            m_rcMark = CRect(piece.left + qFloor(x1), piece.top + m_nYDir * qFloor(y1),
                             piece.left + qCeil(x2), piece.top + m_nYDir * qCeil(y2));
    }

    if (paint && m_pDC && isVisible(m_pDC, piece)) {
        m_pDC->save();
        m_pDC->setFont(drawFont);
        for (int i = 0; i < block.lines.size(); ++i) {
            const LayoutTextLine &line = block.lines.at(i);
            if (line.text.isEmpty())
                continue;
            const double baseline = i * block.lineSpacing + block.ascent;
            m_pDC->save();
            m_pDC->translate(piece.left + lineOffset(line), piece.top + m_nYDir * baseline);
            // On a page y grows upwards: draw the glyphs upright.
            if (m_nYDir < 0)
                m_pDC->scale(1.0, -1.0);
            m_pDC->drawText(QPointF(0, 0), line.text);
            m_pDC->restore();
        }
        m_pDC->restore();
    }

    if (extra > 0)
        m_nExtraWidth = std::max(m_nExtraWidth, extra);
    AddRect(piece);
    return piece;
}

CRect CLayout::DCDrawBitmap(int bitmapId, int cx, int cy, int paint, int, int)
{
    const CRect freeRect = GetFreeRect();
    const CRect piece(freeRect.left, freeRect.top, freeRect.left + cx, freeRect.top + m_nYDir * cy);
    if (paint && m_pDC && cx > 0 && cy > 0 && isVisible(m_pDC, piece)) {
        const QImage image(QStringLiteral(":/bitmaps/%1.png").arg(bitmapId));
        if (!image.isNull()) {
            m_pDC->save();
            m_pDC->translate(piece.left, piece.top);
            if (m_nYDir < 0)
                m_pDC->scale(1.0, -1.0);
            m_pDC->drawImage(QRectF(0, 0, cx, cy), image);
            m_pDC->restore();
        }
    }
    AddRect(piece);
    return piece;
}

// --- the two box kinds -------------------------------------------------

CRect CLayoutVBox::GetFreeRect()
{
    return CRect(m_rcUsed.left, m_rcUsed.bottom, m_rcBox.right, m_rcBox.bottom);
}

CRect CLayoutVBox::AddSize(int cx, int cy)
{
    m_rcUsed.bottom += cy;
    if (m_rcUsed.left + cx > m_rcUsed.right)
        m_rcUsed.right = m_rcUsed.left + cx;
    return m_rcUsed;
}

CRect CLayoutHBox::GetFreeRect()
{
    return CRect(m_rcUsed.right, m_rcUsed.top, m_rcBox.right, m_rcBox.bottom);
}

CRect CLayoutHBox::AddSize(int cx, int cy)
{
    m_rcUsed.right += cx;
    // "Taller" means reaching further down the page in either direction of y.
    if ((m_rcUsed.top + cy) * m_nYDir > m_rcUsed.bottom * m_nYDir)
        m_rcUsed.bottom = m_rcUsed.top + cy;
    return m_rcUsed;
}

// --- painter helpers ---------------------------------------------------

void SetMapModeLoMetric(QPainter *dc)
{
    if (!dc || !dc->device())
        return;
    const double dpiX = dc->device()->logicalDpiX();
    const double dpiY = dc->device()->logicalDpiY();
    dc->setWorldTransform(QTransform::fromScale(dpiX / 254.0, -dpiY / 254.0));
}

int LayoutYDirection(const QPainter *dc)
{
    if (!dc)
        return 1;
    return dc->combinedTransform().m22() < 0 ? -1 : 1;
}

QFont LayoutFont(const QFont &font, const QPainter *dc)
{
    if (font.pixelSize() <= 0 && LayoutYDirection(dc) < 0)
        return LayoutPageFont(font);
    QFont f(font);
    if (f.pixelSize() <= 0) {
        double scaleY = 1.0;
        double dpi = 96.0;
        if (dc) {
            const QTransform t = dc->combinedTransform();
            scaleY = std::hypot(t.m12(), t.m22());
            if (scaleY <= 0)
                scaleY = 1.0;
            if (dc->device())
                dpi = dc->device()->logicalDpiY();
        }
        f.setPixelSize(std::max(1, qRound(f.pointSizeF() * dpi / 72.0 / scaleY)));
    }
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QFont LayoutPageFont(const QFont &font)
{
    QFont f(font);
    // On a page the unit is 0.1 mm however the page is shown (printed,
    // written as PDF or shrunk into the preview): a point is 254 / 72
    // units.
    if (f.pixelSize() <= 0)
        f.setPixelSize(std::max(1, qRound(f.pointSizeF() * 254.0 / 72.0)));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

namespace {

struct TextKey
{
    QFont font;
    QString text;
    int wrapWidth;
    bool operator==(const TextKey &o) const
    {
        return wrapWidth == o.wrapWidth && text == o.text && font == o.font;
    }
};
size_t qHash(const TextKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.text, key.wrapWidth);
}
// Outside a print job: enough for the rows of the lists on the screen.
constexpr int kTextCacheSize = 20000;

QHash<TextKey, LayoutTextBlock> &textCache()
{
    thread_local QHash<TextKey, LayoutTextBlock> cache;
    return cache;
}
thread_local int t_printJobs = 0;

LayoutTextBlock layoutTextUncached(const QFont &font, const QString &text, int wrapWidth);

} // namespace

LayoutTextBlock LayoutText(const QFont &font, const QString &text, int wrapWidth)
{
    QHash<TextKey, LayoutTextBlock> &cache = textCache();
    TextKey key{font, text, wrapWidth};
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return it.value();
    if (t_printJobs == 0 && cache.size() >= kTextCacheSize)
        cache.clear();
    LayoutTextBlock block = layoutTextUncached(font, text, wrapWidth);
    cache.insert(std::move(key), block);
    return block;
}

CLayoutTextJob::CLayoutTextJob()
{
    ++t_printJobs;
}

CLayoutTextJob::~CLayoutTextJob()
{
    if (--t_printJobs == 0)
        textCache().clear();
}

int LayoutTextCacheSize()
{
    return int(textCache().size());
}

double LayoutTextWidth(const QFont &font, const QString &text)
{
    return layoutTextUncached(font, text, 0).width;
}

namespace {

// A tab is blank space up to the next tab stop of its line, one every
// eight characters: whatever the adviser typed or pasted is drawn, and a
// word after tabs stays in the line (or goes on in the next one) like any
// other word.
constexpr int kTabStop = 8;

QString withTabsAsBlanks(const QString &text)
{
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString expanded;
    expanded.reserve(text.size() + kTabStop);
    int column = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\t')) {
            const int blanks = kTabStop - column % kTabStop;
            expanded.append(QString(blanks, QLatin1Char(' ')));
            column += blanks;
            continue;
        }
        expanded.append(c);
        column = c == QLatin1Char('\n') ? 0 : column + 1;
    }
    return expanded;
}

LayoutTextBlock layoutTextUncached(const QFont &font, const QString &whole, int wrapWidth)
{
    const QString text = withTabsAsBlanks(whole);
    LayoutTextBlock block;
    const QFontMetricsF fm(font);
    block.lineSpacing = fm.lineSpacing();
    block.ascent = fm.ascent();

    int paragraphStart = 0;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (QString paragraph : paragraphs) {
        const int start = paragraphStart;
        paragraphStart += paragraph.size() + 1;
        if (paragraph.endsWith(QLatin1Char('\r')))
            paragraph.chop(1);

        if (wrapWidth <= 0 || paragraph.isEmpty()) {
            const double w = fm.horizontalAdvance(paragraph);
            block.lines.append({paragraph, start, w});
            block.width = std::max(block.width, w);
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(wrapWidth);
            const QString piece =
                WithoutTrailingBlanks(paragraph.mid(line.textStart(), line.textLength()));
            const double w = fm.horizontalAdvance(piece);
            block.lines.append({piece, start + line.textStart(), w});
            block.width = std::max(block.width, w);
        }
        layout.endLayout();
    }
    block.height = int(std::ceil(block.lines.size() * block.lineSpacing - 1e-9));
    return block;
}

} // namespace
