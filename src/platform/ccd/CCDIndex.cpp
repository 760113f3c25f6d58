#include "platform/ccd/CCDIndex.h"

#include <QVarLengthArray>
#include <QtEndian>

#include <algorithm>
#include <cstring>

CCDIndex::CCDIndex(QStringList keyFields) : m_keyFields(std::move(keyFields))
{
}

CCDIndex::~CCDIndex() = default;

void CCDIndex::EndRun()
{
    m_runPos = -1;
    m_runEnd = -1;
}

namespace {

using KeyBuffer = QVarLengthArray<char, 128>;

// The search key without the blanks at its end (as WithoutTrailingBlanks),
// without a copy.
QStringView TrimmedKey(const QString &key)
{
    qsizetype n = key.size();
    while (n > 0 && key.at(n - 1).isSpace())
        --n;
    return QStringView(key).left(n);
}

// The search key in the index's bytes, its UTF-8. False when the key holds
// half a surrogate pair alone: no text read from a file holds one, and its
// UTF-8 would stand for another character.
bool KeyBytes(QStringView key, KeyBuffer &out)
{
    const qsizetype n = key.size();
    const char16_t *s = reinterpret_cast<const char16_t *>(key.utf16());
    out.resize(n);
    char *o = out.data();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) { // four ASCII characters at a time
        std::uint64_t w;
        std::memcpy(&w, s + i, 8);
        if ((w & 0xFF80FF80FF80FF80ull) != 0)
            break;
        o[i] = static_cast<char>(w);
        o[i + 1] = static_cast<char>(w >> 16);
        o[i + 2] = static_cast<char>(w >> 32);
        o[i + 3] = static_cast<char>(w >> 48);
    }
    for (; i < n && s[i] < 0x80; ++i)
        o[i] = static_cast<char>(s[i]);
    if (i == n)
        return true;
    for (qsizetype j = i; j < n; ++j) {
        if (QChar::isHighSurrogate(s[j]) && j + 1 < n && QChar::isLowSurrogate(s[j + 1]))
            ++j;
        else if (QChar::isSurrogate(s[j]))
            return false;
    }
    const QByteArray utf8 = key.toUtf8();
    out.resize(utf8.size());
    std::memcpy(out.data(), utf8.constData(), static_cast<size_t>(utf8.size()));
    return true;
}

// The length of a key without the blanks at its end, as WithoutTrailingBlanks
// removes them from its text (the key is well-formed UTF-8).
std::uint32_t TrimmedLength(const char *p, std::uint32_t n)
{
    while (n > 0) {
        const auto last = static_cast<unsigned char>(p[n - 1]);
        if (last < 0x80) {
            if (last != ' ' && (last < '\t' || last > '\r'))
                break;
            --n;
            continue;
        }
        std::uint32_t start = n - 1;
        while (start > 0 && n - start < 4 && (static_cast<unsigned char>(p[start]) & 0xC0) == 0x80)
            --start;
        const auto lead = static_cast<unsigned char>(p[start]);
        char32_t c = lead >= 0xF0 ? lead & 0x07u : lead >= 0xE0 ? lead & 0x0Fu : lead & 0x1Fu;
        for (std::uint32_t i = start + 1; i < n; ++i)
            c = (c << 6) | (static_cast<unsigned char>(p[i]) & 0x3Fu);
        if (!QChar::isSpace(c))
            break;
        n = start;
    }
    return n;
}

// UTF-8 keys in the order of their UTF-16 code units (QString's order).
// Byte order is code point order; the two differ only where a character
// beyond U+FFFF (a surrogate pair, lead byte F0..F4) meets one of U+E000 to
// U+FFFF (lead byte EE or EF), and both differ first at such lead bytes.
int CompareKeys(const char *a, std::uint32_t la, const char *b, std::uint32_t lb)
{
    const std::uint32_t n = std::min(la, lb);
    if (std::memcmp(a, b, n) == 0)
        return la < lb ? -1 : la > lb ? 1 : 0;
    std::uint32_t i = 0;
    while (a[i] == b[i])
        ++i;
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (ca >= 0xF0 && (cb == 0xEE || cb == 0xEF))
        return -1;
    if (cb >= 0xF0 && (ca == 0xEE || ca == 0xEF))
        return 1;
    return ca < cb ? -1 : 1;
}

bool StartsWith(const char *key, std::uint32_t length, const KeyBuffer &wanted)
{
    return length >= static_cast<std::uint32_t>(wanted.size()) &&
           std::memcmp(key, wanted.constData(), static_cast<size_t>(wanted.size())) == 0;
}

