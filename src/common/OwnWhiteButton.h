#pragma once
// The large white buttons of the home page: a title in a large bold font
// and up to three lines of smaller text below it, on a near-white face.

#include <QAbstractButton>
#include <QColor>

class COwnWhiteButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit COwnWhiteButton(QWidget *parent = nullptr);

    void Init(const QColor &face);
    void SetDatas(const QString &title, const QString &line1, const QString &line2,
                  const QString &line3);
    QString Title() const { return m_title; }
    QStringList Lines() const { return {m_line1, m_line2, m_line3}; }

    bool IsMouseOver() const { return m_bMouseOver; }
    void SetMouseOverToFalse();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QColor m_face = QColor(0xF5, 0xF5, 0xF5);
    QString m_title;
    QString m_line1;
    QString m_line2;
    QString m_line3;
    bool m_bMouseOver = false;
};
