#include "CatalogueDbTest.h"

#include "platform/db/ServerWait.h"
#include "platform/db/YaqDb.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <algorithm>

#include <sqlite3.h>

namespace CatalogueDbTest {

void AddBackends()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgresql") << QStringLiteral("postgresql");
}

bool IsPg()
{
    QFETCH_GLOBAL(QString, backend);
    return backend == QLatin1String("postgresql");
}

bool NoServerForRow()
{
    return IsPg() && qEnvironmentVariableIsEmpty("YAQ_TEST_PG_PORT");
}

QString PgTns()
{
    return QStringLiteral("%1:%2/%3")
        .arg(qEnvironmentVariable("YAQ_TEST_PG_HOST"), qEnvironmentVariable("YAQ_TEST_PG_PORT"),
             qEnvironmentVariable("YAQ_TEST_PG_DB"));
}

std::unique_ptr<CYaqDb> Open()
{
    auto db = std::make_unique<CYaqDb>();
    int ok = 0;
    if (IsPg())
        ok = db->Open(PgTns(), qEnvironmentVariable("YAQ_TEST_PG_USER"),
                      qEnvironmentVariable("YAQ_TEST_PG_PASSWORD"), 0, QString(), QString(),
                      QString());
    else
        ok = db->Open(QString(), QString(), QString(), 0, QStringLiteral(YAQ_DEMO_DATAS_DIR),
                      QString(), QString());
    if (!ok)
        qWarning("open failed: %s", qPrintable(db->LastErrorText()));
    return ok ? std::move(db) : nullptr;
}

bool ServerGiven()
{
    return !qEnvironmentVariableIsEmpty("YAQ_TEST_PG_PORT");
}

std::unique_ptr<CYaqDb> OpenServerAt(quint16 port)
{
    auto db = std::make_unique<CYaqDb>();
    const QString tns = QStringLiteral("%1:%2/%3")
                            .arg(qEnvironmentVariable("YAQ_TEST_PG_HOST"))
                            .arg(port)
                            .arg(qEnvironmentVariable("YAQ_TEST_PG_DB"));
    if (!db->Open(tns, qEnvironmentVariable("YAQ_TEST_PG_USER"),
                  qEnvironmentVariable("YAQ_TEST_PG_PASSWORD"), 0, QString(), QString(),
                  QString())) {
        qWarning("open failed: %s", qPrintable(db->LastErrorText()));
        return nullptr;
    }
    return db;
}

std::unique_ptr<CYaqDb> OpenDemoFile()
{
    return OpenFileIn(QStringLiteral(YAQ_DEMO_DATAS_DIR));
}

std::unique_ptr<CYaqDb> OpenFileIn(const QString &folder)
{
    auto db = std::make_unique<CYaqDb>();
    if (!db->Open(QString(), QString(), QString(), 0, folder, QString(), QString()))
        return nullptr;
    return db;
}

std::unique_ptr<CYaqDb> OpenDemoCopy(const QString &folder, const char *sql)
{
    const QString file = folder + QStringLiteral("/YAQ2.dat");
    if (!QFile::copy(QStringLiteral(YAQ_DEMO_DATAS_DIR "/YAQ2.dat"), file))
        return nullptr;
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *handle = nullptr;
    const bool changed = sqlite3_open(QFile::encodeName(file).constData(), &handle) == SQLITE_OK &&
                         sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(handle);
    return changed ? OpenFileIn(folder) : nullptr;
}

QStringList QueryPlan(const QString &sql, QString *error)
{
    QStringList plan;
    {
        QSqlDatabase file = QSqlDatabase::addDatabase("QSQLITE", "plan");
        file.setDatabaseName(QStringLiteral(YAQ_DEMO_DATAS_DIR "/YAQ2.dat"));
        file.setConnectOptions("QSQLITE_OPEN_READONLY");
        QSqlQuery q(file);
        if (!file.open() || !q.prepare("EXPLAIN QUERY PLAN " + sql)) {
            *error = file.lastError().text() + q.lastError().text();
        } else {
            for (int i = 0; i < sql.count('?'); ++i)
                q.bindValue(i, QString());
            if (!q.exec())
                *error = q.lastError().text();
            while (q.next())
                plan << q.value(3).toString();
        }
    }
    QSqlDatabase::removeDatabase("plan");
    return plan;
}

