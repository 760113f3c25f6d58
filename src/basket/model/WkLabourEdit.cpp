#include "basket/model/WkLabourEdit.h"

#include "packages/model/Position.h"

CWkLabourEdit CWkLabourEdit::FromPosition(const CPosition &p)
{
    CWkLabourEdit e;
    e.Number = p.Number;
    e.AwText1 = p.AwText1;
    e.AwText2 = p.AwText2;
    e.AwText3 = p.AwText3;
    e.AwText4 = p.AwText4;
    e.KlammerText1 = p.KlammerText1;
    e.KlammerText2 = p.KlammerText2;
    e.KlammerText3 = p.KlammerText3;
    e.KlammerText4 = p.KlammerText4;
    e.Lackstufe = p.Lackstufe;
    e.Flaeche = p.Flaeche;
    e.R = p.R;
    e.U = p.U;
    e.M = p.M;
    e.AuftragsArt = p.AuftragsArt;
    if (p.Az == TypedValueMarker()) {
        e.AzField = p.Quantity;
    } else {
        e.AzField = p.Az;
        e.ValueField = p.Quantity;
    }
    return e;
}

void CWkLabourEdit::ApplyTo(CPosition &p) const
{
    p.AuftragsArt = AuftragsArt;
    const QString az = CPosition::AzMarker();
    const bool wasByTime = p.Az == az || p.Az == TypedValueMarker();
    if (wasByTime && AzField != az) {
        p.Quantity = AzField;
        p.Az = TypedValueMarker();
    } else {
        p.Az = AzField;
        p.Quantity = ValueField;
    }
    p.AwText1 = AwText1;
    p.AwText2 = AwText2;
    p.AwText3 = AwText3;
    p.AwText4 = AwText4;
    p.KlammerText1 = KlammerText1;
    p.KlammerText2 = KlammerText2;
    p.KlammerText3 = KlammerText3;
    p.KlammerText4 = KlammerText4;
}
