#include "platform/ccd/CCDIndex.h"

#include <QHash>

#include <algorithm>

CCDIndex::CCDIndex(QStringList keyFields) : m_keyFields(std::move(keyFields))
{
}

CCDIndex::~CCDIndex() = default;

QString CCDIndex::TrimRight(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1).isSpace())
        --n;
    return text.left(n);
}

// ---- sorted prefix index ----------------------------------------------

void CCDAutoNtx::Build(const std::vector<QString> &keys)
{
    auto entries = std::make_shared<std::vector<Entry>>();
    entries->reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        QString key = TrimRight(keys[i]);
        if (!key.isEmpty())
            entries->push_back({std::move(key), static_cast<int>(i)});
    }
    std::stable_sort(entries->begin(), entries->end(),
                     [](const Entry &a, const Entry &b) { return a.key < b.key; });
    m_data = std::move(entries);
}

std::vector<int> CCDAutoNtx::Find(const QString &key) const
{
    std::vector<int> rows;
    const QString wanted = TrimRight(key);
    if (!m_data || wanted.isEmpty())
        return rows;
    auto it = std::lower_bound(m_data->begin(), m_data->end(), wanted,
                               [](const Entry &e, const QString &k) { return e.key < k; });
    for (; it != m_data->end() && it->key.startsWith(wanted); ++it)
        rows.push_back(it->row);
    return rows;
}

// ---- hashed exact index -----------------------------------------------

struct CCDAutoHtb::Data
{
    QHash<QString, std::vector<int>> rows;
};

void CCDAutoHtb::Build(const std::vector<QString> &keys)
{
    auto data = std::make_shared<Data>();
    data->rows.reserve(static_cast<qsizetype>(keys.size()));
    for (size_t i = 0; i < keys.size(); ++i) {
        QString key = TrimRight(keys[i]);
        if (!key.isEmpty())
            data->rows[key].push_back(static_cast<int>(i));
    }
    m_data = std::move(data);
}

std::vector<int> CCDAutoHtb::Find(const QString &key) const
{
    const QString wanted = TrimRight(key);
    if (!m_data || wanted.isEmpty())
        return {};
    auto it = m_data->rows.constFind(wanted);
    return it == m_data->rows.constEnd() ? std::vector<int>() : it.value();
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

void CCDAutoWrd::Build(const std::vector<QString> &keys)
{
    auto data = std::make_shared<Data>();
    data->rowWords.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        QStringList words = Words(keys[i]);
        for (const QString &w : words)
            data->words.push_back({w, static_cast<int>(i)});
        data->rowWords.push_back(std::move(words));
    }
    std::stable_sort(data->words.begin(), data->words.end(),
                     [](const Data::Entry &a, const Data::Entry &b) { return a.word < b.word; });
    m_data = std::move(data);
}

std::vector<int> CCDAutoWrd::Find(const QString &key) const
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
