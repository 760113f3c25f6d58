#pragma once
// The dealer-individual-parts page, opened over the package list: the
// market's information texts in the program language, then its trade units
// and dealer-individual parts with their descriptions and package sizes,
// from the dealer's data folder. "<" and Escape lead back to the package
// list; the list is read anew whenever the page is shown.

#include "common/PageDlg.h"

#include <vector>

class CDIPRowPainter;
class COwnLB;
class QStandardItemModel;
struct CListZeileData;

class CDIPDlg : public CPageDlg
{
    Q_OBJECT
public:
    CDIPDlg();
    ~CDIPDlg() override;

    // Empties the list and fills it from the dealer's files.
    void FillList();
    void EmptyList();
    // The rows listed, in the list's order.
    std::vector<CListZeileData> Rows() const;

protected:
    void BuildPage(QVBoxLayout *body) override;
    void RefreshPage() override;
    void OnBack() override;

private:
    COwnLB *m_pList = nullptr;
    QStandardItemModel *m_pModel = nullptr;
    CDIPRowPainter *m_pPainter = nullptr;
};
