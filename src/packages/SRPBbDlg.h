#pragma once
// The package editing page: the chosen package with its positions, alternatives
// and options.

#include "packages/PaketDmsPage.h"
#include "packages/list/PackageRow.h"

class CSRPBbDlg : public CPaketDmsPage
{
    Q_OBJECT
public:
    // The variant of a package row the page opens.
    enum Kind
    {
        KindSR = 0, // service repair
        KindGR = 1, // warranty repair
        KindSP = 2, // inclusive service
        KindVL = 3, // value line
    };

    CSRPBbDlg();
    ~CSRPBbDlg() override;

    // The package chosen on the package list: its row (copied), the variant
    // to open and whether it opens with its campaign offers.
    void SetPackage(const CPackageRow &row, int kind, bool openInMK);
    const CPackageRow &ListRow() const { return m_listRow; }
    int PackageKind() const { return m_nKind; }
    bool OpenInMK() const { return m_bOpenInMK; }

private:
    CPackageRow m_listRow;
    int m_nKind = KindSR;
    bool m_bOpenInMK = false;
};
