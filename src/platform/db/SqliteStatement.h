#pragma once
// CSqliteStatement: a select of the local catalogue file run through the
// SQLite C API on the connection Qt opened, without Qt's SQL driver in
// between: the keys are bound as UTF-8 texts and every value is read as
// UTF-8 straight into the record's field, with no UTF-16 copy inside SQLite
// and no QVariant per value.

#include "platform/db/SqlStatement.h"

#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

class CSqliteStatement : public CSqlStatement
{
public:
    // Prepares the text on the connection, to be kept and run many times;
    // null with SQLite's reason in *error when it refuses the text.
    static std::unique_ptr<CSqliteStatement> Prepare(sqlite3 *db, const QString &sql,
                                                     QString *error);
    ~CSqliteStatement() override;

    bool Exec(const QVariantList &binds) override;
    DbResult Next() override;
    void ReadRow(const std::vector<QString *> &fields) override;
    bool FirstAsInt(int *value) override;
    void Finish() override;
    QString ErrorText() const override { return m_strError; }

private:
    CSqliteStatement(sqlite3 *db, sqlite3_stmt *stmt);
    bool Bind(int index, const QVariant &value);
    bool Failed();

    sqlite3 *m_pDb;
    sqlite3_stmt *m_pStmt;
    int m_nColumns;
    // Per column: a table column of text affinity, whose values are texts
    // (or NULL) only, read without asking for their type first.
    std::vector<bool> m_textOnly;
    // The UTF-8 texts of the bound keys: SQLite reads them in place until
    // the next run binds new ones.
    std::vector<std::string> m_keys;
    QString m_strError;
};
