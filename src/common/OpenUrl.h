#pragma once
// Opens a document or web address in the user's default browser.

#include <QString>
#include <QUrl>
#include <functional>

// A local path (absolute, or a file that exists) opens as a file; anything
// else is taken as a web address. Returns whether the desktop accepted it:
// false when no browser is set up.
bool OpenUrlInBrowser(const QString &url);

// Replaces the desktop's opener (tests: a computer with or without a
// browser); an empty function gives the desktop back.
using UrlOpener = std::function<bool(const QUrl &)>;
void SetUrlOpener(UrlOpener opener);
