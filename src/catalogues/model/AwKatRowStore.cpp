#include "catalogues/model/AwKatRowStore.h"

#include <new>
#include <utility>

namespace {

// The blocks that grow: 64, 128, ... up to the largest size, and the rows
// they hold together.
constexpr size_t kGrowingBlocks = 7;
constexpr size_t kRowsInGrowingBlocks = 64 * ((size_t(1) << kGrowingBlocks) - 1);

} // namespace

CAwKatRowStore::~CAwKatRowStore()
{
    for (Block &block : m_blocks) {
        for (size_t at = 0; at < block.built; ++at)
            block.Row(at)->~CAwKatRow();
    }
}

size_t CAwKatRowStore::BlockSize(size_t block)
{
    return block < kGrowingBlocks ? kFirstBlock << block : kLargestBlock;
}

void CAwKatRowStore::Locate(size_t index, size_t *block, size_t *at) const
{
    static_assert(kFirstBlock << (kGrowingBlocks - 1) == kLargestBlock);
    if (index >= kRowsInGrowingBlocks) {
        *block = kGrowingBlocks + (index - kRowsInGrowingBlocks) / kLargestBlock;
        *at = (index - kRowsInGrowingBlocks) % kLargestBlock;
        return;
    }
    size_t b = 0;
    size_t first = 0;
    while (index >= first + BlockSize(b)) {
        first += BlockSize(b);
        ++b;
    }
    *block = b;
    *at = index - first;
}

CAwKatRow *CAwKatRowStore::At(size_t index) const
{
    size_t block = 0, at = 0;
    Locate(index, &block, &at);
    return m_blocks[block].Row(at);
}

CAwKatRow *CAwKatRowStore::Add()
{
    size_t block = 0, at = 0;
    Locate(m_nSize, &block, &at);
    if (block == m_blocks.size()) {
        Block added;
        // Room only: a row is built when it is first taken.
        added.room.reset(::operator new(BlockSize(block) * sizeof(CAwKatRow),
                                        std::align_val_t(alignof(CAwKatRow))));
        m_blocks.push_back(std::move(added));
    }
    Block &b = m_blocks[block];
    ++m_nSize;
    if (at == b.built) {
        ++b.built;
        return new (b.Row(at)) CAwKatRow();
    }
    // A row of an earlier read: back to the defaults, its value lines'
    // room kept.
    CAwKatRow *row = b.Row(at);
    std::vector<CAwKatValueLine> values = std::move(row->ValueLines);
    values.clear();
    *row = CAwKatRow();
    row->ValueLines = std::move(values);
    return row;
}
