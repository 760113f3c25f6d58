#pragma once
// The basket as the package pages reach it: storing a copy of the edited
// package, the number of entries, and the transfer of the whole basket to
// the DMS. The main window hands in the basket page behind it; a page
// without one stores nothing.

class CWKListItem;

class IPackageBasket
{
public:
    virtual ~IPackageBasket() = default;
    // Stores a deep copy of the entry (the caller keeps its own). Mode 0
    // refuses an equal package already stored (result 2), mode 2 puts the
    // entry in its place; result 3 stored, 0 nothing stored.
    virtual int AddToBasket(CWKListItem *entry, int mode) = 0;
    virtual int EntryCount() const = 0;
    // Whether the basket can transfer now; a basket without its transfer
    // leaves "Übertragen" of the package pages disabled.
    virtual bool CanTransfer() const = 0;
    // A package is about to be stored for an immediate transfer: the basket
    // then does not tell that it took the package.
    virtual void SetDirectTransfer(bool direct) = 0;
    // Transfers the basket right after a package was stored in it.
    virtual void TransferStored() = 0;
};
