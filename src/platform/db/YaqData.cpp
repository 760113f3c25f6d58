#include "platform/db/YaqData.h"

#include "platform/StringUtil.h"

#include <utility>

void CYaqData::Init()
{
    ForEachField([](QString &field) { field.clear(); });
}

void CYaqData::TrimData()
{
    // Most fields end without a space: they are left as they are.
    ForEachField([](QString &field) {
        if (!field.isEmpty() && field.at(field.size() - 1) == QLatin1Char(' '))
            field = WithoutTrailingSpaces(std::move(field));
    });
}
