#include "app/HeadKeys.h"

#include "app/SessionPolicy.h"

#include <Qt>

bool CHeadKeys::RunsOnEnter(int headId)
{
    switch (headId) {
    case kBtnDmsVin:
    case kBtnContract:
    case kBtnTwoWheeler:
    case kBtnSearch:
    case kBtnBasket:
    case kBtnYaqDownload:
    case kBtnDmsDownload:
    case kBtnSetup:
    case kBtnBack:
    case kBtnHelp:
    case kBtnHelpIndex:
        return true;
    default:
        return false;
    }
}

CHeadKeys::Action CHeadKeys::ForKey(int key, int focusedId)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return RunsOnEnter(focusedId) ? KeyRunButton : KeyDefault;
    case Qt::Key_Tab:
        return focusedId == kBtnDmsVin ? KeyToHomePage : KeyDefault;
    case Qt::Key_Escape:
        return KeySwallow;
    default:
        return KeyDefault;
    }
}
