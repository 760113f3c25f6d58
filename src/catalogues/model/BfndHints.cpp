#include "catalogues/model/BfndHints.h"

#include "platform/db/YaqDb.h"

#include <utility>

bool CBfndHints::Load(CYaqDb *db, const QString &catalogueKey, const QString &language)
{
    CBfndHints read;
    if (db) {
        const int failures = db->Failures();
        CBefHinweisData rec;
        rec.Init();
        rec.m_strKatBstNr = catalogueKey;
        rec.m_strSprache = language;
        for (int ok = db->SelectBefHinweise(rec); ok; ok = db->ReadNext()) {
            rec.TrimData();
            read.Add(rec.m_strHG + rec.m_strUG + rec.m_strOrt, rec.m_strHinweis);
        }
        db->CloseStmt();
        if (db->Failures() != failures)
            return false;
    }
    *this = std::move(read);
    return true;
}

void CBfndHints::Add(const QString &key, const QString &hint)
{
    m_index.insert(key, QString::number(m_hints.size()));
    m_hints.push_back(hint);
}

QString CBfndHints::Get(const QString &key) const
{
    const QString index = m_index.value(key);
    if (index.isEmpty())
        return QString();
    bool ok = false;
    const int at = index.toInt(&ok);
    if (!ok || at < 0 || at >= int(m_hints.size()))
        return QString();
    return m_hints[size_t(at)];
}
