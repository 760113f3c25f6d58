#include "platform/ccd/CCDRec.h"

#include "platform/FileErrorText.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/ccd/CCDFile.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QThread>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

struct CCDRec::Table
{
    // The file after its first line, undecoded.
    QByteArray bytes;
    // Each record line: its place in the bytes, without the CRs at its end.
    struct Line
    {
        std::uint32_t start;
        std::uint32_t length;
    };
    std::vector<Line> lines;
    // The file's column of each field of the record (-1: not in the file).
    std::vector<int> column;
    int columnsUsed = 0; // 1 + the last column a field reads
};

namespace {

QStringView stripCr(QStringView line)
{
    while (!line.isEmpty() && line.back() == QLatin1Char('\r'))
        line.chop(1);
    return line;
}

bool IsAsciiSpace(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Bytes that read as themselves: ASCII without the escape character.
// Eight bytes at a time: the high bits, and a zero byte where a byte equals
// the backslash.
bool IsPlain(const char *p, qsizetype n)
{
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t x = w ^ (ones * '\\');
        if ((w & highs) != 0 || ((x - ones) & ~x & highs) != 0)
            return false;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80 || p[i] == '\\')
            return false;
    return true;
}

// Sets the text to bytes that read as themselves, into the text's own
// buffer when it has room (the fields of a record take one row after the
// other); false, and the text left to the caller, for any other bytes.
bool AssignPlain(QString &text, const char *p, std::uint32_t n)
{
    if (n == 0 || !text.isDetached() || text.capacity() < static_cast<qsizetype>(n)) {
        if (!IsPlain(p, n))
            return false;
        text = QLatin1String(p, static_cast<qsizetype>(n));
        return true;
    }
    text.resize(n);
    char16_t *d = reinterpret_cast<char16_t *>(text.data());
    for (std::uint32_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        if (c >= 0x80 || c == '\\')
            return false;
        d[i] = c;
    }
    return true;
}

// The text of a slice of the file's bytes as the decoding of the whole file
// gives it: a sequence that is cut off at the end of the slice is judged
// with the byte after it (a tab, CR or LF) in view.
QString DecodeSlice(const QByteArray &bytes, qsizetype start, qsizetype length)
{
    const bool more = start + length < bytes.size();
    QString text = QString::fromUtf8(bytes.constData() + start, length + (more ? 1 : 0));
    if (more)
        text.chop(1);
    return text;
}

// Where the fields of a line begin and end: at most `columns` of them.
struct LineFields
{
    QVarLengthArray<std::uint32_t, 32> start;
    QVarLengthArray<std::uint32_t, 32> end;

    void split(const QByteArray &bytes, std::uint32_t lineStart, std::uint32_t lineLength,
               int columns)
    {
        start.clear();
        end.clear();
        const char *p = bytes.constData();
        std::uint32_t pos = lineStart;
        const std::uint32_t lineEnd = lineStart + lineLength;
        while (start.size() < columns) {
            const void *tab = std::memchr(p + pos, '\t', lineEnd - pos);
            const std::uint32_t stop =
                tab ? static_cast<std::uint32_t>(static_cast<const char *>(tab) - p) : lineEnd;
            start.append(pos);
            end.append(stop);
            if (!tab)
                break;
            pos = stop + 1;
        }
    }
};

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
    m_bIncomplete = false;
    QElapsedTimer spent;
    spent.start();
    // A read is used once the file stood still across it and a second read
    // after a quiet while gave the same bytes, or once its bytes are those
    // of a version read so before.
    Read previous;
    bool havePrevious = false;
    for (;;) {
        Read read;
        const ReadResult result = readOnce(path, read);
        if (result == ReadResult::Failed)
            return 0;
        if (result == ReadResult::Read) {
            if (read.sequential || (havePrevious && read.SameAs(previous)) ||
                knownWhole(path, read)) {
                rememberWhole(path, read);
                if (!read.keyMissing && build(path, read))
                    return 1;
                Close();
                return 0;
            }
            previous = std::move(read);
            havePrevious = true;
            if (spent.elapsed() + CCDFile::SettleMs() > CCDFile::kReadWaitMostMs)
                break;
            QThread::msleep(static_cast<unsigned long>(CCDFile::SettleMs()));
        } else {
            // Changed while it was read: no read before counts either.
            havePrevious = false;
            if (!CCDFile::WaitUntilStill(
                    path, int(CCDFile::kReadWaitMostMs - CCDFile::SettleMs() - spent.elapsed())))
                break;
        }
    }
    m_bIncomplete = true;
    return 0;
}

namespace {

// The versions of record files read whole lately, by path: their size and
// a hash of their bytes.
struct KnownVersion
{
    qsizetype size = -1;
    size_t hash = 0;
};
QMutex knownMutex;
QHash<QString, KnownVersion> &knownVersions()
{
    static QHash<QString, KnownVersion> known;
    return known;
}

} // namespace

