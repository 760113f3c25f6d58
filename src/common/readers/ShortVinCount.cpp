#include "common/readers/ShortVinCount.h"

#include "platform/db/YaqDb.h"

int DmsShortVinCount(CYaqDb *db, const QString &shortVin)
{
    if (!db)
        return 0;
    const CatalogueAnswer<int> count = db->CountShortVin(shortVin);
    return count.failed ? 1 : count.value;
}
