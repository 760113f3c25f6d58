#include "yaq2-mkdb/CatalogueBuilder.h"

#include "platform/db/SqlDialect.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <functional>

namespace {

QAtomicInt g_builds;

QString ReadText(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString());
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

// Opens a fresh SQLite file under a temporary name, runs the body inside one
// transaction with the tables of the schema, adds the schema's indexes
// afterwards (faster than maintaining them row by row) and renames the file.
QString BuildFile(const QString &outFile, const QString &schemaFile,
                  const std::function<QString(QSqlDatabase &)> &body)
{
    QString error;
    const QString schema = ReadText(schemaFile, &error);
    if (!error.isEmpty())
        return error;
    QStringList tables, indexes;
    for (const QString &statement : CSqlDialect::SplitScript(schema))
        (statement.startsWith(QLatin1String("CREATE INDEX"), Qt::CaseInsensitive) ? indexes
                                                                                  : tables)
            << statement;

    const QString temp = outFile + QStringLiteral(".part");
    QFile::remove(temp);
    const QString name = QStringLiteral("yaq2-mkdb-%1").arg(g_builds.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(temp);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA journal_mode=OFF"));
            q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
            db.transaction();
            for (const QString &statement : tables) {
                if (!q.exec(statement)) {
                    error = QStringLiteral("%1\n%2").arg(q.lastError().text(), statement);
                    break;
                }
            }
            if (error.isEmpty())
                error = body(db);
            for (const QString &statement : indexes) {
                if (!error.isEmpty())
                    break;
                if (!q.exec(statement))
                    error = QStringLiteral("%1\n%2").arg(q.lastError().text(), statement);
            }
            if (error.isEmpty() && !db.commit())
                error = db.lastError().text();
            if (error.isEmpty() && !q.exec(QStringLiteral("ANALYZE")))
                error = q.lastError().text();
            q = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (error.isEmpty()) {
        QFile::remove(outFile);
        if (!QFile::rename(temp, outFile))
            error = QStringLiteral("Cannot rename \"%1\" to \"%2\".").arg(temp, outFile);
    }
    if (!error.isEmpty())
        QFile::remove(temp);
    return error;
}

QString Base36(int n, int width)
{
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString text(width, QLatin1Char('0'));
    for (int i = width - 1; i >= 0; --i) {
        text[i] = QLatin1Char(digits[n % 36]);
        n /= 36;
    }
    return text;
}

QString Padded(int n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

constexpr int kRangesPerType = 500;
constexpr int kLeadTypes = 500;
constexpr int kSeries = 40;

// Runs one prepared insert per row.
class Inserter
{
public:
    Inserter(QSqlDatabase &db, const QString &sql) : m_query(db) { m_ok = m_query.prepare(sql); }
    bool Add(const QVariantList &values)
    {
        if (!m_ok)
            return false;
        for (int i = 0; i < values.size(); ++i)
            m_query.bindValue(i, values.at(i));
        m_ok = m_query.exec();
        return m_ok;
    }
    QString Error() const { return m_ok ? QString() : m_query.lastError().text(); }

private:
    QSqlQuery m_query;
    bool m_ok = false;
};

} // namespace

QString SyntheticVinType(int n)
{
    return Base36(n, 4);
}

QString SyntheticTypeKey(int n)
{
    return Base36(n + 36 * 36 * 36, 4); // begins with "1": apart from the demo keys
}

QString SyntheticLeadType(int n)
{
    return Padded(1000 + n % kLeadTypes, 4);
}

int SyntheticRangesPerType()
{
    return kRangesPerType;
}

int SyntheticVinTypes(const SyntheticSize &size)
{
    return (size.vinRanges + kRangesPerType - 1) / kRangesPerType;
}

// Every tenth VIN type has ranges of the special digit+letter form.
static QString RangeStart(int vinType, int range)
{
    if (vinType % 10 == 0)
        return QStringLiteral("1A") + Padded(range * 200, 5);
    return QStringLiteral("M") + Padded(range * 2000, 6);
}

static QString RangeEnd(int vinType, int range)
{
    if (vinType % 10 == 0)
        return QStringLiteral("1A") + Padded(range * 200 + 199, 5);
    return QStringLiteral("M") + Padded(range * 2000 + 999, 6);
}

QString SyntheticShortVin(int vinType, int range)
{
    if (vinType % 10 == 0)
        return QStringLiteral("1A") + Padded(range * 200 + 77, 5);
    return QStringLiteral("M") + Padded(range * 2000 + 377, 6);
}

QString SyntheticShortVinAfter(int vinType, int range)
{
    Q_UNUSED(vinType)
    return QStringLiteral("M") + Padded(range * 2000 + 1500, 6);
}

QString BuildCatalogueFromScripts(const QString &outFile, const QString &schemaFile,
                                  const QStringList &dataFiles)
{
    return BuildFile(outFile, schemaFile, [&](QSqlDatabase &db) -> QString {
        QSqlQuery q(db);
        for (const QString &path : dataFiles) {
            QString error;
            const QString script = ReadText(path, &error);
            if (!error.isEmpty())
                return error;
            for (const QString &statement : CSqlDialect::SplitScript(script)) {
                if (!q.exec(statement))
                    return QStringLiteral("%1: %2\n%3")
                        .arg(QFileInfo(path).fileName(), q.lastError().text(), statement);
            }
        }
        return {};
    });
}

QString BuildSyntheticCatalogue(const QString &outFile, const QString &schemaFile,
                                const SyntheticSize &size)
{
    return BuildFile(outFile, schemaFile, [&](QSqlDatabase &db) -> QString {
        Inserter types(
            db, QStringLiteral("INSERT INTO type_key (catalogue_key, type_key, brand, lead_type,"
                               " model_name, model_series, country) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < size.typeKeys; ++i) {
            const int series = i % kSeries;
            if (!types.Add({QStringLiteral("1"), SyntheticTypeKey(i), QStringLiteral("VQ"),
                            SyntheticLeadType(i), QStringLiteral("Model %1").arg(i % kLeadTypes),
                            QStringLiteral("S%1").arg(series, 2, 10, QLatin1Char('0')),
                            QStringLiteral("DE")}))
                return types.Error();
        }

        Inserter ranges(db,
                        QStringLiteral("INSERT INTO vin_range (catalogue_key, vin_type, vin_from,"
                                       " vin_to, type_key, extra_code) VALUES (?, ?, ?, ?, ?, ?)"));
        const int vinTypes = SyntheticVinTypes(size);
        int added = 0;
        for (int t = 0; t < vinTypes && added < size.vinRanges; ++t) {
            const QString vinType = SyntheticVinType(t);
            for (int r = 0; r < kRangesPerType && added < size.vinRanges; ++r, ++added) {
                const int typeKey = (t * kRangesPerType + r) % std::max(1, size.typeKeys);
                if (!ranges.Add({QStringLiteral("1"), vinType, RangeStart(t, r), RangeEnd(t, r),
                                 SyntheticTypeKey(typeKey), QStringLiteral("A")}))
                    return ranges.Error();
            }
        }

        Inserter catalogues(
            db, QStringLiteral("INSERT INTO catalogue (catalogue_key, type_number, description,"
                               " model_series, brand, model_range, market_suffix, country,"
                               " edition, sort_order) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int s = 0; s < kSeries; ++s) {
            const QString series = QStringLiteral("S%1").arg(s, 2, 10, QLatin1Char('0'));
            if (!catalogues.Add({QStringLiteral("1"), QStringLiteral("VQ%1DE1").arg(series),
                                 QStringLiteral("Series %1").arg(series), series,
                                 QStringLiteral("VQ"), QStringLiteral("S"), QString(""),
                                 QStringLiteral("DE"), QStringLiteral("2024/2"), s}))
                return catalogues.Error();
        }

        Inserter columns(db,
                         QStringLiteral("INSERT INTO catalogue_column (catalogue_key, type_number,"
                                        " column_number, model_name, lead_type)"
                                        " VALUES (?, ?, ?, ?, ?)"));
        for (int l = 0; l < kLeadTypes; ++l) {
            const QString series = QStringLiteral("S%1").arg(l % kSeries, 2, 10, QLatin1Char('0'));
            if (!columns.Add({QStringLiteral("1"), QStringLiteral("VQ%1DE1").arg(series),
                              l / kSeries + 1, QStringLiteral("Model %1").arg(l),
                              SyntheticLeadType(l)}))
                return columns.Error();
        }

        Inserter values(
            db,
            QStringLiteral("INSERT INTO labour_value (catalogue_key, main_group, position_number,"
                           " unit_code, lead_type, extra_code, work_units, remark, flag)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        // Rows per lead type and main group: labourValues / (lead types * 100).
        for (int i = 0; i < size.labourValues; ++i) {
            const int lead = i % kLeadTypes;
            const int group = (i / kLeadTypes) % 100;
            const int position = i / (kLeadTypes * 100);
            const QString mainGroup = Padded(group, 2);
            if (!values.Add({QStringLiteral("1"), mainGroup, mainGroup + Padded(position * 10, 5),
                             QStringLiteral("0"), SyntheticLeadType(lead), QStringLiteral("A"),
                             QString::number(10 + i % 90), QString(""), QStringLiteral("J")}))
                return values.Error();
        }

        QSqlQuery report(db);
        if (!report.exec(
                QStringLiteral("INSERT INTO catalogue_report (report_id, created, description)"
                               " VALUES ('R0001', '20240612071500', 'synthetic')")))
            return report.lastError().text();
        return {};
    });
}
