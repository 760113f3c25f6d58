#pragma once
// The owner-drawn push button of the dialogs: a flat face in the dialog
// colour with an optional bitmap before the caption, a raised frame, a
// sunken one while pressed and a highlighted frame while the mouse is over
// it. The hover state follows the mouse on its own (enter and leave).

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

class COwnButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit COwnButton(QWidget *parent = nullptr);

    // Sets the bitmap (a resource path, empty for none) and the face colour.
    void Init(const QString &bitmap, const QColor &face);
    void SetBitmap(const QString &bitmap);
    void SetFaceColour(const QColor &face);

    // The tool tip from a program text: its mnemonic marks left out (a
    // doubled one is a plain "&"), at most 80 characters.
    void SetTip(const QString &text);

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
    QPixmap m_bitmap;
    QColor m_face;
    bool m_bMouseOver = false;
};

// Return and Enter press the button: the owner-drawn OK of a box is no
// default push button the dialog would press itself. True when the key was
// one of them (the event is then taken). A key held down presses once: its
// repeats never reach a window (CHeldReturnFilter).
bool ClickOnReturn(QKeyEvent *event, QAbstractButton *button);

// A caption as it reads: "&Speichern" is "Speichern", "A && B" is "A & B".
QString WithoutMnemonics(const QString &caption);

// Draws the 3-D frame the owner-drawn controls share: raised, or sunken
// while pressed; `hot` adds the highlight frame of the hovered control.
class QPainter;
void DrawOwnFrame(QPainter &painter, const QRect &rect, bool sunken, bool hot);
