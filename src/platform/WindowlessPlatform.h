#pragma once
// The Qt platform of a run in a caller mode that shows no window (the
// package request and the settings mode), chosen before the application
// object is made.
//
// Such a run needs of a display only the clipboard, and only an X11
// session keeps the package request's answer after the program has ended
// (the clipboard holder). So the run takes X11 wherever an X display is
// reachable, in a Wayland session too (its X server), whose own platform a
// program without a window cannot even set the clipboard on; without any
// display it takes the offscreen platform, so that the settings mode still
// does its work and the package request can say why its answer does not
// outlive it. QT_QPA_PLATFORM naming only platforms that need no display
// (offscreen, minimal, vnc, ...) is the starter's choice and stays; one
// that names a desktop session's platform (xcb, wayland) among them is the
// session's, and the run chooses as above.

#include <QByteArray>

// The platform for QT_QPA_PLATFORM, given what it holds now (empty when it
// is not set) and whether an X display is reachable.
QByteArray WindowlessPlatform(const QByteArray &requested, bool xDisplayReachable);

// Whether the X display named by DISPLAY takes a connection.
bool XDisplayReachable();
