#include "platform/db/CatalogueFailure.h"

#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDataSrc.h"

#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace {

constexpr int kTextUnreachable = 7024;
constexpr int kTextRefused = 7025;
constexpr int kTextStartUnreachable = 7021;
constexpr int kTextStartRefused = 7039;

struct CLastFailure
{
    QMutex mutex;
    QString text;
    bool refused = false;
};

CLastFailure &Last()
{
    static CLastFailure last;
    return last;
}

bool Has(const QString &text, const char *part)
{
    return text.contains(QLatin1String(part), Qt::CaseInsensitive);
}

} // namespace

bool FailedSince(const CYaqDataSrc *db, int failures)
{
    return !db || db->Failures() != failures;
}

CatalogueFound FoundBy(const CYaqDataSrc *db, int failures, bool found)
{
    if (FailedSince(db, failures))
        return CatalogueFound::Failed;
    return found ? CatalogueFound::Yes : CatalogueFound::No;
}

bool CatalogueFailure::IsRefusal(const QString &text)
{
    // libpq puts the server's severity before what the server said; a
    // server that shuts down, starts or is full says so as well, and is to
    // be tried again.
    if (!Has(text, "ERROR:") && !Has(text, "FATAL:"))
        return false;
    return !Has(text, "terminating connection") && !Has(text, "shutting down") &&
           !Has(text, "starting up") && !Has(text, "recovery mode") &&
           !Has(text, "too many clients") && !Has(text, "(57P") && !Has(text, "(08");
}

bool CatalogueFailure::SessionEnded(const QString &text)
{
    return Has(text, "(57P0") || Has(text, "(08");
}

int CatalogueFailure::ReasonId(const QString &text)
{
    if (Has(text, "password authentication failed") || Has(text, "(28P01)") ||
        Has(text, "(28000)") || (Has(text, "role \"") && Has(text, "does not exist")))
        return 7026;
    if (Has(text, "pg_hba.conf"))
        return 7027;
    if (Has(text, "(3D000)") || (Has(text, "database \"") && Has(text, "does not exist")))
        return 7028;
    if (Has(text, "(42P01)") || Has(text, "(42703)") || Has(text, "does not exist"))
        return 7029;
    if (Has(text, "(42501)") || Has(text, "permission denied"))
        return 7037;
    return 7038;
}

void CatalogueFailure::Note(const QString &text, bool refused)
{
    CLastFailure &last = Last();
    const QMutexLocker lock(&last.mutex);
    last.text = text;
    last.refused = refused;
}

namespace {
QString TextOf(int unreachableId, int refusedId)
{
    CLastFailure &last = Last();
    const QMutexLocker lock(&last.mutex);
    if (!last.refused)
        return OrmelText(unreachableId);
    // The server's words without the query that met them.
    QString said = last.text.section(QLatin1Char('\n'), 0, 0).trimmed();
    for (const char *prefix : {"The catalogue server cannot be reached: "})
        if (said.startsWith(QLatin1String(prefix)))
            said = said.mid(int(qstrlen(prefix)));
    return OrmelTextArgs(refusedId, {OrmelText(CatalogueFailure::ReasonId(last.text)), said});
}
} // namespace

QString CatalogueFailure::Text()
{
    return TextOf(kTextUnreachable, kTextRefused);
}

QString CatalogueFailure::StartText()
{
    return TextOf(kTextStartUnreachable, kTextStartRefused);
}

namespace {
std::atomic<bool> g_oncePerStep{false};
std::atomic<bool> g_toldInStep{false};
} // namespace

bool CatalogueFailure::ToTell()
{
    return !g_oncePerStep.load() || !g_toldInStep.exchange(true);
}

void CatalogueFailure::Tell(QWidget *parent, const QString &caption, int align)
{
    if (ToTell())
        OwnMsgBox(Text(), parent, caption, align);
}

void CatalogueFailure::SetOncePerStep(bool on)
{
    g_oncePerStep.store(on);
    g_toldInStep.store(false);
}

void CatalogueFailure::NewStep()
{
    g_toldInStep.store(false);
}
