#pragma once
// The rows of one level of the labour-value catalogue walk, kept by value.
// A main group holds up to some ten thousand positions: one heap object
// each, made and freed again whenever a group opens or the walk ends, was
// a good part of the cost of opening the level. The rows lie in a few
// blocks instead, each twice as large as the one before up to a limit; a
// row never moves (the walk's shown rows, its path and its current rows
// point at them). Clearing the level keeps the blocks and their rows for
// the next read: a row taken again starts from the default values, its
// value lines keep their room.

#include "catalogues/model/AwKatRow.h"

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

class CAwKatRowStore
{
public:
    CAwKatRowStore() = default;
    ~CAwKatRowStore();
    CAwKatRowStore(const CAwKatRowStore &) = delete;
    CAwKatRowStore &operator=(const CAwKatRowStore &) = delete;

    // A new row at the end, all fields at their defaults.
    CAwKatRow *Add();
    // The level is read anew: no rows, the room kept.
    void Clear() { m_nSize = 0; }

    size_t Size() const { return m_nSize; }
    bool Empty() const { return m_nSize == 0; }
    CAwKatRow *At(size_t index) const;
    CAwKatRow *Back() const { return m_nSize ? At(m_nSize - 1) : nullptr; }

private:
    // The first block's rows; each further block holds twice as many, up
    // to the last size.
    static constexpr size_t kFirstBlock = 64;
    static constexpr size_t kLargestBlock = 4096;
    static size_t BlockSize(size_t block);

    // Frees raw room aligned as a row.
    struct FreeRoom
    {
        void operator()(void *room) const
        {
            ::operator delete(room, std::align_val_t(alignof(CAwKatRow)));
        }
    };
    struct Block
    {
        // Raw room for BlockSize rows, aligned as a row, of which the first
        // built are rows.
        std::unique_ptr<void, FreeRoom> room;
        size_t built = 0;
        CAwKatRow *Row(size_t at) const { return static_cast<CAwKatRow *>(room.get()) + at; }
    };
    // The block and place of the row at index.
    void Locate(size_t index, size_t *block, size_t *at) const;

    std::vector<Block> m_blocks;
    size_t m_nSize = 0;
};
