#pragma once
// A dialog or message box that closes hands the keyboard back to the window
// that had it when the dialog opened, to the control the window last had
// the focus in. Left to the window manager this does not always happen:
// when a question closes and the dialog that asked it closes at once after
// it ("Ja" on the question on leaving the optional sub-package dialog), the
// manager activates the dialog just gone, and no window has the keyboard
// until the adviser clicks. Installed on the application.

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

class CDialogFocusReturn : public QObject
{
    Q_OBJECT
public:
    explicit CDialogFocusReturn(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Opened(QWidget *dialog);
    void Closed(QWidget *dialog);

    struct Opener
    {
        QPointer<QWidget> dialog;
        QPointer<QWidget> window;
    };
    std::vector<Opener> m_open;
};
