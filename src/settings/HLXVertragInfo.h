#pragma once
// One inclusive-service contract of the vehicle. The contract readers fill
// all fields and own the records; the settings keep the vehicle's list.

#include <QString>

class CHLXVertragInfo
{
public:
    int bFilled = 0;     // 1 once the reader has filled the record
    QString strText[16]; // contract texts; meaning given by the reader
    int nStatus = -1;    // state code of the contract
};
