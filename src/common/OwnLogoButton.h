#pragma once
// The title button of the main window: the logo bitmap and, beside it, the
// caption of the visible page. A click leads home, a double click opens the
// information box.

#include <QAbstractButton>
#include <QPixmap>

class COwnLogoButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit COwnLogoButton(QWidget *parent = nullptr);

    void SetBitmap(const QString &bitmap);
    QString Bitmap() const { return m_bitmapName; }
    // The page caption. Kept apart from the button text, so that an "&" in
    // a page name gives no second keyboard shortcut.
    void SetCaption(const QString &caption);
    QString Caption() const { return m_caption; }

    bool IsMouseOver() const { return m_bMouseOver; }
    void SetMouseOverToFalse();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPixmap m_bitmap;
    QString m_bitmapName;
    QString m_caption;
    bool m_bMouseOver = false;
};
