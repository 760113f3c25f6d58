#pragma once
// The scope-text dialog: a modal box at a point of the screen that lists
// what a labour position's labour value includes (its scope texts) or the
// labour positions it includes (its inclusive positions). The caller reads
// the lines (common/readers/ScopeTexts) for the settings' current labour
// position and hands them in.

#include <QDialog>
#include <QStringList>

class COwnButton;
class QLabel;
class QListWidget;

class CUmfassDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CUmfassDlg(QWidget *parent = nullptr);

    // Mode 1 shows the inclusive positions, 0 the scope texts of the
    // position apNumber; the box's top middle at the screen point `at`.
    int DoModalAt(const QPoint &at, int mode, const QString &apNumber, const QStringList &lines);
    // Fills the box without showing it.
    void Fill(int mode, const QString &apNumber, const QStringList &lines);

    QStringList Lines() const;

    // The point below the middle of `control` at which the box opens.
    static QPoint PointBelow(const QWidget *control);
    // Where a box of the size (its frame included) stands on the screen's
    // free area: its top middle at the anchor, or, where it would run past
    // the bottom, above the anchor; moved as little as it takes to lie
    // wholly on the screen.
    static QRect PlaceBeside(const QPoint &anchor, const QSize &size, const QRect &screen);

protected:
    // Return and Enter close the box as its OK button does.
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Puts the box beside the anchor on the anchor's screen.
    void PlaceOnScreen();

    QPoint m_anchor;
    bool m_bAnchored = false;
    QLabel *m_pHeading = nullptr;
    QListWidget *m_pList = nullptr;
    COwnButton *m_pOk = nullptr;
};
