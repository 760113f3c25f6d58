#include "platform/db/SqliteStatement.h"

#include <QByteArray>
#include <QLocale>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <limits>

namespace {

// The key as UTF-8 into a buffer kept from run to run. Keys are short and
// nearly always ASCII: those are copied byte by byte without a new buffer.
void Utf8Into(const QString &text, std::string &out)
{
    out.clear();
    const qsizetype n = text.size();
    out.reserve(size_t(n));
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = chars[i].unicode();
        if (c >= 0x80) {
            const QByteArray utf8 = text.toUtf8();
            out.assign(utf8.constData(), size_t(utf8.size()));
            return;
        }
        out.push_back(char(c));
    }
}

// SQLite's rule for a declared column type of text affinity: it names
// "CHAR", "CLOB" or "TEXT" and not "INT". Such a column holds texts or NULL
// (or BLOBs), never numbers. An expression has no declared type.
bool HasTextAffinity(const char *declared)
{
    if (!declared)
        return false;
    const QByteArray type = QByteArray(declared).toUpper();
    return !type.contains("INT") &&
           (type.contains("CHAR") || type.contains("CLOB") || type.contains("TEXT"));
}

// Whether the field holds exactly this UTF-8 text (only ASCII texts are
// compared; any other counts as different). An empty text is never null.
bool SameText(const QString &field, const char *text, int size)
{
    if (field.size() != size || field.isNull())
        return false;
    const QChar *chars = field.constData();
    for (int i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80 || chars[i].unicode() != byte)
            return false;
    }
    return true;
}

} // namespace

std::unique_ptr<CSqliteStatement> CSqliteStatement::Prepare(sqlite3 *db, const QString &sql,
                                                            QString *error)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db, text.constData(), int(text.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK || !stmt) {
        *error = rc != SQLITE_OK ? QString::fromUtf8(sqlite3_errmsg(db))
                                 : QStringLiteral("The statement is empty.");
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return std::unique_ptr<CSqliteStatement>(new CSqliteStatement(db, stmt));
}

CSqliteStatement::CSqliteStatement(sqlite3 *db, sqlite3_stmt *stmt)
    : m_pDb(db), m_pStmt(stmt), m_nColumns(sqlite3_column_count(stmt)),
      m_textOnly(size_t(m_nColumns)), m_keys(size_t(sqlite3_bind_parameter_count(stmt)))
{
    for (int i = 0; i < m_nColumns; ++i)
        m_textOnly[size_t(i)] = HasTextAffinity(sqlite3_column_decltype(stmt, i));
}

CSqliteStatement::~CSqliteStatement()
{
    sqlite3_finalize(m_pStmt);
}

bool CSqliteStatement::Failed()
{
    m_strError = QString::fromUtf8(sqlite3_errmsg(m_pDb));
    sqlite3_reset(m_pStmt);
    return false;
}

bool CSqliteStatement::Bind(int index, const QVariant &value)
{
    // As Qt's driver binds: a null text is NULL, numbers stay numbers.
    const int at = index + 1;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return sqlite3_bind_null(m_pStmt, at) == SQLITE_OK;
    case QMetaType::QString: {
        const QString &text = *static_cast<const QString *>(value.constData());
        if (text.isNull())
            return sqlite3_bind_null(m_pStmt, at) == SQLITE_OK;
        std::string &key = m_keys[size_t(index)];
        Utf8Into(text, key);
        return sqlite3_bind_text(m_pStmt, at, key.data(), int(key.size()), SQLITE_STATIC) ==
               SQLITE_OK;
    }
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return sqlite3_bind_int64(m_pStmt, at, value.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(m_pStmt, at, value.toDouble()) == SQLITE_OK;
    default: {
        if (value.isNull())
            return sqlite3_bind_null(m_pStmt, at) == SQLITE_OK;
        std::string &key = m_keys[size_t(index)];
        Utf8Into(value.toString(), key);
        return sqlite3_bind_text(m_pStmt, at, key.data(), int(key.size()), SQLITE_STATIC) ==
               SQLITE_OK;
    }
    }
}

bool CSqliteStatement::Exec(const QVariantList &binds)
{
    sqlite3_reset(m_pStmt);
    m_strError.clear();
    if (size_t(binds.size()) != m_keys.size()) {
        m_strError = QStringLiteral("The statement takes %1 values, %2 were given.")
                         .arg(m_keys.size())
                         .arg(binds.size());
        return false;
    }
    for (int i = 0; i < int(binds.size()); ++i) {
        if (!Bind(i, binds.at(i)))
            return Failed();
    }
    // SQLite runs the statement with its first step (Next).
    return true;
}

DbResult CSqliteStatement::Next()
{
    const int rc = sqlite3_step(m_pStmt);
    if (rc == SQLITE_ROW)
        return DbResult::Row;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(m_pStmt);
        return DbResult::NoRow;
    }
    Failed();
    return DbResult::Failed;
}

void CSqliteStatement::ReadRow(const std::vector<QString *> &fields)
{
    const int n = std::min(m_nColumns, int(fields.size()));
    for (int i = 0; i < n; ++i) {
        QString &field = *fields[size_t(i)];
        switch (m_textOnly[size_t(i)] ? SQLITE_TEXT : sqlite3_column_type(m_pStmt, i)) {
        case SQLITE_NULL:
            field = QString();
            break;
        case SQLITE_FLOAT:
            // The text Qt's driver gave for a number of this kind.
            field = QString::number(sqlite3_column_double(m_pStmt, i), 'g',
                                    QLocale::FloatingPointShortest);
            break;
        default: {
            // Texts, and integers as SQLite writes them (decimal digits).
            // NULL in a text column gives no text at all.
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_pStmt, i));
            if (!text) {
                field = QString();
                break;
            }
            const int size = sqlite3_column_bytes(m_pStmt, i);
            // A walk reads the same keys, codes and flags row after row: a
            // field that holds the text already keeps it (and shares it with
            // the copies made of the rows before) instead of a new copy.
            if (!SameText(field, text, size))
                field = QString::fromUtf8(text, size);
            break;
        }
        }
    }
}

bool CSqliteStatement::FirstAsInt(int *value)
{
    *value = 0;
    if (m_nColumns < 1)
        return false;
    switch (sqlite3_column_type(m_pStmt, 0)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER: {
        const sqlite3_int64 number = sqlite3_column_int64(m_pStmt, 0);
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return false;
        *value = int(number);
        return true;
    }
    default: {
        bool ok = false;
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_pStmt, 0));
        *value = QString::fromUtf8(text, sqlite3_column_bytes(m_pStmt, 0)).toInt(&ok);
        return ok;
    }
    }
}

void CSqliteStatement::Finish()
{
    sqlite3_reset(m_pStmt);
}
