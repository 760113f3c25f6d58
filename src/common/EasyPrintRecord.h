#pragma once
// One drawing of a printed document, kept to be shown again sheet by sheet.
//
// The print engine lets the page draw its whole document once onto this
// device and then replays, for every sheet, only the pieces that show on that
// sheet: the cost of a print-out grows with its pages, not with their square,
// and a sheet of a PDF carries no hidden text of the other sheets (clipping
// alone would keep that text in the PDF, where search and copy find it).
//
// Every drawing call is kept with the painter's state of that moment (pen,
// brush, transformation, clip, ...) and the rectangle it covers on the
// device. Texts are kept as texts, so that they stay texts in a PDF; drawing
// them again lays them out once more with the same font (a justified line of
// a rich text comes back unjustified).

#include <QPaintDevice>
#include <QRectF>
#include <QSize>

#include <memory>

class QPainter;
class CEasyPrintRecordEngine;
struct CEasyPrintRecordData;

class CEasyPrintRecord : public QPaintDevice
{
public:
    // A device of size pixels at dpi dots per inch on both axes. cellSize
    // (pixels) is the grain of the index that finds the pieces of a sheet:
    // about a sheet's height suits.
    CEasyPrintRecord(QSize size, int dpi, double cellSize);
    ~CEasyPrintRecord() override;
    CEasyPrintRecord(const CEasyPrintRecord &) = delete;
    CEasyPrintRecord &operator=(const CEasyPrintRecord &) = delete;

    QPaintEngine *paintEngine() const override;

    // Draws again, in the order drawn, every piece that shows inside area
    // (this device's pixels; a piece that only touches its edge does not
    // show). The painter's transformation maps this device's pixels onto the
    // painter's device, its clip (if any) stays; the painter's state is as
    // before when it returns.
    void Play(QPainter *painter, const QRectF &area) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<CEasyPrintRecordData> m_data;
    std::unique_ptr<CEasyPrintRecordEngine> m_engine;
    QSize m_size;
    int m_dpi;
};
