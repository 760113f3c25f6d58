#include "CatalogueDbTest.h"

#include "platform/db/YaqDb.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

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

} // namespace CatalogueDbTest
