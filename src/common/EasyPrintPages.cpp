#include "common/EasyPrintPages.h"

#include <algorithm>
#include <cmath>

int TileCount(int docExtent, int pageExtent)
{
    if (docExtent <= 0 || pageExtent <= 0)
        return 0;
    return docExtent / pageExtent + (docExtent % pageExtent != 0 ? 1 : 0);
}

int CenterOffset(bool centre, int tiles, int pageMm, int docExtent)
{
    if (!centre)
        return 0;
    return int((double(tiles) * pageMm * 10 - docExtent) * 0.5 + 0.5);
}

CRect TileRect(int row, int column, int pageWidthMm, int pageHeightMm, int offsetX, int offsetY)
{
    const int w = pageWidthMm * 10;
    const int h = pageHeightMm * 10;
    return CRect(column * w - offsetX, offsetY - row * h, (column + 1) * w - offsetX,
                 offsetY - (row + 1) * h);
}

QString RangeTextFromTiles(const std::vector<int> &tiles)
{
    QStringList items;
    const int count = int(tiles.size());
    int i = 0;
    while (i < count) {
        if (tiles[size_t(i)] != 1) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < count && tiles[size_t(last + 1)] == 1)
            ++last;
        if (last == i)
            items << QString::number(i + 1);
        else if (last == i + 1)
            items << QString::number(i + 1) << QString::number(last + 1);
        else
            items << QStringLiteral("%1-%2").arg(i + 1).arg(last + 1);
        i = last + 1;
    }
    return items.join(QLatin1Char(','));
}

std::vector<int> TilesFromRangeText(const QString &text, int count)
{
    std::vector<int> tiles(size_t(std::max(count, 0)), 0);
    if (count <= 0)
        return tiles;
    if (text.trimmed().isEmpty()) {
        std::fill(tiles.begin(), tiles.end(), 1);
        return tiles;
    }

    // The item being read: the lowest and the highest page number given so
    // far (0 while none), whether it has a "-", and the number being read.
    // Page numbers stay page numbers until the item is closed, so that one
    // beyond the last page is not mistaken for the last page.
    long long low = 0;
    long long high = 0;
    bool hasDash = false;
    long long number = 0;
    bool hasNumber = false;

    auto widen = [&](long long pageNumber) {
        const long long page = std::max<long long>(pageNumber, 1); // page 0 is page 1
        low = low == 0 ? page : std::min(low, page);
        high = high == 0 ? page : std::max(high, page);
    };
    auto closeItem = [&]() {
        if (hasNumber)
            widen(number);
        else if (hasDash)
            high = count; // "3-": up to the last page
        // Only the pages of the document are chosen.
        if (high > 0) {
            for (long long page = low; page <= std::min<long long>(high, count); ++page)
                tiles[size_t(page - 1)] = 1;
        }
        low = high = 0;
        hasDash = hasNumber = false;
        number = 0;
    };

    for (const QChar ch : text) {
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            // A number beyond the last page stays beyond it: it stops
            // growing there, so that long runs of digits cannot overflow.
            if (number <= count)
                number = number * 10 + (ch.unicode() - '0');
            hasNumber = true;
        } else if (ch == QLatin1Char('-')) {
            widen(hasNumber ? number : 1); // "-4": from the first page
            hasDash = true;
            hasNumber = false;
            number = 0;
        } else if (ch == QLatin1Char(',') || ch == QLatin1Char(';') || ch == QLatin1Char('/')) {
            closeItem();
        }
    }
    closeItem();
    return tiles;
}

PreviewGeometry ComputePreviewGeometry(const QRect &area, int pageWidthMm, int pageHeightMm,
                                       int columns, int rows)
{
    PreviewGeometry g;
    const int totalWidth = pageWidthMm * columns;
    const int totalHeight = pageHeightMm * rows;
    if (totalWidth < 1 || totalHeight < 1)
        return g;
    const int innerWidth = area.width() - 10;
    const int innerHeight = area.height() - 10;
    if (innerWidth < 1 || innerHeight < 1)
        return g;
    g.scale = std::min(double(innerWidth) / pageWidthMm, double(innerHeight) / pageHeightMm);
    g.gridSize =
        QSize(int(std::lround(totalWidth * g.scale)), int(std::lround(totalHeight * g.scale)));
    g.canvasSize = area.size().expandedTo(g.gridSize + QSize(10, 10));
    const int offsetX = std::max(int((innerWidth - g.gridSize.width()) * 0.5 + 0.5), 0);
    const int offsetY = std::max(int((innerHeight - g.gridSize.height()) * 0.5 + 0.5), 0);
    g.origin = QPoint(area.left() + 5 + offsetX, area.top() + 5 + offsetY);
    g.tileWidth = pageWidthMm * g.scale;
    g.tileHeight = pageHeightMm * g.scale;
    return g;
}

QRect PreviewTileRect(const PreviewGeometry &g, int row, int column)
{
    const int x1 = int(std::lround(column * g.tileWidth)) + g.origin.x();
    const int y1 = int(std::lround(row * g.tileHeight)) + g.origin.y();
    const int x2 = int(std::lround((column + 1) * g.tileWidth)) + g.origin.x() + 1;
    const int y2 = int(std::lround((row + 1) * g.tileHeight)) + g.origin.y() + 1;
    return QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
}

int PreviewHitTile(const PreviewGeometry &g, const QPoint &pos, int columns, int rows)
{
    if (g.isEmpty() || g.tileWidth <= 0 || g.tileHeight <= 0)
        return -1;
    const int x = pos.x() - g.origin.x();
    const int y = pos.y() - g.origin.y();
    if (x < 0 || y < 0)
        return -1;
    const int column = int(x / g.tileWidth);
    const int row = int(y / g.tileHeight);
    if (column >= columns || row >= rows)
        return -1;
    return row * columns + column;
}

QPointF PhysicalOffsetPoints(int offsetX, int offsetY, int dpiX, int dpiY)
{
    return QPointF(dpiX > 0 ? offsetX * 72.0 / dpiX : 0.0, dpiY > 0 ? offsetY * 72.0 / dpiY : 0.0);
}

QString ShellErrorText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("The operating system is out of memory or resources.");
    case 2:
        return QStringLiteral("The specified file was not found.");
    case 3:
        return QStringLiteral("The specified path was not found.");
    case 5:
        return QStringLiteral("The operating system denied access to the specified file.");
    case 8:
        return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral(
            "The .exe file is invalid (non-Win32\u00ae .exe or error in .exe image).");
    case 26:
        return QStringLiteral("A sharing violation occurred.");
    case 27:
        return QStringLiteral("The file name association is incomplete or invalid.");
    case 28:
        return QStringLiteral("The DDE transaction could not be completed because the request "
                              "timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral("The DDE transaction could not be completed because other DDE "
                              "transactions were being processed.");
    case 31:
        return QStringLiteral(
            "There is no application associated with the given file name extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QStringLiteral("An unknown error occurred.");
    }
}
