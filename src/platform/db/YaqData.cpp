#include "platform/db/YaqData.h"

void CYaqData::Init()
{
    for (QString *field : Fields())
        field->clear();
}

void CYaqData::TrimData()
{
    for (QString *field : Fields()) {
        int n = field->size();
        while (n > 0 && field->at(n - 1) == QLatin1Char(' '))
            --n;
        field->truncate(n);
    }
}
