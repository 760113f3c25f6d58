#include "platform/db/DbReadScope.h"

#include "platform/db/YaqDb.h"

#include <algorithm>

CDbReadScope::CDbReadScope(std::initializer_list<CYaqDb *> dbs, int *depth)
    : m_pDepth(depth), m_bOutermost(!depth || (*depth)++ == 0)
{
    if (!m_bOutermost)
        return;
    for (CYaqDb *db : dbs) {
        if (db && std::find(m_began.begin(), m_began.end(), db) == m_began.end() &&
            db->BeginTrans())
            m_began.push_back(db);
    }
}

CDbReadScope::~CDbReadScope()
{
    if (m_pDepth)
        --*m_pDepth;
    for (CYaqDb *db : m_began)
        db->EndTrans();
}
