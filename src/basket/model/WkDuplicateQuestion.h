#pragma once
// The question to the adviser when an entry offered to the basket is already
// there. Each offering page asks in its own words (a labour position, a
// finding, a package, a spot-repair package) and offers its own answers;
// the basket decides what the answer does.

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
