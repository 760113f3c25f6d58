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

private:
    QLabel *m_pHeading = nullptr;
    QListWidget *m_pList = nullptr;
    COwnButton *m_pOk = nullptr;
};
