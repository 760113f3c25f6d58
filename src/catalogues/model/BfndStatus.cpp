#include "catalogues/model/BfndStatus.h"

#include "catalogues/model/BfndRow.h"
#include "platform/OrmelText.h"

namespace {
constexpr int kNoFindingHint = 3107;
constexpr int kNoHint = 3134;
} // namespace

CBfndStatus CBfndStatus::Of(const CBfndRow *row, bool hintsShown, bool catalogueFlag)
{
    CBfndStatus status;
    if (catalogueFlag || !row)
        return status;
    const bool findingLike =
        row->Type == BFND_TEXT_HIT || row->Type == BFND_APOS_FINDING || row->Type == BFND_FINDING;
    CBfndStatusLine &two = status.line2;
    if (findingLike && hintsShown) {
        if (!row->Hint.isEmpty())
            two = {row->Hint, BfndStatusLook::Highlight};
        else if (row->Type == BFND_FINDING)
            two = {OrmelText(kNoFindingHint), BfndStatusLook::Grey};
        else
            two = {OrmelText(kNoHint), BfndStatusLook::White};
    } else if (findingLike) {
        if (row->Type == BFND_FINDING)
            two = {OrmelText(kNoFindingHint), BfndStatusLook::Grey};
    } else if (!row->Hint.isEmpty()) {
        two = {row->Hint, BfndStatusLook::Highlight};
    } else if (row->Type != BFND_MAIN_GROUP && row->Type != BFND_SUB_GROUP) {
        two = {OrmelText(kNoHint), BfndStatusLook::White};
    }
    if (!row->ContractText.isEmpty())
        status.line1 = {row->ContractText, BfndStatusLook::White};
    return status;
}

bool BfndSearchAllowed(BfndSearchField field, const QString &text)
{
    switch (field) {
    case BfndSearchField::Number:
        return text.size() % 2 == 0;
    case BfndSearchField::Text:
        return true;
    case BfndSearchField::ApNumber:
        return text.size() == kBfndApNumberLength || text.isEmpty();
    }
    return false;
}
