#pragma once
// What the harnesses of the DMS answers share.

#include "dms/DmsFrame.h"

// Counts the messages the program would show.
struct CountingNotices : IDmsNotice
{
    int count = 0;
    void Notice(const QString &, const QString &) override { ++count; }
};
