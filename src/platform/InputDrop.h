#pragma once
// The adviser's clicks and keys while the program waits for a server that
// is asked from the window's own thread (the application server's session
// exchange). The window keeps painting and its timers run, but what the
// adviser typed or clicked meanwhile is dropped, not kept until the answer
// is in: it was meant for a window that did not answer, and replayed it
// would act on whatever page the answer left (a page tile clicked during a
// check would open after it). A message that opens during the wait (a
// timer's) still takes input. A window the adviser closes during the wait
// closes once the code that waited has returned to its event loop (not
// inside a message that code shows next). The wait cursor shows meanwhile.
//
// A drop for a moment takes every click and key, also those of a message
// box, for a short time from its start: a key typed ahead of a message that
// follows at once (the Return after the VIN) does not answer the message
// unread.

#include <QEvent>
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// A click, key, wheel turn, touch or drop of the adviser: what a wait drops.
bool IsAdviserInput(QEvent::Type type);

class CInputDrop : public QObject
{
    Q_OBJECT
public:
    // How long a drop for a moment lasts when no time is given.
    static constexpr int kTypeAheadMs = 500;

    // Drops input (and shows the wait cursor) until destroyed.
    CInputDrop();
    // Drops every click and key for `milliseconds`, or until destroyed
    // when that comes first; no cursor.
    explicit CInputDrop(int milliseconds);
    ~CInputDrop() override;
    CInputDrop(const CInputDrop &) = delete;
    CInputDrop &operator=(const CInputDrop &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Start();
    void Stop();
    bool IsOfNewModal(QObject *object) const;

    bool m_wait;
    bool m_filtering = false;
    bool m_cursor = false;
    // The modal dialog the wait began in: one that opens during the wait
    // takes input.
    QPointer<QWidget> m_modalAtBegin;
    // Windows the adviser closed during the wait; they close after it.
    QList<QPointer<QWidget>> m_closing;
};