std::uint64_t Mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return h;
}

std::uint64_t HashKey(const char *p, size_t n)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
    }
    // The last bytes read as whole words (overlapping where fewer than
    // eight are left), not copied one by one.
    if (n >= 4) {
        std::uint32_t a;
        std::uint32_t b;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + n - 4, 4);
        h = (h ^ ((std::uint64_t(a) << 32) | b)) * 0xBF58476D1CE4E5B9ull;
    } else if (n > 0) {
        const auto byte = [p](size_t i) { return std::uint64_t(static_cast<unsigned char>(p[i])); };
        h = (h ^ ((byte(0) << 16) | (byte(n / 2) << 8) | byte(n - 1))) * 0xBF58476D1CE4E5B9ull;
    }
    return Mix(h);
}

} // namespace

// ---- sorted prefix index ----------------------------------------------

struct CCDAutoNtx::Data
{
    struct Entry
    {
        std::uint64_t head[2]; // the first sixteen bytes, big-endian, zero-padded
        std::uint32_t offset;
        std::uint32_t length;
        std::int32_t row;
    };
    KeySet keys;                // the bytes; the per-row slices are in the entries
    std::vector<Entry> entries; // by key, equal keys by row
    bool byteOrder = true;      // no key holds a lead byte EE..F4: bytes order them

    const char *data(const Entry &e) const { return keys.data({e.offset, e.length}); }
    QString text(const Entry &e) const { return QString::fromUtf8(data(e), e.length); }
};

namespace {

void HeadOf(const char *p, std::uint32_t length, std::uint64_t (&head)[2])
{
    unsigned char bytes[16] = {};
    std::memcpy(bytes, p, std::min<std::uint32_t>(length, 16));
    head[0] = qFromBigEndian<std::uint64_t>(bytes);
    head[1] = qFromBigEndian<std::uint64_t>(bytes + 8);
}

// Byte order of two keys, most often decided by their heads alone (the
// padding zeros order a key before its longer continuations).
int CompareByHead(const std::uint64_t (&ha)[2], const char *a, std::uint32_t la,
                  const std::uint64_t (&hb)[2], const char *b, std::uint32_t lb)
{
    if (ha[0] != hb[0])
        return ha[0] < hb[0] ? -1 : 1;
    if (ha[1] != hb[1])
        return ha[1] < hb[1] ? -1 : 1;
    if (la > 16 && lb > 16) {
        const int c = std::memcmp(a + 16, b + 16, std::min(la, lb) - 16);
        if (c != 0)
            return c;
    }
    return la < lb ? -1 : la > lb ? 1 : 0;
}

} // namespace

void CCDAutoNtx::Build(KeySet keys)
{
    using Entry = Data::Entry;
    auto data = std::make_shared<Data>();
    data->keys = std::move(keys);
    std::vector<Entry> &entries = data->entries;
    entries.reserve(data->keys.keys.size());
    bool byteOrder = true;
    for (size_t row = 0; row < data->keys.keys.size(); ++row) {
        const KeyRef k = data->keys.keys[row];
        const char *p = data->keys.data(k);
        const std::uint32_t length = TrimmedLength(p, k.length);
        if (length == 0)
            continue;
        for (std::uint32_t i = 0; i < length && byteOrder; ++i)
            byteOrder = static_cast<unsigned char>(p[i]) < 0xEE;
        Entry e{{0, 0}, k.offset, length, static_cast<std::int32_t>(row)};
        HeadOf(p, length, e.head);
        entries.push_back(e);
    }
    std::vector<KeyRef>().swap(data->keys.keys);
    data->byteOrder = byteOrder;
    const Data &d = *data;
    if (byteOrder) {
        std::sort(entries.begin(), entries.end(), [&d](const Entry &a, const Entry &b) {
            if (a.head[0] != b.head[0])
                return a.head[0] < b.head[0];
            if (a.head[1] != b.head[1])
                return a.head[1] < b.head[1];
            const int c = CompareByHead(a.head, d.data(a), a.length, b.head, d.data(b), b.length);
            return c != 0 ? c < 0 : a.row < b.row;
        });
    } else {
        std::sort(entries.begin(), entries.end(), [&d](const Entry &a, const Entry &b) {
            const int c = CompareKeys(d.data(a), a.length, d.data(b), b.length);
            return c != 0 ? c < 0 : a.row < b.row;
        });
    }
    m_data = std::move(data);
}