QString PlanProblem(const QString &sql, const QString &index)
{
    if (sql.isEmpty())
        return QStringLiteral("no query of that name");
    QString error;
    const QStringList plan = QueryPlan(sql, &error);
    const QString text = plan.join('\n');
    if (!error.isEmpty())
        return error;
    if (plan.isEmpty() || !plan.first().contains(" INDEX " + index + " "))
        return "does not start on " + index + ":\n" + text;
    for (const QString &step : plan) {
        if (step.contains("TEMP B-TREE"))
            return "sorts:\n" + text;
        if ((step.startsWith("SCAN") || step.startsWith("SEARCH")) && !step.contains(" USING "))
            return "reads a table without an index:\n" + text;
    }
    return QString();
}

QString PgPlanProblem(const QString &sql, const QString &index)
{
    if (sql.isEmpty())
        return QStringLiteral("no query of that name");
    QString numbered;
    int values = 0;
    for (const QChar c : sql)
        numbered += c == QLatin1Char('?') ? QStringLiteral("$%1").arg(++values) : QString(c);
    QStringList blanks;
    for (int i = 0; i < values; ++i)
        blanks << QStringLiteral("''");
    QString error;
    QStringList plan;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "pgplan");
        db.setHostName(qEnvironmentVariable("YAQ_TEST_PG_HOST"));
        db.setPort(qEnvironmentVariableIntValue("YAQ_TEST_PG_PORT"));
        db.setDatabaseName(qEnvironmentVariable("YAQ_TEST_PG_DB"));
        db.setUserName(qEnvironmentVariable("YAQ_TEST_PG_USER"));
        db.setPassword(qEnvironmentVariable("YAQ_TEST_PG_PASSWORD"));
        const QStringList steps = {"SET enable_seqscan = off",
                                   "SET enable_bitmapscan = off",
                                   "SET enable_sort = off",
                                   "SET plan_cache_mode = force_generic_plan",
                                   "PREPARE yaq_plan AS " + numbered,
                                   "EXPLAIN EXECUTE yaq_plan" +
                                       (values ? "(" + blanks.join(',') + ")" : QString())};
        if (!db.open())
            error = db.lastError().text();
        QSqlQuery q(db);
        for (const QString &step : steps) {
            if (!error.isEmpty())
                break;
            if (!q.exec(step))
                error = step + ": " + q.lastError().text();
        }
        while (error.isEmpty() && q.next())
            plan << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("pgplan");
    if (!error.isEmpty())
        return error;
    const QString text = plan.join('\n');
    const QRegularExpression follows(" using (" + index + ") on ");
    const auto firstScan = std::find_if(
        plan.cbegin(), plan.cend(), [](const QString &step) { return step.contains(" using "); });
    if (firstScan == plan.cend() || !follows.match(*firstScan).hasMatch())
        return "does not start on " + index + ":\n" + text;
    // An index read without a condition reads the whole index.
    if (text.contains("Sort") || text.contains("Seq Scan") || !text.contains("Index Cond"))
        return "scans or sorts:\n" + text;
    return QString();
}

} // namespace CatalogueDbTest

CProxiedServer::CProxiedServer()
{
    CServerWait::SetBoundMs(1000);
}

CProxiedServer::~CProxiedServer()
{
    CServerWait::SetBoundMs(0);
    CServerWait::BeginStep();
}

void CProxiedServer::Resume()
{
    m_proxy.Resume();
    CServerWait::BeginStep();
}
