#pragma once
// The print engine of the pages: preview, printing and PDF output of a
// document drawn through CEasyPrintVirt.
//
// The page draws its whole document once, as one long sheet in units of
// 0.1 mm. The engine measures that sheet, cuts it into a grid of printer
// pages (tiles) of the printer's printable size, lets the user choose tiles
// in the preview and then prints the chosen tiles, or writes them as a PDF
// file ("YAQ2.pdf", one A4 portrait page per tile) and opens it with the
// desktop's viewer. Each printing page owns one engine for its whole life, so
// the options chosen in its preview (page numbers, chosen pages) stay for the
// next print-out of that page. Printing or writing the PDF without the
// preview (Print) always takes every page.

#include "common/EasyPrintVirt.h"
#include "common/LayoutRect.h"
#include "common/PrintService.h"

#include <QByteArray>
#include <QDialog>
#include <QFont>
#include <QPageRanges>
#include <QSize>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPageLayout;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollArea;
class CEasyPrintPreview;
class CEasyPrintRecord;

class CEasyPrintDlg : public QDialog
{
    Q_OBJECT

public:
    // client: the page that draws the document (borrowed).
    explicit CEasyPrintDlg(CEasyPrintVirt *client, QWidget *parent = nullptr);
    ~CEasyPrintDlg() override;

    // The preview dialog; the pages call it when the "Preview" setting is on.
    int DoModal();
    // Prints every page, or with toPdf writes every page as PDF and opens it,
    // without the dialog. Returns true when it was done.
    bool Print(bool toPdf);

    // Prepares the dialog's controls from the options and measures the
    // document (DoModal runs it before the dialog shows).
    void OnInitDialog();
    // Measures the document on the printer's page size and cuts it into tiles.
    // The tile choice stays when the number of tiles is unchanged, else every
    // tile is chosen. False when the printer has no usable page.
    bool PreparePages();
    // Prints the tiles chosen in the preview; false, with the reason told,
    // when the job did not reach the printer. On a printer of the print
    // service it is printed when the service took the job (gave it a
    // number): the document goes to the service as the PDF "PDF erzeugen"
    // writes, on the printer's paper, handed over on a thread of its own
    // within the service's bound. A page set up at the print
    // dialog on the way is printed on: the document is cut anew for it, and
    // the tiles chosen stay when their number stays, else every tile is
    // printed. Pages chosen in the print dialog are printed as chosen there.
    // A paused printer takes the job and holds it: the adviser is told.
    bool PrintPages();
    // Writes the tiles chosen in the preview as PDF and opens it; false when
    // no file was written.
    bool WritePdf();

    // Options.
    void SetDocName(const QString &name) { m_strDocName = name; }
    QString DocName() const { return m_strDocName; }
    int PageNumbers() const { return m_bPageNumbers; }
    void SetPageNumbers(int on);
    // Pages whose documents are wide tables (the labour-value catalogue, the
    // maintenance topics) preview numbered sheets with the document's extent
    // instead of the document itself.
    void SetSheetPreview(bool on) { m_bSheetPreview = on; }
    // The folder of "YAQ2.pdf": the settings' LocalFolder; when none is set,
    // "YAQ2" in the user's local application-data folder.
    void SetPdfFolder(const QString &folder) { m_strPdfFolder = folder; }
    QString PdfFilePath() const;
    // The printer to print on (borrowed); null means the application's
    // printer, shared by every page, whose print setup is kept for the run.
    void SetPrinter(QPrinter *printer) { m_pPrinter = printer; }
    QPrinter *printer() const;
    // Opens the written PDF; the desktop's viewer unless replaced.
    void SetDocumentOpener(std::function<bool(const QUrl &)> opener);
    // What the print service says about the printer now (asked right before
    // each print, with a bound, the window painting meanwhile); the service
    // itself unless replaced. A printer writing into a file needs no service.
    void SetPrinterCheck(std::function<PrintQueueState(const QPrinter &)> check);
    // How long the print service is given for each question and for taking
    // a job (milliseconds).
    void SetServiceBound(int ms) { m_nServiceBoundMs = ms; }
    // The number the print service gave the last job it took from this
    // engine; 0 before.
    int LastJobId() const { return m_nLastJobId; }

    // The grid as measured by PreparePages.
    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    int PageWidthMm() const { return m_nPageWidth; }
    int PageHeightMm() const { return m_nPageHeight; }
    CSize DocSize() const { return CSize(m_nDocWidth, m_nDocHeight); }
    QString PrinterName() const { return m_strPrinterName; }
    // One flag per tile, row by row (1 = chosen).
    const std::vector<int> &TileFlags() const { return m_tiles; }

    // The preview's painting and clicks (the preview area's coordinates).
    void PaintPreview(QPainter &painter, const QRect &area);
    void ClickPreview(const QPoint &pos);

