#include "app/SessionPolicy.h"

#include "app/MainWndRules.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

namespace {
enum Lock
{
    kLockNever,      // no session locks it
    kLockSession,    // every session: no settings, no exchange with the dealer system
    kLockRestricted, // a session of the external service only: no packages either
};

struct ControlRule
{
    int id;
    Lock lock;
    bool followsHeadRow; // enabled and disabled with the head row
};

// clang-format off
const ControlRule kControls[] = {
    {kBtnContract,          kLockRestricted, true},
    {kBtnTwoWheeler,        kLockRestricted, true},
    {kBtnSearch,            kLockNever,      true},
    {kBtnBasket,            kLockNever,      true},
    {kBtnYaqDownload,       kLockRestricted, true},
    {kBtnDmsDownload,       kLockSession,    true},
    {kBtnSetup,             kLockSession,    true},
    {kBtnDmsVin,            kLockSession,    false},
    {kCtlAwKatPrice,        kLockSession,    false},
    {kCtlSRPBbDmsRequest,   kLockSession,    false},
    {kCtlSRPBbTransfer,     kLockSession,    false},
    {kCtlSpotRBbDmsRequest, kLockSession,    false},
    {kCtlSpotRBbTransfer,   kLockSession,    false},
    {kCtlWkTransfer,        kLockSession,    false},
    {kCtlHomePackages,      kLockRestricted, false},
    {kCtlHomeNews,          kLockRestricted, false},
    {kCtlAwKatPackages,     kLockRestricted, false},
    {kCtlNrAbfragePackages, kLockRestricted, false},
    {kCtlWkPackages,        kLockRestricted, false},
};
// clang-format on
} // namespace

CSessionPolicy::CSessionPolicy(bool session, bool restricted)
    : m_bSession(session), m_bRestricted(restricted)
{
}

CSessionPolicy CSessionPolicy::Of(const CPrgSettings &settings)
{
    return CSessionPolicy(settings.bSession != 0, settings.nRestrictedSession != 0);
}

bool CSessionPolicy::Forbids(int controlId) const
{
    if (!m_bSession)
        return false;
    for (const ControlRule &rule : kControls) {
        if (rule.id == controlId)
            return rule.lock == kLockSession || (rule.lock == kLockRestricted && m_bRestricted);
    }
    return false;
}

QList<int> CSessionPolicy::Forbidden() const
{
    QList<int> ids;
    for (const ControlRule &rule : kControls) {
        if (Forbids(rule.id))
            ids.append(rule.id);
    }
    return ids;
}

QList<int> CSessionPolicy::HeadRowButtons()
{
    QList<int> ids;
    for (const ControlRule &rule : kControls) {
        if (rule.followsHeadRow)
            ids.append(rule.id);
    }
    return ids;
}

int CheckSessionOn(CYaqDb *db, const QString &sessionId)
{
    if (!db || sessionId.isEmpty())
        return kSessionUnknown;
    return ParseSessionAnswer(db->CheckSession(sessionId));
}
