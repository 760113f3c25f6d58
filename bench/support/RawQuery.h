// A statement on the SQLite C API as a competent engineer would write the
// catalogue reads without our database layer: prepared once and kept, keys
// bound as UTF-8, every column of a row taken from SQLite's own UTF-8 into
// a QString as a page needs it.
#pragma once

#include <sqlite3.h>

#include <QByteArray>
#include <QSet>
#include <QString>

#include <cstdio>
#include <initializer_list>

class RawQuery
{
public:
    RawQuery(sqlite3 *db, const QString &text)
    {
        const QByteArray sql = text.toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &m_stmt, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "prepare %s: %s\n", sql.constData(), sqlite3_errmsg(db));
        m_columns = sqlite3_column_count(m_stmt);
    }
    ~RawQuery() { sqlite3_finalize(m_stmt); }
    RawQuery(const RawQuery &) = delete;
    RawQuery &operator=(const RawQuery &) = delete;

    void Bind(std::initializer_list<QString> keys)
    {
        sqlite3_reset(m_stmt);
        int n = 0;
        for (const QString &key : keys) {
            m_keys[n] = key.toUtf8();
            sqlite3_bind_text(m_stmt, n + 1, m_keys[n].constData(), int(m_keys[n].size()),
                              SQLITE_STATIC);
            ++n;
        }
    }
    bool Step()
    {
        if (sqlite3_step(m_stmt) != SQLITE_ROW)
            return false;
        for (int c = 0; c < m_columns; ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c));
            const int size = sqlite3_column_bytes(m_stmt, c);
            if (m_keepEqual && m_text[c] == QLatin1String(text, size))
                continue;
            m_text[c] = QString::fromUtf8(text, size);
        }
        return true;
    }
    // Ends the read, so that the statement holds no lock on the file
    // between runs.
    void Done() { sqlite3_reset(m_stmt); }
    const QString &Text(int column) const { return m_text[column]; }
    // From now on a column that holds the same text as in the row before
    // keeps it (shared with the copies made of that row) instead of a new
    // copy, as the database layer reads a walk.
    void KeepEqualTexts() { m_keepEqual = true; }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_columns = 0;
    bool m_keepEqual = false;
    QByteArray m_keys[8];
    QString m_text[24];
};

// One read transaction around a run of reads on a connection kept open, as
// the program holds one per connection for a load or a list step: the file
// is locked once instead of once per read. BEGIN and COMMIT are prepared
// once as well.
class RawReadTransaction
{
public:
    explicit RawReadTransaction(sqlite3 *db)
    {
        sqlite3_prepare_v2(db, "BEGIN", -1, &m_begin, nullptr);
        sqlite3_prepare_v2(db, "COMMIT", -1, &m_commit, nullptr);
    }
    ~RawReadTransaction()
    {
        sqlite3_finalize(m_begin);
        sqlite3_finalize(m_commit);
    }
    RawReadTransaction(const RawReadTransaction &) = delete;
    RawReadTransaction &operator=(const RawReadTransaction &) = delete;

    void Begin() { Run(m_begin); }
    // The reads left open are ended first (RawQuery::Done).
    void Commit() { Run(m_commit); }

private:
    static void Run(sqlite3_stmt *stmt)
    {
        if (sqlite3_step(stmt) != SQLITE_DONE)
            std::fprintf(stderr, "%s: %s\n", sqlite3_sql(stmt),
                         sqlite3_errmsg(sqlite3_db_handle(stmt)));
        sqlite3_reset(stmt);
    }

    sqlite3_stmt *m_begin = nullptr;
    sqlite3_stmt *m_commit = nullptr;
};

// The baseline's reads that several benchmarks make alike, written as a
// competent engineer would against the schema.
// The catalogue column of a model: catalogue key, type number, model name.
inline QString RawCatalogueColumnSql()
{
    return QStringLiteral("SELECT catalogue_key, type_number, column_number, model_name,"
                          " lead_type FROM catalogue_column WHERE catalogue_key = ?"
                          " AND type_number = ? AND model_name = ?"
                          " ORDER BY column_number, lead_type");
}

// The parts clearing of a main group for the vehicle: catalogue key, type
// key, country, main group, extra code, month twice.
inline QString RawPartsClearingSql()
{
    return QStringLiteral("SELECT catalogue_key, main_group, type_key, position_number,"
                          " country_code, extra_code, month_from, month_to, mark"
                          " FROM parts_clearing WHERE catalogue_key = ? AND type_key = ?"
                          " AND country_code = ? AND main_group = ?"
                          " AND extra_code IN (?, '') AND month_from <= ? AND month_to >= ?"
                          " ORDER BY position_number, extra_code DESC");
}

// The positions of a main group that apply to the vehicle, from the group's
// labour values and catalogue lines, both bound by the caller: a position
// with a value that counts (not "-" or not marked "N") whose catalogue line
// is marked "N" in the model's column.
inline void RawApplyingPositions(RawQuery &values, RawQuery &lines, int column,
                                 QSet<QString> *applies)
{
    QSet<QString> valued;
    while (values.Step()) {
        if (values.Text(5) != QLatin1String("-") || values.Text(7) != QLatin1String("N"))
            valued.insert(values.Text(1));
    }
    while (lines.Step()) {
        const QString &flags = lines.Text(7);
        if (column >= 0 && column < flags.size() && flags.at(column) == QLatin1Char('N') &&
            valued.contains(lines.Text(4)))
            applies->insert(lines.Text(4));
    }
}