bool CCDRec::Read::SameAs(const Read &other) const
{
    return stamp == other.stamp && header == other.header && rest == other.rest;
}

bool CCDRec::knownWhole(const QString &path, const Read &read)
{
    const QMutexLocker lock(&knownMutex);
    const auto it = knownVersions().constFind(path);
    return it != knownVersions().cend() && it->size == read.rest.size() &&
           it->hash == qHash(read.rest, qHash(read.header));
}

void CCDRec::rememberWhole(const QString &path, const Read &read)
{
    if (read.sequential)
        return;
    const QMutexLocker lock(&knownMutex);
    QHash<QString, KnownVersion> &known = knownVersions();
    if (known.size() >= 256)
        known.clear();
    known.insert(path, {read.rest.size(), qHash(read.rest, qHash(read.header))});
}

CCDRec::ReadResult CCDRec::readOnce(const QString &path, Read &read)
{
    CCDFile file(1);
    if (!file.Open(path, 0, 0))
        return ReadResult::Failed;

    // The first line that holds more than blanks names the columns.
    QString &header = read.header;
    while (file.ReadLine(header) && stripCr(header).trimmed().isEmpty()) {
    }
    const bool headerSeen = !stripCr(header).trimmed().isEmpty();

    const std::vector<Field> fields = Fields();
    // Column of the file for each field of the record (-1: not in the file).
    std::vector<int> &column = read.column;
    column.assign(fields.size(), -1);
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
    // it is refused before the rest is read. A first line without its line
    // end may be one cut in a name by its writer: it is judged once the
    // file is found whole.
    const std::vector<CCDIndex *> indexes = Indexes();
    for (CCDIndex *index : indexes) {
        std::vector<int> positions;
        for (const QString &name : index->KeyFields()) {
            int pos = -1;
            for (size_t f = 0; f < fields.size(); ++f)
                if (name == QLatin1String(fields[f].name))
                    pos = static_cast<int>(f);
            if (pos < 0 || (headerSeen && column[static_cast<size_t>(pos)] < 0)) {
                if (file.LineEnded())
                    return ReadResult::Failed;
                read.keyMissing = true;
            }
            positions.push_back(pos);
        }
        read.keyColumns.push_back(std::move(positions));
    }

    if (!file.ReadRestBytes(read.rest))
        return ReadResult::Failed;
    if (!file.ReadWasWhole())
        return ReadResult::Changed;
    if (static_cast<std::uint64_t>(read.rest.size()) >= 0xFFFFFFFFull)
        return ReadResult::Failed;
    read.stamp = file.ReadStamp();
    read.sequential = file.IsSequential();
    return ReadResult::Read;
}

bool CCDRec::build(const QString &path, const Read &read)
{
    auto table = std::make_shared<Table>();
    table->bytes = read.rest;
    const std::vector<int> &column = read.column;
    const std::vector<CCDIndex *> indexes = Indexes();
    const std::vector<std::vector<int>> &keyColumns = read.keyColumns;
    const QByteArray &bytes = table->bytes;
    table->column = column;
    for (int c : column)
        table->columnsUsed = std::max(table->columnsUsed, c + 1);

    const char *data = bytes.constData();
    const auto size = static_cast<std::uint32_t>(bytes.size());
    size_t lineFeeds = 0;
    for (const char *p = data, *end = data + size;
         (p = static_cast<const char *>(std::memchr(p, '\n', static_cast<size_t>(end - p)))); ++p)
        ++lineFeeds;
    table->lines.reserve(lineFeeds + 1);
    for (std::uint32_t start = 0; start <= size;) {
        const void *lf = std::memchr(data + start, '\n', size - start);
        const std::uint32_t end =
            lf ? static_cast<std::uint32_t>(static_cast<const char *>(lf) - data) : size;
        std::uint32_t stop = end;
        while (stop > start && data[stop - 1] == '\r')
            --stop;
        const std::uint32_t lineStart = start;
        start = end + 1;
        // A line of blanks is no record. Only a line that holds nothing but
        // blanks and other than ASCII bytes needs decoding to tell.
        std::uint32_t i = lineStart;
        while (i < stop && IsAsciiSpace(static_cast<unsigned char>(data[i])))
            ++i;
        if (i == stop || (static_cast<unsigned char>(data[i]) >= 0x80 &&
                          DecodeSlice(bytes, lineStart, stop - lineStart).trimmed().isEmpty()))
            continue;
        table->lines.push_back({lineStart, stop - lineStart});
    }

    LineFields parts;
    for (size_t i = 0; i < indexes.size(); ++i) {
        CCDIndex::KeySet keys;
        keys.bytes = bytes;
        keys.keys.reserve(table->lines.size());
        std::vector<int> keyColumn;
        int columnsUsed = 0;
        for (int pos : keyColumns[i]) {
            keyColumn.push_back(column[static_cast<size_t>(pos)]);
            columnsUsed = std::max(columnsUsed, keyColumn.back() + 1);
        }
        for (const Table::Line &line : table->lines) {
            parts.split(bytes, line.start, line.length, columnsUsed);
            CCDIndex::KeyRef key;
            if (keyColumn.size() == 1 && keyColumn[0] >= 0 && keyColumn[0] < parts.start.size()) {
                const auto c = static_cast<qsizetype>(keyColumn[0]);
                key = {parts.start[c], parts.end[c] - parts.start[c]};
            }
            const bool slice = keyColumn.size() == 1 &&
                               (key.length == 0 || IsPlain(data + key.offset, key.length));
            if (!slice) {
                // The text the fields read as, in UTF-8; kept apart unless
                // it is the file's bytes.
                QString text;
                for (int c : keyColumn)
                    if (c >= 0 && c < parts.start.size())
                        text += UnescapeFieldText(
                            DecodeSlice(bytes, parts.start[c], parts.end[c] - parts.start[c]));
                const QByteArray utf8 = text.toUtf8();
                if (keyColumn.size() != 1 || utf8.size() != key.length ||
                    std::memcmp(utf8.constData(), data + key.offset, key.length) != 0) {
                    if (static_cast<std::uint64_t>(bytes.size()) + keys.extra.size() +
                            utf8.size() >=
                        0xFFFFFFFFull)
                        return false;
                    key = {static_cast<std::uint32_t>(bytes.size() + keys.extra.size()),
                           static_cast<std::uint32_t>(utf8.size())};
                    keys.extra += utf8;
                }
            }
            keys.keys.push_back(key);
        }
        CCDIndex *index = indexes[i];
        index->Build(std::move(keys));
        index->EndRun();
    }

    m_strPath = path;
    m_pTable = std::move(table);
    setCurrent(-1);
    return true;
}

