// A statement on the SQLite C API as a competent engineer would write the
// catalogue reads without our database layer: prepared once and kept, keys
// bound as UTF-8, every column of a row taken from SQLite's own UTF-8 into
// a QString as a page needs it.
#pragma once

#include <sqlite3.h>

#include <QByteArray>
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
        for (int c = 0; c < m_columns; ++c)
            m_text[c] =
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c)),
                                  sqlite3_column_bytes(m_stmt, c));
        return true;
    }
    // Ends the read, so that the statement holds no lock on the file
    // between runs.
    void Done() { sqlite3_reset(m_stmt); }
    const QString &Text(int column) const { return m_text[column]; }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_columns = 0;
    QByteArray m_keys[8];
    QString m_text[24];
};
