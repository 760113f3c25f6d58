#pragma once
// Hands an address to the programs of the desktop: a web address to the
// default browser, a mail address to the mail program, a local document to
// the program the desktop has for it. No other address leaves the program,
// whatever a document names: the text of a document never chooses which
// program runs.

#include <QString>
#include <QUrl>
#include <functional>

class QObject;

// Whether an address may be handed to the desktop: http, https, mailto, or
// a local file.
bool IsDesktopAddress(const QUrl &url);

// Called once the desktop has answered: opened false when nothing could
// show the address (no program set up for it, or the address is none the
// desktop may have).
using OpenDone = std::function<void(bool opened)>;

// Opens the address with the desktop's program for it. The answer comes
// without waiting: at once, or when the desktop's opener has ended (it runs
// as a program of its own and goes on when this one ends); done is not
// called after context is gone.
void OpenWithDesktop(const QUrl &url, QObject *context, OpenDone done = {});

// A local path (absolute, or a file that exists) opens as a file; anything
// else is read as an address.
void OpenUrlInBrowser(const QString &url, QObject *context, OpenDone done = {});

// Replaces the desktop's opener (tests: a computer with or without a
// browser); an empty function gives the desktop back.
using UrlOpener = std::function<bool(const QUrl &)>;
void SetUrlOpener(UrlOpener opener);
