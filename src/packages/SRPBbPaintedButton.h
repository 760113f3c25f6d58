#pragma once
// A control of the package editing page that its row painter draws: the
// column header above the position list, the legend and the package sum
// below it. The sum is a button (it opens the direct price dialog); the
// other two only show.

#include <QAbstractButton>

#include <functional>

class CSRPBbPaintedButton : public QAbstractButton
{
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter *painter, const QRect &rect)>;
    CSRPBbPaintedButton(Painter painter, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter m_painter;
};
