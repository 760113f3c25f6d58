#pragma once
// How the package model tells the service adviser something while it prices
// a package: a DMS answer names a part the package does not hold, a price
// text is no number, a campaign price was not delivered. The model knows no
// windows; the page that runs the calculation hands in its notice, which
// shows the text as a notice box of that page.

#include <QString>

class IPaketNotice
{
public:
    virtual ~IPaketNotice() = default;
    // One notice to the adviser; nothing comes back.
    virtual void Notice(const QString &text) = 0;
};
