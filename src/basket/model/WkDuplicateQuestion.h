#pragma once
// The question to the adviser when an entry offered to the basket is already
// there. Each offering page asks in its own words (a labour position, a
// finding, a package, a spot-repair package) and offers its own answers;
// the basket decides what the answer does.

#include "platform/MsgBox.h"

#include <functional>
#include <utility>

class CWKListItem;

enum class WkDuplicateAnswer
{
    Overwrite,         // the new entry takes the place of the stored one
    StoreAdditionally, // both stand in the basket
    Keep,              // "No": the stored entry stays (package pages show the basket)
    Cancel,
};

class IWkDuplicateQuestion
{
public:
    virtual ~IWkDuplicateQuestion() = default;
    // The entry as offered; it is not in the basket yet.
    virtual WkDuplicateAnswer AskDuplicate(const CWKListItem &entry) = 0;
};

// The question as a function: a page asks with a message box of its own.
class CWkDuplicateAsk final : public IWkDuplicateQuestion
{
public:
    using Ask = std::function<WkDuplicateAnswer(const CWKListItem &entry)>;
    explicit CWkDuplicateAsk(Ask ask) : m_ask(std::move(ask)) {}
    WkDuplicateAnswer AskDuplicate(const CWKListItem &entry) override { return m_ask(entry); }

private:
    Ask m_ask;
};

// The answer given with the basket's box (MB_STOREAGAIN_OVERWRITE): store
// it again, overwrite, or (any other button, the box closed) cancel.
inline WkDuplicateAnswer WkStoreAgainOrOverwrite(int button)
{
    if (button == IDSTOREAGAIN)
        return WkDuplicateAnswer::StoreAdditionally;
    if (button == IDOVERWRITE)
        return WkDuplicateAnswer::Overwrite;
    return WkDuplicateAnswer::Cancel;
}

// The answer given with the package pages' box (Yes, No, Cancel): "Yes"
// overwrites, "No" keeps the stored entry, any other button cancels.
inline WkDuplicateAnswer WkOverwriteOrKeep(int button)
{
    if (button == IDYES)
        return WkDuplicateAnswer::Overwrite;
    return button == IDNO ? WkDuplicateAnswer::Keep : WkDuplicateAnswer::Cancel;
}
