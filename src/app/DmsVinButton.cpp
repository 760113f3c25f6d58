#include "app/DmsVinButton.h"

#include "app/MainWndRules.h"
#include "app/VehicleSearch.h"
#include "settings/PrgSettings.h"

CDmsVinButton::Steps CDmsVinButton::StepsFor(const CPrgSettings &settings)
{
    Steps steps;
    const int mode = settings.SRPInterfaceReq;
    steps.showInfoText = mode == 0 || (mode == 3 && settings.bSchulung);
    steps.runVehicleSearch = mode == 3 || mode == 4;
    return steps;
}

bool CDmsVinButton::Run(const CPrgSettings &settings, int &pageId,
                        const std::function<void()> &showInfoText,
                        const std::function<int()> &runSearch)
{
    const Steps steps = StepsFor(settings);
    if (steps.showInfoText && showInfoText)
        showInfoText();
    if (!steps.runVehicleSearch || !runSearch)
        return false;
    pageId = CVehicleSearch::kPageId;
    if (runSearch() == 1)
        return false;
    pageId = kPageHome;
    return true;
}
