#pragma once
// CDbReadScope: one read transaction on each of a set of connections for a
// run of reads that belong together (a step of the catalogue page, a
// package load, a step of the package list): the reads see one state of
// the catalogue, and SQLite locks the catalogue file once instead of once
// per read. Scopes nested over one depth counter leave the transactions to
// the outermost.

#include <initializer_list>
#include <vector>

class CYaqDb;

class CDbReadScope
{
public:
    // Null connections and a connection named twice are skipped; a
    // connection that cannot begin one reads without.
    CDbReadScope(std::initializer_list<CYaqDb *> dbs, int *depth = nullptr);
    ~CDbReadScope();
    CDbReadScope(const CDbReadScope &) = delete;
    CDbReadScope &operator=(const CDbReadScope &) = delete;

    // Whether this scope is the outermost one of its depth counter.
    bool Outermost() const { return m_bOutermost; }

private:
    int *m_pDepth;
    bool m_bOutermost;
    std::vector<CYaqDb *> m_began;
};
