#pragma once
// "&DMS-Anfrage" of the package pages and of the optional sub-package
// dialog: prices by the request mode of the settings ("SRPInterfaceReq"),
// from the dealer's price files (3), by the DMS (4), else the dealer's price
// information text shown. Each window prices its package its own way; the
// choice of the road, the boxes the DMS's messages are told in and the end
// of a price set by hand are the same for all.

#include "common/DmsMsgBoxNotice.h"

#include <functional>

class CPosition;
class CPrgSettings;
class QWidget;

class CPackagePriceAsk
{
public:
    // Request modes of "SRPInterfaceReq".
    static constexpr int kRequestLocalFiles = 3;
    static constexpr int kRequestDms = 4;

    struct Roads
    {
        std::function<void()> localFiles;
        // notice: the boxes over the asking window.
        std::function<void(IDmsNotice *notice)> dms;
    };

    // owner: the asking window, borrowed.
    explicit CPackagePriceAsk(QWidget *owner);

    // Takes the road of the request mode. Afterwards the prices of the
    // request or of the files count again, not one set by hand: the hand
    // price of head (null: none) ends, whatever the road.
    void Ask(const CPrgSettings &settings, CPosition *head, const Roads &roads);

private:
    QWidget *m_pOwner;
    CDmsMsgBoxNotice m_dmsNotice;
};
