#pragma once
// The inclusive-service contract page: the dealer's contracts of the
// identified vehicle that are in force or ended at most two years ago, each
// with its data, the reason why it is not in force (in red) and its
// condition texts; or a notice when there is none to list. The page prints
// its contracts, one per page.

#include "common/PageDlg.h"
#include "settings/HLXVertragInfo.h"

#include <QList>

#include <memory>
#include <vector>

class CEasyPrintDlg;
class CHLXPrintOut;
class CHLXRowPainter;
class COwnButton;
class COwnLB;
class QStandardItemModel;
struct CHLXRow;

class CHLXDlg : public CPageDlg
{
    Q_OBJECT
public:
    CHLXDlg();
    ~CHLXDlg() override;

    // The caption follows the brand's contract button.
    void SetPageCaption(const QString &caption) { SetCaptionText(caption); }

    // The contracts listed, in the list's order.
    const QList<CHLXVertragInfo> &Contracts() const { return m_contracts; }
    COwnButton *PrintButton() const { return m_pPrint; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    void RefreshPage() override;

private:
    // Reads the vehicle's contracts and shows them, or the notice.
    void ReadContracts();
    void ShowRows(const std::vector<CHLXRow> &rows);
    QString ConditionText(const CHLXVertragInfo &contract) const;
    void OnTop();
    void OnPrint();

    QList<CHLXVertragInfo> m_contracts;
    COwnButton *m_pTop = nullptr;
    COwnButton *m_pPrint = nullptr;
    COwnLB *m_pList = nullptr;
    QStandardItemModel *m_pModel = nullptr;
    CHLXRowPainter *m_pPainter = nullptr;
    std::unique_ptr<CHLXPrintOut> m_pPrintOut;
    std::unique_ptr<CEasyPrintDlg> m_pPrintDlg;
};
