#pragma once
// Return and the pad's Enter act once per press, in every window of the
// program. A key held down repeats: the first press takes the button or the
// line it was meant for, which often closes a dialog or opens one, and the
// repeats would go on as new presses in whatever window has the keyboard
// next (the list behind a price dialog, the print dialog a print button
// opened, the sub-package a question was about). The repeats of these two
// keys are dropped; other keys repeat as usual (a held arrow key scrolls).
// Installed on the application.

#include <QObject>

class CHeldReturnFilter : public QObject
{
    Q_OBJECT
public:
    explicit CHeldReturnFilter(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The last release of Return or Enter: the key and its time.
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};
