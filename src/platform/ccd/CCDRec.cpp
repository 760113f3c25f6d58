#include "platform/ccd/CCDRec.h"

#include "platform/StringUtil.h"
#include "platform/ccd/CCDFile.h"

#include <QHash>

struct CCDRec::Table
{
    // One entry per record, the values in the order of the record's fields.
    std::vector<QStringList> rows;
};

namespace {

QStringView stripCr(QStringView line)
{
    while (!line.isEmpty() && line.back() == QLatin1Char('\r'))
        line.chop(1);
    return line;
}

} // namespace

CCDRec::CCDRec(int mode) : m_nMode(mode)
{
}

CCDRec::~CCDRec() = default;

CCDRec::CCDRec(const CCDRec &other)
    : m_nMode(other.m_nMode), m_strPath(other.m_strPath), m_pTable(other.m_pTable),
      m_nCurrent(other.m_nCurrent), m_nMoveRow(other.m_nMoveRow)
{
    // The derived class copies its fields and index members itself.
}

CCDRec &CCDRec::operator=(const CCDRec &other)
{
    m_nMode = other.m_nMode;
    m_strPath = other.m_strPath;
    m_pTable = other.m_pTable;
    m_nCurrent = other.m_nCurrent;
    m_nMoveRow = other.m_nMoveRow;
    return *this;
}

int CCDRec::Open(const QString &path)
{
    Close();
    CCDFile file(1);
    if (!file.Open(path, 0, 0))
        return 0;

    // The first line that holds more than blanks names the columns.
    QString header;
    while (file.ReadLine(header) && stripCr(header).trimmed().isEmpty()) {
    }
    const bool headerSeen = !stripCr(header).trimmed().isEmpty();

    const std::vector<Field> fields = Fields();
    // Column of the file for each field of the record (-1: not in the file).
    std::vector<int> column(fields.size(), -1);
    if (headerSeen) {
        const QList<QStringView> parts = stripCr(header).split(QLatin1Char('\t'));
        QHash<QString, int> byName;
        for (int c = 0; c < parts.size(); ++c)
            if (!byName.contains(parts.at(c).trimmed().toString()))
                byName.insert(parts.at(c).trimmed().toString(), c);
        for (size_t f = 0; f < fields.size(); ++f)
            column[f] = byName.value(QString::fromLatin1(fields[f].name), -1);
    }

    // The record position of each index's key fields. A key field the first
    // line does not name makes the file useless for the record's searches:
    // it is refused before the rest is read.
    const std::vector<CCDIndex *> indexes = Indexes();
    std::vector<std::vector<int>> keyColumns;
    for (CCDIndex *index : indexes) {
        std::vector<int> positions;
        for (const QString &name : index->KeyFields()) {
            int pos = -1;
            for (size_t f = 0; f < fields.size(); ++f)
                if (name == QLatin1String(fields[f].name))
                    pos = static_cast<int>(f);
            if (pos < 0 || (headerSeen && column[static_cast<size_t>(pos)] < 0))
                return 0;
            positions.push_back(pos);
        }
        keyColumns.push_back(std::move(positions));
    }

    QString text;
    if (!file.ReadRest(text))
        return 0;
    file.Close();

    auto table = std::make_shared<Table>();
    const QStringView all(text);
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = all.size();
        const QStringView line = stripCr(all.mid(start, end - start));
        start = end + 1;
        if (line.trimmed().isEmpty())
            continue;
        const QList<QStringView> parts = line.split(QLatin1Char('\t'));
        QStringList row;
        row.reserve(static_cast<qsizetype>(fields.size()));
        for (int c : column)
            row.append(c >= 0 && c < parts.size() ? UnescapeFieldText(parts.at(c).toString())
                                                  : QString());
        table->rows.push_back(std::move(row));
    }

    for (size_t i = 0; i < indexes.size(); ++i) {
        CCDIndex *index = indexes[i];
        std::vector<QString> keys;
        keys.reserve(table->rows.size());
        for (const QStringList &row : table->rows) {
            QString key;
            for (int pos : keyColumns[i])
                key += row.at(pos);
            keys.push_back(std::move(key));
        }
        index->Build(keys);
        index->m_run.clear();
        index->m_runPos = 0;
    }

    m_strPath = path;
    m_pTable = std::move(table);
    setCurrent(-1);
    return 1;
}

void CCDRec::Close()
{
    for (CCDIndex *index : Indexes()) {
        index->Clear();
        index->m_run.clear();
        index->m_runPos = 0;
    }
    m_pTable.reset();
    m_strPath.clear();
    m_nMoveRow = -1;
    setCurrent(-1);
}

void CCDRec::setCurrent(int row)
{
    m_nCurrent = row;
    const std::vector<Field> fields = Fields();
    const bool valid = m_pTable && row >= 0 && static_cast<size_t>(row) < m_pTable->rows.size();
    for (size_t f = 0; f < fields.size(); ++f)
        *fields[f].value =
            valid ? m_pTable->rows[static_cast<size_t>(row)].at(static_cast<qsizetype>(f))
                  : QString();
    if (!valid)
        m_nCurrent = -1;
}

int CCDRec::AutoSearch(CCDIndex &index, const QString &key)
{
    if (!m_pTable) {
        setCurrent(-1);
        return 0;
    }
    const std::vector<int> rows = index.Find(key);
    setCurrent(rows.empty() ? -1 : rows.front());
    return rows.empty() ? 0 : 1;
}

int CCDRec::AutoMove(CCDIndex &index, int mode, const QString &key)
{
    if (!m_pTable || (mode != CCD_MOVE_FIRST && mode != CCD_MOVE_NEXT)) {
        setCurrent(-1);
        return 0;
    }
    if (mode == CCD_MOVE_FIRST) {
        index.m_run = index.Find(key);
        index.m_runPos = 0;
    } else if (index.m_runPos < index.m_run.size()) {
        ++index.m_runPos;
    }
    if (index.m_runPos >= index.m_run.size()) {
        index.m_runPos = index.m_run.size();
        setCurrent(-1);
        return 0;
    }
    setCurrent(index.m_run[index.m_runPos]);
    return 1;
}

int CCDRec::Move(int mode)
{
    if (!m_pTable || (mode != CCD_MOVE_FIRST && mode != CCD_MOVE_NEXT)) {
        setCurrent(-1);
        return 0;
    }
    const int count = static_cast<int>(m_pTable->rows.size());
    if (mode == CCD_MOVE_FIRST)
        m_nMoveRow = 0;
    else if (m_nMoveRow >= 0 && m_nMoveRow < count)
        ++m_nMoveRow;
    else
        m_nMoveRow = count; // next without a first: the walk has nothing
    setCurrent(m_nMoveRow < count ? m_nMoveRow : -1);
    return m_nCurrent >= 0 ? 1 : 0;
}

int CCDRec::GetFileEntries() const
{
    return m_pTable ? static_cast<int>(m_pTable->rows.size()) : 0;
}
