#pragma once
// One row of a multi-column owner-drawn list: its kind and sixteen column
// texts; which columns a kind uses is the list's own matter.

#include <QString>

#include <array>

struct CListZeileData
{
    static constexpr int kColumns = 16;

    int kind = 0;
    std::array<QString, kColumns> columns;
};
