#pragma once
// The column titles above the labour-value list: the lead types of the
// variant columns in view, written upwards over their value cells, and
// below them the scroll bar that brings further columns into view when
// the catalogue has more than fit beside the texts.

#include <QFrame>

class CAwKatColumns;
class CAwKatRowPainter;
class QScrollBar;

class CAwKatColumnBar : public QFrame
{
    Q_OBJECT
public:
    CAwKatColumnBar(CAwKatColumns *columns, const CAwKatRowPainter *painter,
                    QWidget *parent = nullptr);

    // The rows' left edge inside this bar and their width (the list's
    // viewport): how many columns fit, whether the scroll bar shows.
    void Refresh(int rowsLeft, int rowsWidth);
    QScrollBar *ScrollBar() const { return m_pScroll; }

signals:
    // Another column is first in view: the rows draw anew.
    void Scrolled();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int TitleHeight() const;

    CAwKatColumns *m_pColumns;
    const CAwKatRowPainter *m_pPainter;
    QScrollBar *m_pScroll;
    int m_nRowsLeft = 0;
};
