#pragma once
// CSqlStatement: one select of a connection, prepared once and run again
// with new values: values bound by position, rows read forward only, the
// columns of the current row copied into the text fields of a record.
// Which kind a connection uses is its dialect's choice (CSqlDialect::Prepare).

#include "platform/db/UniDb.h"

#include <QString>
#include <QVariantList>
#include <vector>

class CSqlStatement
{
public:
    CSqlStatement() = default;
    CSqlStatement(const CSqlStatement &) = delete;
    CSqlStatement &operator=(const CSqlStatement &) = delete;
    virtual ~CSqlStatement() = default;

    // Ends a run still open, binds the values by position and runs the
    // statement. false on failure (ErrorText).
    virtual bool Exec(const QVariantList &binds) = 0;
    // Moves to the next row: Row, NoRow at the end, Failed (ErrorText).
    virtual DbResult Next() = 0;
    // Copies the columns of the current row into the fields, in order, as
    // many as there are of both. A NULL value gives a null text.
    virtual void ReadRow(const std::vector<QString *> &fields) = 0;
    // The first column of the current row as a number; false when it is none.
    virtual bool FirstAsInt(int *value) = 0;
    // Ends the run: the statement holds no rows and no read lock any more.
    virtual void Finish() = 0;
    virtual QString ErrorText() const = 0;
};
