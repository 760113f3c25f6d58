#pragma once
// The answer a calling program reads from the clipboard after the program
// has ended. In an X11 session the clipboard's content lives with the
// program that set it: once that program ends the content is gone, unless
// a clipboard manager took a copy (and managers commonly keep text and
// pictures only). So at its end the program hands an answer of its own on
// the clipboard to a small process of its own executable, the holder,
// started with the switch kClipboardHolderSwitch:
//   - it reads the formats and their bytes on standard input (a file in
//     memory only, so that nothing of the answer stays on disk, whenever
//     and however the program ends), takes the clipboard with exactly
//     these, and shows nothing;
//   - it ends when another program takes the clipboard, or after the hold
//     time of the profile (section "YAQ", key "ClipboardHoldSeconds",
//     default ten minutes);
//   - the program ends once the holder owns the clipboard, so that a caller
//     that reads right after the end finds the answer; a holder that does
//     not come within kHandOverWaitMs leaves the program ending as before.
// Elsewhere (the clipboard given away already, another content) nothing is
// handed over. Without an X11 session (offscreen, Wayland) nothing can be:
// an answer of this process on the clipboard is lost when it ends.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class CProfile;

extern const char kClipboardHolderSwitch[]; // "--hold-clipboard"

// The hold time the profile sets, in seconds.
int ClipboardHoldSeconds(const CProfile &profile);

// Whether the clipboard holds `format` as this process set it (in an X11
// session: this process owns the clipboard, so an older answer another
// process serves does not count).
bool OwnsClipboardWith(const QString &format);

// Notes that this process put its answer in `format` on the clipboard.
// Outside X11 the note alone decides whether an answer is lost with the
// process.
void NoteClipboardAnswer(const QString &format);

enum class ClipboardHandOver
{
    NotNeeded,  // this process holds no such content
    HandedOver, // the holder owns the clipboard
    Failed,     // the content is lost with this process
    NotKept,    // no X11 session: the content is lost with this process
};
// At the program's end: when this process owns the clipboard and it holds
// `format`, starts the holder with the clipboard's formats and waits until
// the holder owns it; without an X11 session there is no holder: NotKept
// whenever the answer was noted (NoteClipboardAnswer), NotNeeded otherwise.
ClipboardHandOver HandClipboardToHolder(const QString &format, int holdSeconds);
constexpr int kHandOverWaitMs = 10000;

// The holder's life (main's arguments, the switch among them); returns the
// exit code.
int RunClipboardHolder(int argc, char *argv[]);

// What the holder reads: the hold time and the formats with their bytes.
struct CClipboardHolding
{
    int holdSeconds = 0;
    QList<QPair<QString, QByteArray>> formats;
};
// The largest input a holder takes.
constexpr qsizetype kMaxHoldingBytes = 64 * 1024 * 1024;
QByteArray EncodeClipboardHolding(const CClipboardHolding &holding);
// False for bytes that are not a whole holding.
bool DecodeClipboardHolding(const QByteArray &bytes, CClipboardHolding *holding);