void CCDRec::Close()
{
    for (CCDIndex *index : Indexes()) {
        index->Clear();
        index->EndRun();
    }
    m_pTable.reset();
    m_strPath.clear();
    m_nMoveRow = -1;
    setCurrent(-1);
}

void CCDRec::setCurrent(int row)
{
    if (m_fields.empty())
        m_fields = Fields();
    const Table *table = m_pTable.get();
    const bool valid = table && row >= 0 && static_cast<size_t>(row) < table->lines.size();
    m_nCurrent = valid ? row : -1;
    if (!valid) {
        for (const Field &f : m_fields)
            *f.value = QString();
        return;
    }
    const Table::Line &line = table->lines[static_cast<size_t>(row)];
    LineFields parts;
    parts.split(table->bytes, line.start, line.length, table->columnsUsed);
    const char *data = table->bytes.constData();
    for (size_t f = 0; f < m_fields.size(); ++f) {
        const int c = table->column[f];
        QString &value = *m_fields[f].value;
        if (c < 0 || c >= parts.start.size()) {
            value = QString();
            continue;
        }
        const std::uint32_t start = parts.start[c];
        const std::uint32_t length = parts.end[c] - start;
        if (!AssignPlain(value, data + start, length))
            value = UnescapeFieldText(DecodeSlice(table->bytes, start, length));
    }
}

int CCDRec::AutoSearch(CCDIndex &index, const QString &key)
{
    if (!m_pTable) {
        setCurrent(-1);
        return 0;
    }
    setCurrent(index.FindFirst(key));
    return m_nCurrent >= 0 ? 1 : 0;
}

int CCDRec::AutoMove(CCDIndex &index, int mode, const QString &key)
{
    if (!m_pTable || (mode != CCD_MOVE_FIRST && mode != CCD_MOVE_NEXT)) {
        setCurrent(-1);
        return 0;
    }
    setCurrent(mode == CCD_MOVE_FIRST ? index.StartRun(key) : index.NextInRun());
    return m_nCurrent >= 0 ? 1 : 0;
}

int CCDRec::Move(int mode)
{
    if (!m_pTable || (mode != CCD_MOVE_FIRST && mode != CCD_MOVE_NEXT)) {
        setCurrent(-1);
        return 0;
    }
    const int count = static_cast<int>(m_pTable->lines.size());
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
    return m_pTable ? static_cast<int>(m_pTable->lines.size()) : 0;
}

QString CCDOpenFailureText(const CCDRec &record, const QString &path)
{
    constexpr int kTextOpenFailed = 4012;
    constexpr int kTextIncomplete = 7301;
    QString text = OrmelText(kTextOpenFailed) + QLatin1Char(' ') + PathForMessage(path);
    if (record.WasIncomplete())
        text += QLatin1Char('\n') +
                OrmelTextArgs(kTextIncomplete, {},
                              QStringLiteral("Die Datei ist unvollständig: Sie wurde beim Lesen "
                                             "noch geschrieben. Ihre Einträge werden nicht "
                                             "verwendet."));
    return text;
}
