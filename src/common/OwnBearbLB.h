#pragma once
// The line list of the package editing pages: a click on a line and a
// double click on it do different things, so a single click is reported
// (delayedClick) only once the double-click time and 10 ms more have passed
// without a second click. A double click reports no delayed click; the
// list's doubleClicked stays as it is. A third click after a double click
// is a new single click.
//
// The row the list marks when it gets the focus is no choice of the
// adviser's: with nothing selected, the first step down selects that row,
// the first line, instead of going on to the second.

#include "common/OwnLB.h"

#include <QTimer>

class COwnBearbLB : public COwnLB
{
    Q_OBJECT
public:
    explicit COwnBearbLB(QWidget *parent = nullptr);

signals:
    // The row the click was released on (invalid below the last row).
    void delayedClick(const QModelIndex &row);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ReportClick();

    QTimer m_clickTimer;
    bool m_bDoubleClick = false; // from a double click to its release
    QPersistentModelIndex m_clickedRow;
};
