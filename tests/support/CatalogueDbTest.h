#pragma once
// The catalogue database for the tests that read it: each such test runs
// once on the demo catalogue file (SQLite) and once on the throw-away
// PostgreSQL server of the test command, given by YAQ_TEST_PG_*.

#include "TcpProxy.h"

#include <QString>
#include <QStringList>

#include <memory>

class CYaqDb;

namespace CatalogueDbTest {

// The two backends as the test's global data rows ("sqlite", "postgresql").
void AddBackends();
// Whether the current global row is the PostgreSQL one.
bool IsPg();
// The PostgreSQL row runs only where the test command started a server.
bool NoServerForRow();
// The PostgreSQL server as "host:port/db".
QString PgTns();
// Whether the test command started a PostgreSQL server.
bool ServerGiven();
// The PostgreSQL server's catalogue reached through another port on its
// host (a proxy of the test's own); null (with a warning) when it cannot be
// opened.
std::unique_ptr<CYaqDb> OpenServerAt(quint16 port);
// A connection to the catalogue of the current row; null (with a warning)
// when it cannot be opened.
std::unique_ptr<CYaqDb> Open();
// The demo catalogue file alone, for the tests that read it once whatever
// the backend; null when it cannot be opened.
std::unique_ptr<CYaqDb> OpenDemoFile();
// The catalogue file in `folder` (a changed copy of the demo's).
std::unique_ptr<CYaqDb> OpenFileIn(const QString &folder);
// A copy of the demo catalogue file in `folder`, changed by the SQL
// statement; null when it cannot be made or changed.
std::unique_ptr<CYaqDb> OpenDemoCopy(const QString &folder, const char *sql);
// The steps of the query's plan on the demo catalogue file (empty values
// bound: the plan does not depend on them); the error text in `error`.
QStringList QueryPlan(const QString &sql, QString *error);
// Empty when the plan starts on the index and sorts nothing, else what is
// wrong with it and the plan.
QString PlanProblem(const QString &sql, const QString &index);
// The same for the generic plan (the one a prepared statement keeps) on the
// PostgreSQL server of the test command. Its demo catalogue is too small for
// the planner to prefer an index of itself, so table scans and sorts are
// discouraged: a plan still scanning or sorting has no index to follow.
// `index` is a regular expression of the index's name.
QString PgPlanProblem(const QString &sql, const QString &index);

} // namespace CatalogueDbTest

// The suite's PostgreSQL server behind a proxy of the test's own, which
// cuts or freezes it, with every wait on a server bounded to 1 s (far below
// the freeze's guard) while this lives; the bound is the program's again
// afterwards.
class CProxiedServer
{
public:
    CProxiedServer();
    ~CProxiedServer();
    CProxiedServer(const CProxiedServer &) = delete;
    CProxiedServer &operator=(const CProxiedServer &) = delete;

    // 0 when the proxy could not listen.
    quint16 Port() const { return m_proxy.Port(); }
    void Cut() { m_proxy.Cut(); }
    void Freeze() { m_proxy.Freeze(); }
    // Forwards again; what the test does next is the adviser's next step,
    // which asks the server again.
    void Resume();
    // A connection through the proxy; null (with a warning) when none.
    std::unique_ptr<CYaqDb> Open() const { return CatalogueDbTest::OpenServerAt(Port()); }

private:
    CTcpProxy m_proxy;
};
