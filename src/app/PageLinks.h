#pragma once
// What the pages of the main window hand each other: packages from the list
// to the editing page, to the basket and back; labour positions from the
// catalogue to the basket and their editing; the basket's transfer to the
// dealer system and its print-outs; the basket button's caption.

#include <memory>

class CBasketPrinter;
class CDmsExchange;
class CHeadRowView;
class CPrgSettings;
class CYaq2Dlg;

class CPageLinks
{
public:
    CPageLinks(CYaq2Dlg &window, CHeadRowView &head, CDmsExchange &dms, CPrgSettings *settings);
    ~CPageLinks();

    // Links the pages of the window, once they are created. The pages hold
    // on to what it lends them: it goes after them.
    void Connect();

private:
    CYaq2Dlg &m_window;
    CHeadRowView &m_head;
    CDmsExchange &m_dms;
    CPrgSettings *m_pSettings;
    std::unique_ptr<CBasketPrinter> m_pBasketPrinter;
};
