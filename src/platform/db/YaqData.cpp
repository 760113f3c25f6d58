#include "platform/db/YaqData.h"

#include "platform/StringUtil.h"

#include <utility>

void CYaqData::Init()
{
    for (QString *field : Fields())
        field->clear();
}

void CYaqData::TrimData()
{
    for (QString *field : Fields())
        *field = WithoutTrailingSpaces(std::move(*field));
}