    void UpdateRangeText();
    void ParseRangeText();
    void UpdateRangeRadios();
    void ShowShellError(int code);

protected:
    // The preview's canvas follows the size of its visible area.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildControls();
    // The area the preview's pages are fitted into: the visible part of the
    // scrolling preview while it is shown, else the area painted.
    QRect PreviewViewport(const QRect &area) const;
    // Sizes the preview's canvas to hold the grid at its scale.
    void FitPreview();
    void OnAllPages();
    void OnPageNumbers(bool on);
    void OnPrintSetup();
    void OnPrint();
    // The page choice made in the print dialog: changed when the adviser
    // chose other pages there than those shown; no ranges: every page.
    struct DialogPages
    {
        bool changed = false;
        QPageRanges ranges;
    };
    // Qt's print dialog, offering the pages of the choice `chosen` (one flag
    // per tile) and showing it; false when cancelled.
    bool RunPrintDialog(const std::vector<int> &chosen, DialogPages &pages);
    // The tiles a page choice of the print dialog names, for the tiles cut now.
    std::vector<int> TilesOfDialogPages(const DialogPages &pages) const;
    bool PrinterIsUsable() const;
    // Makes the application's printer where none is given, once the print
    // service answered (on a thread of its own, the window painting); false,
    // with the reason told when `tell`, when the service did not answer: a
    // printer made without it stands in.
    bool EnsurePrinter(bool tell = true);
    // Whether the print service answers now (asked on a thread of its own);
    // the adviser is told when it does not.
    bool ServiceAnswers();
    // A printer that is chosen and takes jobs; tells the adviser why not.
    // paused: the printer holds the job until it goes on.
    bool ReadyToPrint(std::vector<int> &chosen, DialogPages &pages, bool &paused);
    // The printer's name for the preview (the file's name for a PDF file).
    void UpdatePrinterName();
    // The name of the printer (or the file) in a message.
    QString PrinterTitle() const;
    // The page the printer prints on now differs from the one the document
    // was cut for.
    bool PageChanged() const;
    bool PrintTiles(const std::vector<int> &tiles);
    bool WriteTiles(const std::vector<int> &tiles);
    // The tiles as PDF pages of `paper`, each where the printer puts it.
    bool RenderPdf(const std::vector<int> &tiles, const QPageLayout &paper, QByteArray &pdf);
    // Hands the tiles to the printer's print service as one PDF job; true
    // when the service took it. paused: the queue holds it (told).
    bool HandOverTiles(const std::vector<int> &tiles, bool paused);
    void ShowPdfError(const QString &path, const QString &reason);
    // Draws one tile (and its page number) on a painter whose origin is the
    // top-left corner of the printable area; offset moves it further (pixels).
    void DrawTile(QPainter &painter, int row, int column, int pageNumber, QPointF offset);

    CEasyPrintVirt *m_pClient;
    QString m_strPrinterName;
    QString m_strDocName;
    int m_nPageWidth = 0;  // mm
    int m_nPageHeight = 0; // mm, 7 mm less with page numbers
    int m_nColumns = 0;
    int m_nRows = 0;
    int m_bCenterHorz = 0;
    int m_bCenterVert = 0;
    int m_bPageNumbers = 0;
    int m_bDirect = 0;
    bool m_bSheetPreview = false;
    int m_nServiceBoundMs = kPrintServiceBoundMs;
    int m_nLastJobId = 0;
    // The printable page (0.1 mm) and resolution the tiles were cut for.
    QSize m_cutPage;
    int m_nCutResolution = 0;
    int m_nDocWidth = 0;  // 0.1 mm
    int m_nDocHeight = 0; // 0.1 mm, positive
    std::vector<int> m_tiles;
    bool m_bHaveTiles = false;
    // The document as drawn once for the sheets of the print-out and the
    // preview (null until drawn, and again after the print-out).
    std::unique_ptr<CEasyPrintRecord> m_pRecord;
    QFont m_pageNumberFont;
    QString m_strPdfFolder;
    QPrinter *m_pPrinter = nullptr;
    std::function<bool(const QUrl &)> m_openDocument;
    std::function<PrintQueueState(const QPrinter &)> m_printerCheck;

    QLabel *m_pPrinterLabel = nullptr;
    CEasyPrintPreview *m_pPreview = nullptr;
    QScrollArea *m_pPreviewArea = nullptr;
    QRadioButton *m_pAllPages = nullptr;
    QRadioButton *m_pSomePages = nullptr;
    QLineEdit *m_pRange = nullptr;
    QCheckBox *m_pPageNumbersCheck = nullptr;
    QCheckBox *m_pCenterHorzCheck = nullptr;
    QCheckBox *m_pCenterVertCheck = nullptr;
    QPushButton *m_pSetup = nullptr;
    QPushButton *m_pPrint = nullptr;
    QPushButton *m_pCancel = nullptr;
};