std::pair<std::int64_t, std::int64_t> CCDAutoNtx::matching(const QString &key,
                                                           bool wholeRange) const
{
    using Entry = Data::Entry;
    const QStringView wanted = TrimmedKey(key);
    if (!m_data || wanted.isEmpty())
        return {-1, -1};
    const Data &d = *m_data;
    const auto begin = d.entries.begin();
    const auto end = d.entries.end();
    KeyBuffer w;
    if (!KeyBytes(wanted, w)) {
        // Half a surrogate pair at the end of the search key still begins
        // keys; compared as texts.
        auto it = std::lower_bound(begin, end, wanted,
                                   [&d](const Entry &e, QStringView k) { return d.text(e) < k; });
        auto last = std::partition_point(
            it, end, [&](const Entry &e) { return d.text(e).startsWith(wanted); });
        if (it == last)
            return {-1, -1};
        return {it - begin, last - begin};
    }
    const auto wLength = static_cast<std::uint32_t>(w.size());
    std::uint64_t wHead[2];
    HeadOf(w.constData(), wLength, wHead);
    auto it = d.byteOrder
                  ? std::lower_bound(begin, end, w,
                                     [&](const Entry &e, const KeyBuffer &k) {
                                         return CompareByHead(e.head, d.data(e), e.length, wHead,
                                                              k.constData(), wLength) < 0;
                                     })
                  : std::lower_bound(begin, end, w, [&](const Entry &e, const KeyBuffer &k) {
                        return CompareKeys(d.data(e), e.length, k.constData(), wLength) < 0;
                    });
    if (it == end || !StartsWith(d.data(*it), it->length, w))
        return {-1, -1};
    auto last = wholeRange ? std::partition_point(
                                 it + 1, end,
                                 [&](const Entry &e) { return StartsWith(d.data(e), e.length, w); })
                           : it + 1;
    return {it - begin, last - begin};
}

int CCDAutoNtx::FindFirst(const QString &key) const
{
    const auto range = matching(key, false);
    return range.first < 0 ? -1 : m_data->entries[static_cast<size_t>(range.first)].row;
}

int CCDAutoNtx::StartRun(const QString &key)
{
    const auto range = matching(key, true);
    m_runPos = range.first;
    m_runEnd = range.second;
    return m_runPos < 0 ? -1 : m_data->entries[static_cast<size_t>(m_runPos)].row;
}

int CCDAutoNtx::NextInRun()
{
    if (!m_data || m_runPos < 0 || m_runPos >= m_runEnd)
        return -1;
    if (++m_runPos >= m_runEnd)
        return -1;
    return m_data->entries[static_cast<size_t>(m_runPos)].row;
}

// ---- hashed exact index -----------------------------------------------

struct CCDAutoHtb::Data
{
    struct Slot
    {
        std::uint32_t tag = 0;
        std::int32_t head = -1; // first row of the key, -1: empty slot
    };
    KeySet keys;                    // per row, trimmed
    std::vector<std::int32_t> next; // next row with the same key, -1 at the end
    std::vector<Slot> buckets;      // open addressing, linear probing
    std::uint64_t mask = 0;

    bool equal(std::int32_t row, const char *p, std::uint32_t length) const
    {
        const KeyRef k = keys.keys[static_cast<size_t>(row)];
        return k.length == length && std::memcmp(keys.data(k), p, length) == 0;
    }
    std::int32_t find(const char *p, std::uint32_t length) const
    {
        const std::uint64_t h = HashKey(p, length);
        const auto tag = static_cast<std::uint32_t>(h >> 32);
        for (std::uint64_t pos = h & mask;; pos = (pos + 1) & mask) {
            const Slot &s = buckets[pos];
            if (s.head < 0 || (s.tag == tag && equal(s.head, p, length)))
                return s.head;
        }
    }
};

