#pragma once
// CQtSqlStatement: a select through Qt SQL (the PostgreSQL server).

#include "platform/db/SqlStatement.h"

#include <QSqlQuery>

class QSqlDatabase;

class CQtSqlStatement : public CSqlStatement
{
public:
    explicit CQtSqlStatement(const QSqlDatabase &db);
    // false when the server refuses the text (ErrorText).
    bool Prepare(const QString &sql);

    bool Exec(const QVariantList &binds) override;
    DbResult Next() override;
    void ReadRow(const std::vector<QString *> &fields) override;
    bool FirstAsInt(int *value) override;
    void Finish() override;
    QString ErrorText() const override;

private:
    QSqlQuery m_query;
    int m_nColumns = -1; // known after the first row
};
