#include "packages/edit/SpotRepairPackage.h"

#include "packages/model/SpotRepairLine.h"

bool CSpotRepairPackage::TakeRows(const CPosition *spotRow, const CPosition *head,
                                  const CPosition *entry, const CPosition *paintClass,
                                  const CPosition *matrixRow)
{
    if (!CSpotRepairData::TakeRows(m_paket, spotRow, head, entry, paintClass, matrixRow))
        return false;
    m_bHanded = true;
    m_pBasketPackage.reset();
    return true;
}

void CSpotRepairPackage::TakeBasketPackage(const CPaket &stored)
{
    m_pBasketPackage = std::make_unique<CPaket>(stored);
}

QString CSpotRepairPackage::ShownFactor(const CPaket &paket)
{
    for (const CPosition *work : CSpotRepairData::WorkLines(paket)) {
        const QString &factor = work->Spot[SpotFactor];
        if (work->Selected && !factor.isEmpty())
            return factor.startsWith(QLatin1Char('.')) ? QLatin1Char('0') + factor : factor;
    }
    return QString();
}

CSpotRepairPackage::Activation CSpotRepairPackage::Activate(int keepContent,
                                                            const CSpotRepairData &data,
                                                            const CPrgSettings *settings)
{
    Activation out;
    if (keepContent == 0 && m_bHanded) {
        // The works of a way are read once; showing the page again keeps
        // the adviser's choices.
        m_bHanded = false;
        if (const CPosition *matrix = CSpotRepairData::MatrixRow(m_paket))
            out.messages = data.LoadWorks(m_paket, *matrix);
        out.worksRead = true;
        QString currency;
        int mixed = 0;
        m_paket.GetFirstText1(currency, &mixed);
        out.mixedCurrencies = mixed != 0;
        if (!out.mixedCurrencies) {
            m_paket.CalcPositionPrices1(settings);
            m_paket.CalcPrices1(settings);
        }
    } else if (keepContent == 1 && m_pBasketPackage) {
        m_paket.CopyFrom(*m_pBasketPackage);
        m_pBasketPackage.reset();
        m_bHanded = false;
    }
    out.factor = ShownFactor(m_paket);
    return out;
}
