#pragma once
// The wait cursor while a slow read or request runs on the window's thread;
// the previous cursor comes back when the scope ends, also on an early return.

#include <QApplication>

class CWaitCursor
{
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};
