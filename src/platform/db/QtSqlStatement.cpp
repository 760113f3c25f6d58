#include "platform/db/QtSqlStatement.h"

#include <QSqlError>
#include <QSqlRecord>

#include <algorithm>

CQtSqlStatement::CQtSqlStatement(const QSqlDatabase &db) : m_query(db)
{
    m_query.setForwardOnly(true);
}

bool CQtSqlStatement::Prepare(const QString &sql)
{
    return m_query.prepare(sql);
}

bool CQtSqlStatement::Exec(const QVariantList &binds)
{
    for (int i = 0; i < binds.size(); ++i)
        m_query.bindValue(i, binds.at(i));
    return m_query.exec();
}

DbResult CQtSqlStatement::Next()
{
    if (m_query.next())
        return DbResult::Row;
    return m_query.lastError().isValid() ? DbResult::Failed : DbResult::NoRow;
}

void CQtSqlStatement::ReadRow(const std::vector<QString *> &fields)
{
    if (m_nColumns < 0)
        m_nColumns = m_query.record().count();
    const int n = std::min<int>(m_nColumns, int(fields.size()));
    for (int i = 0; i < n; ++i)
        *fields[size_t(i)] = m_query.value(i).toString();
}

bool CQtSqlStatement::FirstAsInt(int *value)
{
    bool ok = false;
    *value = m_query.value(0).toInt(&ok);
    return ok;
}

void CQtSqlStatement::Finish()
{
    m_query.finish();
}

QString CQtSqlStatement::ErrorText() const
{
    return m_query.lastError().text();
}
