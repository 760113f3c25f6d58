#pragma once
// What the last failed read of the catalogue met, for the message the
// adviser sees: a server that went away or stayed silent (7024, "try again"),
// or one that answered and refused (a wrong password, a missing table or
// right: 7025 with the reason in German and the server's own words, to be
// passed on to the one who keeps the server).

#include <QString>

class CYaqDataSrc;
class QWidget;

// The answer of a catalogue read that asks whether something is there: a
// failed read is its own answer, never "no".
enum class CatalogueFound
{
    Yes,
    No,
    Failed,
};

// Yes or No after a read that answered `found`, Failed when a read of `db`
// failed since `failures` (its Failures() before the reads).
CatalogueFound FoundBy(const CYaqDataSrc *db, int failures, bool found);

// Whether a read of `db` failed since `failures` (true without `db`).
bool FailedSince(const CYaqDataSrc *db, int failures);

// The answer of a catalogue read that gives rows or a value: when a read
// failed, `failed` says so and `value` is empty, never to be shown as "none".
template <class T> struct [[nodiscard]] CatalogueAnswer
{
    T value{};
    bool failed = false;
};

namespace CatalogueFailure {

// Whether a failure text of the server's driver is the server's refusal
// (it answered with an error) rather than a server gone or silent.
bool IsRefusal(const QString &text);
// Whether a failure text says that the server ended the session (it shuts
// down or ended the connection: SQLSTATE classes 57P and 08), which a new
// connection may find open again.
bool SessionEnded(const QString &text);
// The program text id of the reason of a refusal, in German.
int ReasonId(const QString &text);

// Every failed catalogue operation is noted here (CUniDb::Fail).
void Note(const QString &text, bool refused);
// The message for the last failure: 7024, or 7025 naming the refusal; at
// the start 7021 or 7039 (the program ends).
QString Text();
QString StartText();

// Whether the failure is to be told now. While the main window counts the
// adviser's steps (SetOncePerStep), once per step (CServerWait::BeginStep):
// a step whose reads fail on the head row and on the page it shows tells it
// once. Otherwise every time.
bool ToTell();
// Text() in a message box, when ToTell().
void Tell(QWidget *parent, const QString &caption, int align);
void SetOncePerStep(bool on);
// A new step begins (CServerWait::BeginStep).
void NewStep();

} // namespace CatalogueFailure
