#pragma once
// Message boxes of the program: title "Y A Q 2" (or the given caption), the
// text, and the buttons asked for; the result is the pressed button.
//
// Escape and the window's close button press the box's Cancel where it has
// one, and OK on a box with OK alone. A Yes/No question (MB_YESNO) has no
// button for them: closed so, it answers IDCANCEL, neither Yes nor No, and
// the caller does what it does when the adviser gave no answer.
//
// Tests answer boxes without a display through SetMsgBoxResponder: while a
// responder is set, no window is shown and the responder's answer is taken.
//
// A run for a calling program that waits for it without a window (the
// caller modes that answer on the clipboard or in the profile) opens no box
// at all: SetMsgBoxWindowless turns every box into its text on standard
// error, answered as no one agreed to anything (OK, else No or Cancel).

#include <QString>
#include <functional>

class QWidget;

// Button sets (the type argument) and results, with the values the callers
// compare against.
enum MsgBoxType
{
    MB_OK = 0,
    MB_OKCANCEL = 1,
    MB_YESNOCANCEL = 3,
    MB_YESNO = 4,
    // An entry already in the basket: store it additionally, overwrite the
    // stored one, or cancel.
    MB_STOREAGAIN_OVERWRITE = 0x10000001
};
enum MsgBoxResult
{
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
    IDSTOREAGAIN = 11,
    IDOVERWRITE = 12
};

// Text alignment inside the box: 0 left, 1 centred, 2 centred with the
// larger notice layout.
enum MsgBoxAlign
{
    MSG_ALIGN_LEFT = 0,
    MSG_ALIGN_CENTER = 1,
    MSG_ALIGN_NOTICE = 2
};

extern const QString kMsgBoxTitle; // "Y A Q 2"

struct MsgBoxRequest
{
    QString text;
    QString caption;
    int type = MB_OK;
    bool withCheckBox = false;
};

struct MsgBoxAnswer
{
    int button = IDOK;
    bool dontShowAgain = false; // only for boxes with the check box
};

using MsgBoxResponder = std::function<MsgBoxAnswer(const MsgBoxRequest &)>;

// Installs (or, with an empty function, removes) the responder.
void SetMsgBoxResponder(MsgBoxResponder responder);

// From now on every box goes to standard error instead (see above); false
// shows boxes again.
void SetMsgBoxWindowless(bool windowless);
bool IsMsgBoxWindowless();

// Shows a message box and returns the pressed button (IDOK, IDYES, ...).
int OwnMsgBox(const QString &text, QWidget *parent = nullptr, const QString &caption = kMsgBoxTitle,
              int align = MSG_ALIGN_LEFT, int type = MB_OK);

// Shows a message box with an OK button and returns at once: the program
// goes on while the box is open (a message of the listener must not stop
// the next request). closed() runs when the box was closed. Under a
// responder the responder is asked from the event loop, as the adviser
// would close the box later.
void OwnMsgBoxNonModal(const QString &text, QWidget *parent, const QString &caption, int align,
                       std::function<void()> closed);

// A notice with a "don't show again" check box bound to a settings flag:
// ticking the box writes 0 into the flag. Returns the pressed button.
int OwnMsgChkBox(const QString &text, int *flag, QWidget *parent = nullptr,
                 const QString &caption = kMsgBoxTitle, int align = MSG_ALIGN_NOTICE);