void CCDAutoHtb::Build(KeySet keys)
{
    auto data = std::make_shared<Data>();
    data->keys = std::move(keys);
    std::vector<KeyRef> &refs = data->keys.keys;
    const size_t rows = refs.size();
    size_t capacity = 16;
    while (capacity < rows * 2)
        capacity *= 2;
    data->buckets.resize(capacity);
    data->mask = capacity - 1;
    data->next.assign(rows, -1);
    // The hashes first, in one pass over the keys; then, from the last row
    // back, each row put in front of its key's chain, so that the chain
    // runs in file order. The buckets are fetched some rows ahead: the
    // table is far larger than the cache.
    std::vector<std::uint64_t> hashes(rows);
    for (size_t i = 0; i < rows; ++i) {
        KeyRef &k = refs[i];
        const char *p = data->keys.data(k);
        k.length = TrimmedLength(p, k.length);
        hashes[i] = HashKey(p, k.length);
    }
    constexpr size_t ahead = 16;
    for (size_t i = rows; i-- > 0;) {
#if defined(__GNUC__)
        if (i >= ahead)
            __builtin_prefetch(&data->buckets[hashes[i - ahead] & data->mask], 1);
#endif
        const KeyRef k = refs[i];
        if (k.length == 0)
            continue;
        const std::uint64_t h = hashes[i];
        const auto tag = static_cast<std::uint32_t>(h >> 32);
        const auto row = static_cast<std::int32_t>(i);
        const char *p = data->keys.data(k);
        for (std::uint64_t pos = h & data->mask;; pos = (pos + 1) & data->mask) {
            Data::Slot &s = data->buckets[pos];
            if (s.head < 0) {
                s = {tag, row};
                break;
            }
            if (s.tag == tag && data->equal(s.head, p, k.length)) {
                data->next[i] = s.head;
                s.head = row;
                break;
            }
        }
    }
    m_data = std::move(data);
}

int CCDAutoHtb::FindFirst(const QString &key) const
{
    if (!m_data)
        return -1;
    const QStringView wanted = TrimmedKey(key);
    KeyBuffer w;
    if (wanted.isEmpty() || !KeyBytes(wanted, w))
        return -1;
    return m_data->find(w.constData(), static_cast<std::uint32_t>(w.size()));
}

int CCDAutoHtb::StartRun(const QString &key)
{
    m_runPos = FindFirst(key);
    return static_cast<int>(m_runPos);
}

int CCDAutoHtb::NextInRun()
{
    if (!m_data || m_runPos < 0)
        return -1;
    m_runPos = m_data->next[static_cast<size_t>(m_runPos)];
    return static_cast<int>(m_runPos);
}

// ---- word index -------------------------------------------------------

struct CCDAutoWrd::Data
{
    struct Entry
    {
        QString word;
        int row;
    };
    std::vector<Entry> words;          // sorted by word
    std::vector<QStringList> rowWords; // the words of each row
};

QStringList CCDAutoWrd::Words(const QString &text)
{
    return text.toUpper().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

void CCDAutoWrd::Build(KeySet keys)
{
    auto data = std::make_shared<Data>();
    data->rowWords.reserve(keys.keys.size());
    for (size_t i = 0; i < keys.keys.size(); ++i) {
        const KeyRef k = keys.keys[i];
        QStringList words = Words(QString::fromUtf8(keys.data(k), k.length));
        for (const QString &w : words)
            data->words.push_back({w, static_cast<int>(i)});
        data->rowWords.push_back(std::move(words));
    }
    std::stable_sort(data->words.begin(), data->words.end(),
                     [](const Data::Entry &a, const Data::Entry &b) { return a.word < b.word; });
    m_data = std::move(data);
}

std::vector<int> CCDAutoWrd::find(const QString &key) const
{
    std::vector<int> rows;
    const QStringList wanted = Words(key);
    if (!m_data || wanted.isEmpty())
        return rows;
    const QString &first = wanted.first();
    auto it = std::lower_bound(m_data->words.begin(), m_data->words.end(), first,
                               [](const Data::Entry &e, const QString &k) { return e.word < k; });
    for (; it != m_data->words.end() && it->word.startsWith(first); ++it)
        rows.push_back(it->row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    if (wanted.size() > 1) {
        auto beginsSomeWord = [](const QStringList &words, const QString &w) {
            return std::any_of(words.begin(), words.end(),
                               [&w](const QString &x) { return x.startsWith(w); });
        };
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](int row) {
                                      const QStringList &words =
                                          m_data->rowWords[static_cast<size_t>(row)];
                                      for (qsizetype i = 1; i < wanted.size(); ++i)
                                          if (!beginsSomeWord(words, wanted.at(i)))
                                              return true;
                                      return false;
                                  }),
                   rows.end());
    }
    return rows;
}

int CCDAutoWrd::FindFirst(const QString &key) const
{
    const std::vector<int> rows = find(key);
    return rows.empty() ? -1 : rows.front();
}

int CCDAutoWrd::StartRun(const QString &key)
{
    m_run = find(key);
    m_runPos = 0;
    m_runEnd = static_cast<std::int64_t>(m_run.size());
    return m_run.empty() ? -1 : m_run.front();
}

int CCDAutoWrd::NextInRun()
{
    if (m_runPos < 0 || m_runPos >= m_runEnd)
        return -1;
    if (++m_runPos >= m_runEnd)
        return -1;
    return m_run[static_cast<size_t>(m_runPos)];
}
