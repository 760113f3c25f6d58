#pragma once
// A key the adviser holds down: the press, the repeats the keyboard sends
// while it is held, and the release. Each comes from the event loop that
// runs when it is due, as the keyboard's do, once the events before it have
// run, and goes to the control that has the keyboard then: a dialog the
// press closed has given the keyboard back, one it opened runs its own loop
// and takes the repeats.

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

namespace YaqTest {

// The control that has the keyboard: the focus of the modal dialog in
// front, else of the active window; null when no window has the keyboard.
inline QWidget *KeyboardTarget()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    if (!window)
        return nullptr;
    return window->focusWidget() ? window->focusWidget() : window;
}

namespace HeldKeyDetail {

struct Hold
{
    Qt::Key key;
    QString text;
    std::vector<std::pair<bool, bool>> events; // press, auto-repeated
    size_t next = 0;
    bool done = false;
};

inline void Step(const std::shared_ptr<Hold> &hold)
{
    if (hold->next == hold->events.size()) {
        hold->done = true;
        return;
    }
    // What the event before opened or closed has settled.
    QCoreApplication::processEvents();
    const auto [press, repeat] = hold->events[hold->next++];
    // Due before this one is sent: a press that opens a dialog runs it.
    QTimer::singleShot(0, qApp, [hold] { Step(hold); });
    if (QWidget *target = KeyboardTarget())
        QTest::simulateEvent(target, press, hold->key, Qt::NoModifier, hold->text, repeat);
}

} // namespace HeldKeyDetail

// Starts holding `key` (typing `text`) for `repeats` repeats and returns at
// once; the flag turns true after the release. A test waits for it before
// it looks at what the key did.
inline std::shared_ptr<const bool> HoldKey(Qt::Key key, int repeats, const QString &text)
{
    auto hold = std::make_shared<HeldKeyDetail::Hold>();
    hold->key = key;
    hold->text = text;
    hold->events.emplace_back(true, false);
    for (int i = 0; i < repeats; ++i) {
        hold->events.emplace_back(false, true);
        hold->events.emplace_back(true, true);
    }
    hold->events.emplace_back(false, false);
    QTimer::singleShot(0, qApp, [hold] { HeldKeyDetail::Step(hold); });
    return std::shared_ptr<const bool>(hold, &hold->done);
}

} // namespace YaqTest
