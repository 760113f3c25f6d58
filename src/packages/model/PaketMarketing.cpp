#include "packages/model/PaketMarketing.h"

#include "packages/model/Position.h"
#include "platform/ccd/CMrktngAttRec.h"
#include "settings/PrgSettings.h"

void SetMrktngAttFlags(const CPrgSettings *settings, CMrktngAttRec *record, CPosition *position)
{
    if (!settings || !record || !position)
        return;
    const QString key = settings->KatalogKey + position->Number;
    if (!record->SearchFstlnValueln(key))
        return;
    position->IsFastlane = record->Fastlane != QLatin1String("0") ? 1 : 0;
    position->IsValueLine = record->Valueline != QLatin1String("0") ? 1 : 0;
}
