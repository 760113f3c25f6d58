#pragma once
// Paints the two lists of the spot-repair page: the way to the package
// (the spot-repair entry, the paint class, the matrix row) on grey, and the
// work lines on white in fourteen column units right of the text column:
// colour (2), quantity (2), "MA in %" (3), choice (4) and the price (3).
// The column geometry is one helper used by the rows and by the column
// header, so that both stand in one grid.

#include <QFont>
#include <QStyledItemDelegate>

class CPaket;
class CPosition;

class CSpotRRowPainter : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // pathList: the painter of the way, else of the works.
    explicit CSpotRRowPainter(bool pathList, QObject *parent = nullptr);

    // The package shown (its head decides whether line prices are shown);
    // borrowed.
    void SetPackage(const CPaket *paket) { m_pPaket = paket; }
    void SetFonts(const QFont &base);

    struct Columns
    {
        int first = 0; // the text column
        int unit = 0;  // one of the fourteen units
        int colour() const { return first; }
        int quantity() const { return first + 2 * unit; }
        int percent() const { return first + 4 * unit; }
        int choice() const { return first + 7 * unit; }
        int price() const { return first + 11 * unit; }
    };
    static Columns ColumnsFor(int rowWidth);

    // The choice cell: "[-]", "[1]" or "[2]".
    static QString ChoiceText(const CPosition &line);
    // The text column of a work line: the damage class once per pair (on
    // the green line, or on the yellow one whose green partner is missing).
    static QString WorkText(const CPosition &line);
    // A price cell: "?" asked for and not delivered, "AZ" by time, nothing
    // when not set, else to the cent.
    static QString PriceText(double value);

    void PaintColumnHeader(QPainter *dc, const QRect &rect) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    bool LinePricesShown() const;
    void PaintWork(QPainter *dc, const CPosition &line, const QRect &rect, bool selected,
                   bool focus) const;
    void PaintPath(QPainter *dc, const CPosition &line, const QRect &rect) const;
    QString PathText(const CPosition &line) const;

    bool m_bPathList;
    const CPaket *m_pPaket = nullptr;
    QFont m_plain, m_bold, m_italic, m_head;
};
