#include "yaq2-mkdb/CatalogueBuilder.h"

#include "platform/db/SqlDialect.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>
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
                  const std::function<QString(QSqlDatabase &)> &body,
                  const BuildProgress &progress = {})
{
    auto step = [&progress](const char *what) {
        if (progress)
            progress(QLatin1String(what));
    };
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
            if (error.isEmpty())
                step("indexes");
            for (const QString &statement : indexes) {
                if (!error.isEmpty())
                    break;
                if (!q.exec(statement))
                    error = QStringLiteral("%1\n%2").arg(q.lastError().text(), statement);
            }
            if (error.isEmpty() && !db.commit())
                error = db.lastError().text();
            if (error.isEmpty())
                step("statistics");
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

// The column of the large vehicle's lead type in its catalogue (after the
// columns of the other lead types of the series), from 1.
constexpr int kVehicleColumn = kLeadTypes / kSeries + 2;

// The catalogue lines of the large vehicle's catalogue: a line marks its
// position for the vehicle ("N" in the vehicle's column), as the
// catalogue page and the package pages ask before they show a position;
// one position in twenty has parts clearing for the vehicle in "DE".
class VehicleLines
{
public:
    explicit VehicleLines(QSqlDatabase &db)
        : m_lines(db, QStringLiteral("INSERT INTO catalogue_line (catalogue_key, type_number,"
                                     " main_group, line_number, position_number, line_text,"
                                     " work_units, column_flags) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")),
          m_clearing(db, QStringLiteral("INSERT INTO parts_clearing (catalogue_key, main_group,"
                                        " type_key, position_number, country_code, extra_code,"
                                        " month_from, month_to, mark)"
                                        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")),
          m_flags(QString(kVehicleColumn - 1, QLatin1Char('-')) + QLatin1Char('N'))
    {
    }
    bool Add(const QString &number, const QString &line)
    {
        if (m_nAdded++ % 20 == 0 &&
            !m_clearing.Add({QStringLiteral("1"), number.left(2), SyntheticEditTypeKey(), number,
                             QStringLiteral("DE"), QString(""), QStringLiteral("202301"),
                             QStringLiteral("209912"), QStringLiteral("C")}))
            return false;
        return m_lines.Add({QStringLiteral("1"), QStringLiteral("VQS00DE"), number.left(2), line,
                            number, QStringLiteral("Line %1").arg(number), QStringLiteral("10"),
                            m_flags});
    }
    QString Error() const { return m_lines.Error() + m_clearing.Error(); }

private:
    Inserter m_lines;
    Inserter m_clearing;
    QString m_flags;
    int m_nAdded = 0;
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

QString SyntheticPackageTypeKey()
{
    return SyntheticEditTypeKey();
}

QString SyntheticPackageTypeNumber()
{
    // Seven characters: the standard catalogue (a type number of eight
    // names the alternative one).
    return QStringLiteral("VQS00DE");
}

QString SyntheticPackageSeries()
{
    return QStringLiteral("S00");
}

QString SyntheticContractVin()
{
    // A VIN type and a range of their own, apart from the ordinary ones.
    return QStringLiteral("XVQ9S01A57S000001");
}

QString SyntheticEditTypeKey()
{
    return QStringLiteral("9E01");
}

QString SyntheticEditLeadType()
{
    return QStringLiteral("9E01");
}

QString SyntheticEditPackage()
{
    return QStringLiteral("9000000");
}

QString SyntheticModelName()
{
    return QStringLiteral("Model S00");
}

QString SyntheticAwTypeNumber()
{
    return SyntheticPackageTypeNumber();
}

QString SyntheticAwLeadType()
{
    return SyntheticEditLeadType();
}

QString SyntheticAwMainGroup()
{
    return QStringLiteral("50");
}

namespace {

// The edited package and its sub-packages: the top package has 210 labour
// positions (every fifth standard one with an alternative, every eighth
// optional), 47 parts and three optional sub-packages in its 300 lines (both
// counts in proportion for another number of lines); a sub-package of level
// 1 or 2 has 20 positions, 5 parts and one sub-package, one of level 3 the
// positions and parts only.
QString BuildSyntheticEditPackage(QSqlDatabase &db, int packageLines)
{
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    const QString empty = QStringLiteral(""), typeKey = SyntheticEditTypeKey();
    Inserter positions(db, QStringLiteral("INSERT INTO srp_package_position (catalogue_key,"
                                          " package_number, position_number, kind,"
                                          " reference_number, sort_order)"
                                          " VALUES (?, ?, ?, ?, ?, ?)"));
    Inserter parts(db, QStringLiteral("INSERT INTO srp_package_part (catalogue_key,"
                                      " package_number, part_number, part_position, quantity,"
                                      " kind, valid_from, valid_to, reference_position,"
                                      " sort_order) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Inserter partTexts(db, QStringLiteral("INSERT INTO srp_part_text (catalogue_key, part_number,"
                                          " language, part_text) VALUES (?, ?, ?, ?)"));
    Inserter texts(db, QStringLiteral("INSERT INTO apos_text (catalogue_key, language,"
                                      " model_series, position_number, text1, text2, text3, text4,"
                                      " bracket1, bracket2, bracket3, bracket4)"
                                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Inserter values(db, QStringLiteral("INSERT INTO labour_value (catalogue_key, main_group,"
                                       " position_number, unit_code, lead_type, extra_code,"
                                       " work_units, remark, flag)"
                                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    VehicleLines vehicleLines(db);
    Inserter lines(db, QStringLiteral("INSERT INTO srp_package_line (catalogue_key, type_key,"
                                      " main_group, package_kind, own_number, package_number,"
                                      " extra, origin, text_key, line_text, second_key,"
                                      " line_number, valid_from, valid_to, sort_order)"
                                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    int partNo = 0, subs = 0;
    // A package of the given level with its sub-packages.
    std::function<QString(const QString &, int)> add = [&](const QString &key,
                                                           int level) -> QString {
        const int count = level == 0 ? std::max(1, packageLines * 210 / 300) : 20;
        const int partCount = level == 0 ? packageLines * 47 / 300 : 5;
        const int subCount = level == 0 ? 3 : (level < 3 ? 1 : 0);
        int order = 0;
        auto addPosition = [&](const QString &number, const QString &kind, const QString &ref) {
            if (!positions.Add({one, key, number, kind, ref, ++order}))
                return false;
            if (!texts.Add({one, lang, SyntheticPackageSeries(), number,
                            QStringLiteral("Arbeit %1").arg(number), empty, empty, empty, empty,
                            empty, empty, empty}))
                return false;
            return values.Add({one, number.left(2), number, QStringLiteral("0"),
                               SyntheticEditLeadType(), QStringLiteral("A"),
                               QString::number(5 + order % 40), empty, QStringLiteral("J")}) &&
                   vehicleLines.Add(number, QStringLiteral("0000"));
        };
        // Numbered on from the package's first four characters ("9000" +
        // "002", "003", ...), into the fifth for a long package.
        const int base = key.left(4).toInt() * 1000;
        for (int i = 0; i < count; ++i) {
            const QString number = Padded(base + i * 2 + 2, 7);
            const bool optional = i % 8 == 7;
            if (!addPosition(number, optional ? QStringLiteral("O") : QStringLiteral("S"), empty))
                return positions.Error() + texts.Error() + values.Error() + vehicleLines.Error();
            if (i % 5 == 0 && !optional &&
                !addPosition(Padded(base + i * 2 + 3, 7), QStringLiteral("A"), number))
                return positions.Error() + texts.Error() + values.Error() + vehicleLines.Error();
        }
        for (int s = 0; s < subCount; ++s) {
            const QString subKey = QStringLiteral("91") + Padded(++subs, 2) + QStringLiteral("000");
            if (!addPosition(subKey, QStringLiteral("O"), empty))
                return positions.Error() + texts.Error() + values.Error() + vehicleLines.Error();
            if (!lines.Add({one, typeKey, subKey.left(2), QStringLiteral("SRP"), subKey, subKey,
                            empty, QStringLiteral("   "), empty, empty, empty, Padded(subs, 3),
                            QStringLiteral("20000101"), QStringLiteral("20991231"), 1}))
                return lines.Error();
            const QString error = add(subKey, level + 1);
            if (!error.isEmpty())
                return error;
        }
        for (int i = 0; i < partCount; ++i, ++partNo) {
            const QString number = QStringLiteral("VQ9%1").arg(partNo, 6, 10, QLatin1Char('0'));
            if (!parts.Add({one, key, number, Padded(i * 10, 3),
                            i % 3 ? QStringLiteral("1") : QStringLiteral("0.500"),
                            i % 6 == 5 ? QStringLiteral("O") : QStringLiteral("S"),
                            QStringLiteral("20000101"), QStringLiteral("20991231"), empty, i}))
                return parts.Error();
            if (!partTexts.Add({one, number, lang, QStringLiteral("Teil %1").arg(number)}))
                return partTexts.Error();
        }
        return {};
    };
    // The package in the vehicle's package list: a line of its main group,
    // valued and with its text.
    const QString top = SyntheticEditPackage();
    Inserter mainGroups(db, QStringLiteral("INSERT INTO aw_main_group (catalogue_key, language,"
                                           " type_number, main_group, group_text, text2, text3)"
                                           " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    if (!mainGroups.Add({one, lang, SyntheticPackageTypeNumber(), top.left(2),
                         QStringLiteral("Hauptgruppe %1").arg(top.left(2)), empty, empty}))
        return mainGroups.Error();
    if (!lines.Add({one, typeKey, top.left(2), QStringLiteral("SRP"), top, top, empty,
                    QStringLiteral("   "), empty, QStringLiteral("Großes Paket"), empty,
                    QStringLiteral("0000"), QStringLiteral("20000101"), QStringLiteral("20991231"),
                    1}))
        return lines.Error();
    if (!values.Add({one, top.left(2), top, QStringLiteral("0"), SyntheticEditLeadType(),
                     QStringLiteral("A"), QStringLiteral("60"), empty, QStringLiteral("J")}))
        return values.Error();
    if (!vehicleLines.Add(top, QStringLiteral("0000")))
        return vehicleLines.Error();
    if (!texts.Add({one, lang, SyntheticPackageSeries(), top, QStringLiteral("Großes Paket"), empty,
                    empty, empty, empty, empty, empty, empty}))
        return texts.Error();
    return add(top, 0);
}

QString BuildSyntheticAwCatalogue(QSqlDatabase &db, int count)
{
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    const QString empty = QStringLiteral(""), group = SyntheticAwMainGroup();
    Inserter mainGroups(db, QStringLiteral("INSERT INTO aw_main_group (catalogue_key, language,"
                                           " type_number, main_group, group_text, text2, text3)"
                                           " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    if (!mainGroups.Add({one, lang, SyntheticAwTypeNumber(), group, QStringLiteral("Karosserie"),
                         empty, empty}))
        return mainGroups.Error();
    Inserter positions(db, QStringLiteral("INSERT INTO aw_catalogue_position (catalogue_key,"
                                          " type_number, main_group, language, line_number,"
                                          " position_number, relation_code, reference,"
                                          " visibility, separator, bracket_marker, variants,"
                                          " text1, text2, text3, text4, bracket1, bracket2,"
                                          " bracket3, bracket4) VALUES (?, ?, ?, ?, ?, ?, ?, ?,"
                                          " ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Inserter values(db, QStringLiteral("INSERT INTO labour_value (catalogue_key, main_group,"
                                       " position_number, unit_code, lead_type, extra_code,"
                                       " work_units, remark, flag)"
                                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    VehicleLines vehicleLines(db);
    // Catalogue lines have four digits: a main group of more positions
    // shares them out, several positions to a line.
    const auto lineOf = [count](int i) { return count <= 9999 ? i : int(i * 9999LL / count); };
    for (int i = 1; i <= count; ++i) {
        const QString number = group + Padded(i, 5);
        // Every tenth position is the joint work of the one before it.
        const bool joint = i % 10 == 0;
        if (!positions.Add({one,
                            SyntheticAwTypeNumber(),
                            group,
                            lang,
                            Padded(lineOf(i), 4),
                            number,
                            joint ? QStringLiteral("V") : empty,
                            joint ? group + Padded(i - 1, 5) : empty,
                            QStringLiteral("J"),
                            QStringLiteral("N"),
                            QStringLiteral("N"),
                            QStringLiteral("NNNN"),
                            QStringLiteral("Arbeitsposition %1").arg(i),
                            i % 3 == 0 ? QStringLiteral("mit Zusatzarbeit") : empty,
                            empty,
                            empty,
                            i % 4 == 0 ? QStringLiteral("(beide Seiten)") : empty,
                            empty,
                            empty,
                            empty}))
            return positions.Error();
        if (!values.Add({one, group, number, QStringLiteral("0"), SyntheticAwLeadType(),
                         QStringLiteral("A"), QString::number(2 + i % 40), empty,
                         QStringLiteral("J")}))
            return values.Error();
        if (!vehicleLines.Add(number, Padded(lineOf(i), 4)))
            return vehicleLines.Error();
    }
    return {};
}

// The findings of the synthetic package list: per package group a findings
// main group with subgroups, locations, damage keys and hints; the findings
// codes of its packages; and the scope texts and inclusive positions of the
// labour-value catalogue's positions.
QString BuildSyntheticFindings(QSqlDatabase &db, const SyntheticSize &size)
{
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    const QString empty = QStringLiteral("");
    Inserter levels(db, QStringLiteral("INSERT INTO finding_level_text (catalogue_key, language,"
                                       " main_group, sub_group, location, damage_key, level_text)"
                                       " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    Inserter hints(db, QStringLiteral("INSERT INTO finding_hint (catalogue_key, language,"
                                      " main_group, sub_group, location, hint_text)"
                                      " VALUES (?, ?, ?, ?, ?, ?)"));
    Inserter codes(db, QStringLiteral("INSERT INTO findings_code (catalogue_key, position_number,"
                                      " code, sort_order) VALUES (?, ?, ?, ?)"));
    const int groups = std::max(1, size.packageGroups);
    for (int g = 0; g < groups; ++g) {
        const QString hg = Padded(10 + g, 2);
        if (!levels.Add({one, lang, hg, empty, empty, empty, QStringLiteral("Befund %1").arg(hg)}))
            return levels.Error();
        for (int u = 1; u <= 5; ++u) {
            const QString ug = Padded(u, 2);
            if (!levels.Add(
                    {one, lang, hg, ug, empty, empty, QStringLiteral("Baugruppe %1").arg(u)}))
                return levels.Error();
            for (int o = 1; o <= 5; ++o) {
                const QString ort = Padded(o, 2);
                if (!levels.Add({one, lang, hg, ug, ort, empty, QStringLiteral("Ort %1").arg(o)}) ||
                    !levels.Add({one, lang, hg, ug, ort, QStringLiteral("10"),
                                 QStringLiteral("undicht")}) ||
                    !levels.Add(
                        {one, lang, hg, ug, ort, QStringLiteral("20"), QStringLiteral("defekt")}))
                    return levels.Error();
                if (o == 1 && !hints.Add({one, lang, hg, ug, ort, QStringLiteral("Hinweis")}))
                    return hints.Error();
            }
        }
    }
    for (int i = 0; i < size.packages; ++i) {
        const QString group = Padded(10 + i % groups, 2);
        const QString number = group + Padded(i / groups, 5);
        const QString code = group + Padded(1 + i % 5, 2) + QStringLiteral("XXXXXX");
        if (!codes.Add({one, number, code, 1}))
            return codes.Error();
    }
    Inserter scope(db, QStringLiteral("INSERT INTO apos_scope (position_number, lead_type,"
                                      " extra_code, scope_number) VALUES (?, ?, ?, ?)"));
    Inserter scopeLines(db, QStringLiteral("INSERT INTO scope_text (scope_number, language,"
                                           " line_number, line_text) VALUES (?, ?, ?, ?)"));
    Inserter inclusive(db, QStringLiteral("INSERT INTO apos_inclusive (catalogue_key,"
                                          " position_number, lead_type, extra_code,"
                                          " inclusive_number) VALUES (?, ?, ?, ?, ?)"));
    Inserter included(db, QStringLiteral("INSERT INTO inclusive_position (catalogue_key,"
                                         " inclusive_number, position_number, sort_order)"
                                         " VALUES (?, ?, ?, ?)"));
    const QString a = QStringLiteral("A");
    for (int i = 1; i <= size.labourPositions; ++i) {
        const QString number = SyntheticAwMainGroup() + Padded(i, 5);
        const QString list = QStringLiteral("U") + number;
        if (i % 2 == 0) {
            if (!scope.Add({number, SyntheticAwLeadType(), a, list}))
                return scope.Error();
            for (int l = 1; l <= 3; ++l) {
                if (!scopeLines.Add({list, lang, l, QStringLiteral("Arbeitsumfang %1").arg(l)}))
                    return scopeLines.Error();
            }
        }
        if (i % 5 == 0 && i > 1) {
            const QString inkl = QStringLiteral("I") + number;
            if (!inclusive.Add({one, number, SyntheticAwLeadType(), a, inkl}))
                return inclusive.Error();
            if (!included.Add({one, inkl, SyntheticAwMainGroup() + Padded(i - 1, 5), 1}))
                return included.Error();
        }
    }
    return {};
}

QString BuildSyntheticPackages(QSqlDatabase &db, const SyntheticSize &size)
{
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    const QString blank = QStringLiteral("   "), empty = QStringLiteral("");
    const int groups = std::max(1, size.packageGroups);
    Inserter mainGroups(db, QStringLiteral("INSERT INTO aw_main_group (catalogue_key, language,"
                                           " type_number, main_group, group_text, text2, text3)"
                                           " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (int g = 0; g < groups; ++g) {
        if (!mainGroups.Add({one, lang, SyntheticPackageTypeNumber(), Padded(10 + g, 2),
                             QStringLiteral("Hauptgruppe %1").arg(10 + g), empty, empty}))
            return mainGroups.Error();
    }
    Inserter lines(db, QStringLiteral("INSERT INTO srp_package_line (catalogue_key, type_key,"
                                      " main_group, package_kind, own_number, package_number,"
                                      " extra, origin, text_key, line_text, second_key,"
                                      " line_number, valid_from, valid_to, sort_order)"
                                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Inserter texts(db, QStringLiteral("INSERT INTO apos_text (catalogue_key, language,"
                                      " model_series, position_number, text1, text2, text3, text4,"
                                      " bracket1, bracket2, bracket3, bracket4)"
                                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Inserter findings(db, QStringLiteral("INSERT INTO findings_position (catalogue_key,"
                                         " package_number, position_key, sort_order)"
                                         " VALUES (?, ?, ?, ?)"));
    Inserter contractList(db, QStringLiteral("INSERT INTO hlx_position_list (catalogue_key,"
                                             " list_number, mask, valid_from, valid_to,"
                                             " sort_order) VALUES (?, ?, ?, ?, ?, ?)"));
    Inserter values(db, QStringLiteral("INSERT INTO labour_value (catalogue_key, main_group,"
                                       " position_number, unit_code, lead_type, extra_code,"
                                       " work_units, remark, flag)"
                                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    VehicleLines vehicleLines(db);
    const QString typeKey = SyntheticPackageTypeKey();
    for (int i = 0; i < size.packages; ++i) {
        const QString group = Padded(10 + i % groups, 2);
        const int n = i / groups;
        const QString number = group + Padded(n, 5);
        const QString line = Padded(n * 10, 4);
        // Every package is valued for the vehicle's lead type.
        if (!values.Add({one, group, number, QStringLiteral("0"), SyntheticEditLeadType(),
                         QStringLiteral("A"), QString::number(10 + i % 90), empty,
                         QStringLiteral("J")}))
            return values.Error();
        if (!vehicleLines.Add(number, line))
            return vehicleLines.Error();
        auto add = [&](const QString &kind, const QString &own, int order) {
            return lines.Add({one, typeKey, group, kind, own, number, empty, blank, empty,
                              QStringLiteral("Zeile %1").arg(n / 10), empty, line,
                              QStringLiteral("20000101"), QStringLiteral("20991231"), order});
        };
        if (!add(QStringLiteral("SRP"), number, 1))
            return lines.Error();
        if (i % 4 == 0 &&
            !add(QStringLiteral("GRP"), group + QStringLiteral("9") + Padded(n, 4), 2))
            return lines.Error();
        if (i % 10 == 0) {
            if (!add(QStringLiteral("SIP"), group + QStringLiteral("8") + Padded(n, 4), 3))
                return lines.Error();
            const QString position = number + QStringLiteral("0");
            if (!findings.Add({one, number, position, 1}))
                return findings.Error();
            if (i % 20 == 0 &&
                !contractList.Add({one, QStringLiteral("SL01"), position,
                                   QStringLiteral("01.01.2020"), QStringLiteral("31.12.2099"), i}))
                return contractList.Error();
        }
        if (!texts.Add({one, lang, SyntheticPackageSeries(), number,
                        QStringLiteral("Paket %1").arg(number), QStringLiteral("Arbeitsumfang"),
                        empty, empty, QStringLiteral("(Richtzeit)"), empty, empty, empty}))
            return texts.Error();
    }
    QSqlQuery option(db);
    if (!option.exec(QStringLiteral(
            "INSERT INTO hlx_option (catalogue_key, option_number, state, origin, product_value,"
            " mileage_limit, list_number, list_mode)"
            " VALUES ('1', 'SYN0001', '1', 'AG', '499.00', '100000', 'SL01', '1'),"
            " ('1', 'SYN0002', 'A', 'AG', '299.00', '60000', '', '')")))
        return option.lastError().text();
    // The vehicle's contracts: SYN0001 in force, SYN0002 ended in 2020.
    Inserter contracts(db, QStringLiteral("INSERT INTO hlx_vin_contract (catalogue_key, vin,"
                                          " option_number, billing_start, contract_begin,"
                                          " contract_end, end_km, end_miles, start_km,"
                                          " start_miles, sort_order)"
                                          " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QString vin = SyntheticContractVin();
    if (!contracts.Add({one, vin, QStringLiteral("SYN0001"), QStringLiteral("15.03.2017"),
                        QStringLiteral("15.03.2017"), QStringLiteral("14.03.2099"),
                        QStringLiteral("100000"), QStringLiteral("62137"), QStringLiteral("0"),
                        QStringLiteral("0"), 1}) ||
        !contracts.Add({one, vin, QStringLiteral("SYN0002"), QStringLiteral("15.03.2017"),
                        QStringLiteral("15.03.2017"), QStringLiteral("14.03.2020"),
                        QStringLiteral("60000"), QStringLiteral("37282"), QStringLiteral("0"),
                        QStringLiteral("0"), 2}))
        return contracts.Error();
    Inserter links(db, QStringLiteral("INSERT INTO hlx_link (catalogue_key, option_number,"
                                      " text_key, description) VALUES (?, ?, ?, ?)"));
    if (!links.Add({one, QStringLiteral("SYN0001"), QStringLiteral("SYNWART"),
                    QStringLiteral("Helix Care Wartung")}) ||
        !links.Add({one, QStringLiteral("SYN0002"), QStringLiteral("SYNGAR"),
                    QStringLiteral("Helix Care Garantie")}))
        return links.Error();
    Inserter group(db, QStringLiteral("INSERT INTO hlx_reference (catalogue_key, model_series,"
                                      " text_group) VALUES (?, ?, ?)"));
    if (!group.Add({one, SyntheticPackageSeries(), QStringLiteral("SYN")}))
        return group.Error();
    return {};
}

} // namespace

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
                                const SyntheticSize &size, const BuildProgress &progress)
{
    auto step = [&progress](const char *what) {
        if (progress)
            progress(QLatin1String(what));
    };
    auto body = [&](QSqlDatabase &db) -> QString {
        step("type keys");
        Inserter types(
            db, QStringLiteral("INSERT INTO type_key (catalogue_key, type_key, brand, lead_type,"
                               " model_name, model_series, country) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < size.typeKeys; ++i) {
            if (SyntheticTypeKey(i) == SyntheticEditTypeKey())
                continue;
            const int series = i % kSeries;
            if (!types.Add({QStringLiteral("1"), SyntheticTypeKey(i), QStringLiteral("VQ"),
                            SyntheticLeadType(i), QStringLiteral("Model %1").arg(i % kLeadTypes),
                            QStringLiteral("S%1").arg(series, 2, 10, QLatin1Char('0')),
                            QStringLiteral("DE")}))
                return types.Error();
        }

        // The vehicle of the large catalogue: its VIN leads to the package
        // list, the edited package and the labour-value main group.
        if (!types.Add({QStringLiteral("1"), SyntheticEditTypeKey(), QStringLiteral("VQ"),
                        SyntheticEditLeadType(), QStringLiteral("Model S00"),
                        SyntheticPackageSeries(), QStringLiteral("DE")}))
            return types.Error();
        step("VIN ranges");
        Inserter ranges(db,
                        QStringLiteral("INSERT INTO vin_range (catalogue_key, vin_type, vin_from,"
                                       " vin_to, type_key, extra_code) VALUES (?, ?, ?, ?, ?, ?)"));
        const QString vin = SyntheticContractVin();
        if (!ranges.Add({QStringLiteral("1"), vin.mid(3, 4), QStringLiteral("S000000"),
                         QStringLiteral("S000999"), SyntheticEditTypeKey(), QStringLiteral("A")}))
            return ranges.Error();
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

        step("catalogues");
        Inserter catalogues(
            db, QStringLiteral("INSERT INTO catalogue (catalogue_key, type_number, description,"
                               " model_series, brand, model_range, market_suffix, country,"
                               " edition, sort_order) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int s = 0; s < kSeries; ++s) {
            const QString series = QStringLiteral("S%1").arg(s, 2, 10, QLatin1Char('0'));
            if (!catalogues.Add({QStringLiteral("1"), QStringLiteral("VQ%1DE").arg(series),
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
            if (!columns.Add({QStringLiteral("1"), QStringLiteral("VQ%1DE").arg(series),
                              l / kSeries + 1, QStringLiteral("Model %1").arg(l),
                              SyntheticLeadType(l)}))
                return columns.Error();
        }

        if (!columns.Add({QStringLiteral("1"), SyntheticPackageTypeNumber(), kVehicleColumn,
                          SyntheticModelName(), SyntheticEditLeadType()}))
            return columns.Error();

        step("labour values");
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

        // Infos, catalogue lines, parts clearing and packages of the same
        // positions (those of the cached readers), a few rows per main group.
        step("infos and catalogue lines");
        const int perGroup = std::max(1, size.labourValues / (kLeadTypes * 100));
        Inserter infos(db, QStringLiteral("INSERT INTO labour_info (catalogue_key, main_group,"
                                          " position_number, info_number, info_text,"
                                          " info_number2) VALUES (?, ?, ?, ?, ?, ?)"));
        Inserter lines(db, QStringLiteral("INSERT INTO catalogue_line (catalogue_key, type_number,"
                                          " main_group, line_number, position_number, line_text,"
                                          " work_units, column_flags)"
                                          " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        const int flagCount = (kLeadTypes + kSeries - 1) / kSeries;
        for (int group = 0; group < 100; ++group) {
            const QString mainGroup = Padded(group, 2);
            for (int position = 0; position < perGroup; ++position) {
                const QString number = mainGroup + Padded(position * 10, 5);
                // Each info names the position before it as the one it goes
                // with (the first of a group none).
                if (position % 3 == 0 &&
                    !infos.Add(
                        {QStringLiteral("1"), mainGroup, number, QStringLiteral("1"),
                         QStringLiteral("Info %1").arg(number),
                         position > 0 ? mainGroup + Padded((position - 1) * 10, 5) : QString("")}))
                    return infos.Error();
                QString flags(flagCount, QLatin1Char('-'));
                for (int c = position % 2; c < flagCount; c += 2)
                    flags[c] = QLatin1Char('N');
                for (int series = 0; series < kSeries; ++series) {
                    if (!lines.Add({QStringLiteral("1"),
                                    QStringLiteral("VQS%1DE").arg(series, 2, 10, QLatin1Char('0')),
                                    mainGroup, Padded(position * 10, 3), number,
                                    QStringLiteral("Line %1").arg(number), QStringLiteral("10"),
                                    flags}))
                        return lines.Error();
                }
            }
        }
        Inserter clearing(db, QStringLiteral("INSERT INTO parts_clearing (catalogue_key,"
                                             " main_group, type_key, position_number, country_code,"
                                             " extra_code, month_from, month_to, mark)"
                                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        Inserter packages(db, QStringLiteral("INSERT INTO srp_package (catalogue_key,"
                                             " package_number, type_key, extra_code, country,"
                                             " description) VALUES (?, ?, ?, ?, ?, ?)"));
        for (int t = 0; t < std::min(size.typeKeys, 100); ++t) {
            for (int group = 0; group < 100; ++group) {
                const QString mainGroup = Padded(group, 2);
                if (!clearing.Add({QStringLiteral("1"), mainGroup, SyntheticTypeKey(t),
                                   mainGroup + Padded(0, 5), QStringLiteral("DE"), QString(""),
                                   QStringLiteral("202301"), QStringLiteral("209912"),
                                   QStringLiteral("C")}))
                    return clearing.Error();
            }
            if (!packages.Add({QStringLiteral("1"), QStringLiteral("1200000"), SyntheticTypeKey(t),
                               QString(""), QStringLiteral("   "),
                               QStringLiteral("Package %1").arg(t)}))
                return packages.Error();
        }

        step("package list");
        const QString packageList = BuildSyntheticPackages(db, size);
        if (!packageList.isEmpty())
            return packageList;
        step("findings");
        const QString findings = BuildSyntheticFindings(db, size);
        if (!findings.isEmpty())
            return findings;
        step("edited package");
        const QString editPackage = BuildSyntheticEditPackage(db, size.packageLines);
        if (!editPackage.isEmpty())
            return editPackage;
        step("labour-value catalogue page");
        const QString awCatalogue = BuildSyntheticAwCatalogue(db, size.labourPositions);
        if (!awCatalogue.isEmpty())
            return awCatalogue;

        QSqlQuery report(db);
        if (!report.exec(
                QStringLiteral("INSERT INTO catalogue_report (report_id, created, description)"
                               " VALUES ('R0001', '20240612071500', 'synthetic')")))
            return report.lastError().text();
        return {};
    };
    return BuildFile(outFile, schemaFile, body, progress);
}
