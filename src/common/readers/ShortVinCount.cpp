#include "common/readers/ShortVinCount.h"

#include "platform/MsgBox.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/YaqDb.h"

int DmsShortVinCount(CYaqDb *db, const QString &shortVin, QWidget *parent)
{
    if (!db)
        return 0;
    const CatalogueAnswer<int> count = db->CountShortVin(shortVin);
    if (!count.failed)
        return count.value;
    CatalogueFailure::Tell(parent, kMsgBoxTitle, MSG_ALIGN_LEFT);
    return 1;
}
