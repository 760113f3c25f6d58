#pragma once
// The wait for the dealer management system (DMS) as the adviser sees it:
// the wait cursor at once, and once the wait lasts half a second a small
// window that says so, with "Abbrechen". Meanwhile the adviser's input goes
// to that window only (and to a message that opens during the wait, so that
// it can be answered); clicks and keys meant for the pages are dropped, not
// kept until the answer is in (nor is the second click of a double click
// that started the request). Closing a window of the program during the
// wait cancels the request; the window closes once the request is back.
//
// The window is not modal: a modal one would keep the window system from
// telling the program that the adviser closed its main window.

#include "dms/DmsFrame.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QDialog;
class QPushButton;
class QWidget;

class CDmsWaitWindow : public QObject, public IDmsWait
{
    Q_OBJECT
public:
    // How long the wait runs before its window shows.
    static constexpr int kShowAfterMs = 500;

    // The window shows above the dialog that waits, else above `owner`.
    explicit CDmsWaitWindow(QWidget *owner);
    ~CDmsWaitWindow() override;

    void Begin(std::function<void()> cancel) override;
    void End() override;

    bool IsWaiting() const { return m_depth > 0; }
    // The window of the wait while it shows (tests and the screenshot).
    QDialog *Window() const { return m_window; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowWindow();
    void Cancel();
    bool IsOfWindow(QObject *object) const;
    void StopFiltering();

    QWidget *m_owner;
    int m_depth = 0;
    std::function<void()> m_cancel;
    QTimer m_showTimer;
    QTimer m_tailTimer;
    QPointer<QDialog> m_window;
    // The modal dialog the wait began in: a dialog that opens during the
    // wait (a timer's message) takes input, or the wait could not end.
    QPointer<QWidget> m_modalAtBegin;
    QPointer<QPushButton> m_cancelButton;
    // Windows the adviser closed during the wait; they close after it.
    QList<QPointer<QWidget>> m_closing;
    bool m_filtering = false;
};
