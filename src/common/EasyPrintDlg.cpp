#include "common/EasyPrintDlg.h"

#include "common/EasyPrintPages.h"
#include "common/EasyPrintRecord.h"
#include "common/Layout.h"
#include "common/OwnButton.h"
#include "common/PrintService.h"
#include "platform/AppPaths.h"
#include "platform/FileErrorText.h"
#include "platform/InputDrop.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/WholeFile.h"

#include <cerrno>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <memory>
#include <thread>

// The preview area: paints and takes clicks through its dialog.
class CEasyPrintPreview : public QWidget
{
public:
    explicit CEasyPrintPreview(CEasyPrintDlg *dlg) : QWidget(dlg), m_pDlg(dlg)
    {
        setObjectName(QStringLiteral("preview"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_pDlg->PaintPreview(painter, rect());
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_pDlg->ClickPreview(event->position().toPoint());
    }

private:
    CEasyPrintDlg *m_pDlg;
};

namespace {

// Page numbers stand 3 mm below the document area; the area is 7 mm lower
// while they are on.
constexpr int kPageNumberSpaceMm = 7;
constexpr int kPageNumberGapMm = 3;
// The resolution of the PDF pages (dots per inch); text and lines stay vectors.
constexpr int kPdfResolution = 1200;
// "The PDF file <path> was written but cannot be shown: <reason>".
constexpr int kPdfNotShownText = 7097;
// The PDF writer failed without a file error.
constexpr int kTextNoPdfPages = 7168;
constexpr int kTextNoFolder = 7169; // the folder
// No program on this computer opens PDF files.
constexpr int kTextNoViewer = 7319;
// The print service takes no job for the printer: nothing was printed.
constexpr int kTextPrinterUnreachable = 7320;
// The printer did not take the whole job.
constexpr int kTextPrintFailed = 7321;
// The print service is asked about the printer (the wait's window).
constexpr int kTextAskingPrintService = 7322;
// The printer is paused: the job waits there until it goes on.
constexpr int kTextPrinterPaused = 7323;
// The printer's queue refuses jobs: nothing was printed.
constexpr int kTextPrinterRefuses = 7324;
// The print service is asked which printers there are (the wait's window).
constexpr int kTextAskingForPrinters = 7325;
// The print service does not answer: no printer can be chosen now.
constexpr int kTextServiceSilent = 7326;
// The job is handed to the print service (the wait's window).
constexpr int kTextHandingOver = 7327;
// How long the service is asked before the wait's window shows.
constexpr int kShowWaitAfterMs = 500;
// The options the print library hands the print service with a job; a page
// range chosen in the print dialog is one of them ("page-ranges"), and the
// service would pick those pages out of the pages the engine already picked.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Runs `work` on a thread of its own; the flag is set when it has ended.
// The thread may outlive every wait for it (a question that hangs): `work`
// owns what it writes to.
std::shared_ptr<std::atomic<bool>> runOnThread(std::function<void()> work)
{
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread([done, work = std::move(work)] {
        work();
        done->store(true);
    }).detach();
    return done;
}

// Waits for the print service asked on a thread of its own until `done`:
// a service that hangs cannot freeze the window. The window keeps painting,
// the adviser's clicks and keys are dropped, and after half a second a
// small window says what is waited for (`text`). The wait ends a second
// after the service's bound at the latest; false when it ended so.
bool waitForPrintService(QWidget *owner, const QString &text, int boundMs,
                         const std::atomic<bool> &done)
{
    if (done.load())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &done] {
        if (done.load())
            loop.quit();
    });
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    std::unique_ptr<QDialog> shown;
    QTimer show;
    show.setSingleShot(true);
    QObject::connect(&show, &QTimer::timeout, &loop, [&shown, owner, &text] {
        shown = std::make_unique<QDialog>(owner, Qt::Dialog | Qt::CustomizeWindowHint |
                                                     Qt::WindowTitleHint);
        shown->setObjectName(QStringLiteral("printServiceWait"));
        shown->setWindowTitle(kMsgBoxTitle);
        auto *layout = new QVBoxLayout(shown.get());
        auto *label = new QLabel(text, shown.get());
        label->setObjectName(QStringLiteral("printServiceWaitText"));
        layout->addWidget(label);
        shown->adjustSize();
        if (owner)
            shown->move(owner->frameGeometry().center() - shown->rect().center());
        shown->show();
    });
    const CInputDrop wait;
    poll.start();
    bound.start(boundMs + 1000);
    show.start(kShowWaitAfterMs);
    loop.exec();
    return done.load();
}

// What the print service says about the printer now. Asked anew before each
// print: a printer chosen while the service ran is gone from it when the
// service stops (or the queue is removed), though the printer object keeps
// its name, and a job handed to it then is lost without a word.
PrintQueueState AskPrintServiceWaiting(const QPrinter &printer, QWidget *owner, int boundMs)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return PrintQueueState::Ready;
    const QString name = printer.printerName();
    auto answer = std::make_shared<std::atomic<int>>(int(PrintQueueState::NoAnswer));
    const auto done = runOnThread(
        [answer, name, boundMs] { answer->store(int(AskPrintService(name, boundMs))); });
    waitForPrintService(owner, OrmelTextArgs(kTextAskingPrintService, {name}), boundMs, *done);
    return PrintQueueState(answer->load());
}

// The printer the pages share when none is given: print setup applies to
// every page for the rest of the run. The print library asks the service
// for it (its default printer, else its first) on the thread that makes it,
// for as long as the library waits: it is made on a thread of its own once
// the service answered. Until then a printer made without the service
// stands in (no printer chosen: the print dialog offers them).
struct ApplicationPrinters
{
    struct Build
    {
        std::unique_ptr<QPrinter> printer;
    };
    std::unique_ptr<QPrinter> shared;
    std::unique_ptr<QPrinter> standIn;
    // The thread making `shared`, while it runs or until its printer is taken.
    std::shared_ptr<Build> build;
    std::shared_ptr<std::atomic<bool>> built;
};

ApplicationPrinters &applicationPrinters()
{
    static ApplicationPrinters printers;
    return printers;
}

QPrinter *applicationPrinter()
{
    ApplicationPrinters &app = applicationPrinters();
    if (app.shared)
        return app.shared.get();
    // Made on the window's thread before any other: it also loads the print
    // support there.
    if (!app.standIn)
        RunWithoutPrintService(
            [&app] { app.standIn = std::make_unique<QPrinter>(QPrinter::HighResolution); });
    return app.standIn.get();
}

// The pages a choice of tiles names, as the print dialog takes them.
QPageRanges PageRangesOfTiles(const std::vector<int> &tiles)
{
    return QPageRanges::fromString(RangeTextFromTiles(tiles));
}

class WaitCursor
{
public:
    WaitCursor()
    {
        if (qobject_cast<QApplication *>(QCoreApplication::instance()))
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (qobject_cast<QApplication *>(QCoreApplication::instance()))
            QApplication::restoreOverrideCursor();
    }
};

// Lets the page draw its whole document once, the way it draws it on the
// printer (the printer's resolution, 0.1 mm units), and keeps that drawing.
std::unique_ptr<CEasyPrintRecord> recordDocument(CEasyPrintVirt *client, int dpi, int pageWidthMm,
                                                 int pageHeightMm, int docWidth, int docHeight)
{
    if (!client)
        return nullptr;
    CLayoutTextJob job;
    const double scale = std::max(dpi, 1) / 254.0;
    const auto pixels = [scale](int extent) {
        return int(std::min(std::ceil(extent * scale), double(INT_MAX)));
    };
    auto record = std::make_unique<CEasyPrintRecord>(QSize(pixels(docWidth), pixels(docHeight)),
                                                     dpi, pageHeightMm * 10 * scale);
    QPainter painter(record.get());
    SetMapModeLoMetric(&painter);
    // The same page as measured, the document's top-left corner on the origin.
    CRect area(0, 0, pageWidthMm * 10, -(pageHeightMm * 10));
    client->PrintPage(&painter, &area, 0);
    painter.end();
    return record;
}

// Shows the part area of the recorded document (0.1 mm) on a painter that
// works in 0.1 mm with y upwards and has its origin where the document point
// (area.left, area.top) belongs. Only the pieces showing in the area are
// drawn: the PDF page of a sheet holds no text of the other sheets.
void playDocument(QPainter &painter, const CEasyPrintRecord *record, const CRect &area)
{
    if (!record)
        return;
    const double scale = record->logicalDpiX() / 254.0;
    const QTransform documentToRecord = QTransform::fromScale(scale, -scale);
    painter.translate(-area.left, -area.top);
    painter.setWorldTransform(documentToRecord.inverted() * painter.worldTransform());
    record->Play(&painter, documentToRecord.mapRect(area.toQRectF()));
}

} // namespace

CEasyPrintDlg::CEasyPrintDlg(CEasyPrintVirt *client, QWidget *parent)
    : QDialog(parent), m_pClient(client), m_strDocName(QStringLiteral("(unbekannt)")),
      m_openDocument([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      m_printerCheck([this](const QPrinter &printer) {
          return AskPrintServiceWaiting(printer, this, m_nServiceBoundMs);
      })
{
    setObjectName(QStringLiteral("EasyPrintDlg"));
    m_pageNumberFont = QFont(QStringLiteral("Arial"));
    m_pageNumberFont.setPixelSize(36); // 3.6 mm on the page
    m_pageNumberFont.setWeight(QFont::Bold);
    BuildControls();
}

CEasyPrintDlg::~CEasyPrintDlg()
{
    // The range field may still have the focus: losing it while the child
    // widgets are destroyed must not reach members that are already gone.
    m_pRange->disconnect(this);
    m_pPreviewArea->viewport()->removeEventFilter(this);
}

void CEasyPrintDlg::BuildControls()
{
    m_pPreview = new CEasyPrintPreview(this);
    // The pages are drawn large enough to be read; the preview scrolls
    // when they do not all fit.
    m_pPreviewArea = new QScrollArea(this);
    m_pPreviewArea->setObjectName(QStringLiteral("previewArea"));
    m_pPreviewArea->setMinimumSize(360, 460);
    m_pPreviewArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pPreviewArea->setWidget(m_pPreview);
    m_pPreviewArea->viewport()->installEventFilter(this);

    auto *printerBox = new QGroupBox(this);
    auto *printerLayout = new QVBoxLayout(printerBox);
    auto *printerCaption = new QLabel(printerBox);
    printerCaption->setObjectName(QStringLiteral("printerCaption"));
    m_pPrinterLabel = new QLabel(printerBox);
    m_pPrinterLabel->setObjectName(QStringLiteral("printerName"));
    m_pSetup = new QPushButton(printerBox);
    m_pSetup->setObjectName(QStringLiteral("printSetup"));
    printerLayout->addWidget(printerCaption);
    printerLayout->addWidget(m_pPrinterLabel);
    printerLayout->addWidget(m_pSetup);

    auto *rangeBox = new QGroupBox(this);
    auto *rangeLayout = new QVBoxLayout(rangeBox);
    auto *rangeCaption = new QLabel(rangeBox);
    rangeCaption->setObjectName(QStringLiteral("rangeCaption"));
    m_pAllPages = new QRadioButton(rangeBox);
    m_pAllPages->setObjectName(QStringLiteral("allPages"));
    m_pSomePages = new QRadioButton(rangeBox);
    m_pSomePages->setObjectName(QStringLiteral("somePages"));
    m_pRange = new QLineEdit(rangeBox);
    m_pRange->setObjectName(QStringLiteral("range"));
    rangeLayout->addWidget(rangeCaption);
    rangeLayout->addWidget(m_pAllPages);
    rangeLayout->addWidget(m_pSomePages);
    rangeLayout->addWidget(m_pRange);

    auto *showBox = new QGroupBox(this);
    auto *showLayout = new QVBoxLayout(showBox);
    auto *showCaption = new QLabel(showBox);
    showCaption->setObjectName(QStringLiteral("showCaption"));
    m_pPageNumbersCheck = new QCheckBox(showBox);
    m_pPageNumbersCheck->setObjectName(QStringLiteral("pageNumbers"));
    showLayout->addWidget(showCaption);
    showLayout->addWidget(m_pPageNumbersCheck);

    // Centring on the page is kept as an option of the engine, but its
    // controls are not offered to the user.
    auto *alignBox = new QGroupBox(this);
    auto *alignLayout = new QVBoxLayout(alignBox);
    m_pCenterHorzCheck = new QCheckBox(alignBox);
    m_pCenterHorzCheck->setObjectName(QStringLiteral("centerHorz"));
    m_pCenterVertCheck = new QCheckBox(alignBox);
    m_pCenterVertCheck->setObjectName(QStringLiteral("centerVert"));
    alignLayout->addWidget(m_pCenterHorzCheck);
    alignLayout->addWidget(m_pCenterVertCheck);
    alignBox->hide();

    m_pPrint = new QPushButton(this);
    m_pPrint->setObjectName(QStringLiteral("print"));
    m_pCancel = new QPushButton(this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));
    // No default button: Enter in the range field must not print. Return
    // presses only the button that has the focus (eventFilter).
    for (QPushButton *button : {m_pSetup, m_pPrint, m_pCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(this);
    }

    auto *side = new QVBoxLayout;
    side->addWidget(printerBox);
    side->addWidget(rangeBox);
    side->addWidget(showBox);
    side->addWidget(alignBox);
    side->addStretch(1);
    side->addWidget(m_pPrint);
    side->addWidget(m_pCancel);
    auto *main = new QHBoxLayout(this);
    main->addWidget(m_pPreviewArea, 1);
    main->addLayout(side);
    // Large enough that a page of the preview is readable at first sight.
    resize(900, 760);

    printerCaption->setText(OrmelText(3079));
    rangeCaption->setText(OrmelText(3082));
    showCaption->setText(OrmelText(3083));
    m_pAllPages->setText(OrmelText(3090));
    m_pSomePages->setText(OrmelText(3091));
    m_pPageNumbersCheck->setText(OrmelText(3092));
    m_pCenterHorzCheck->setText(OrmelText(2026));
    m_pCenterVertCheck->setText(OrmelText(2027));
    m_pSetup->setText(OrmelText(2023));
    m_pPrint->setText(OrmelText(2024));
    m_pCancel->setText(OrmelText(2025));

    connect(m_pSetup, &QPushButton::clicked, this, &CEasyPrintDlg::OnPrintSetup);
    connect(m_pPrint, &QPushButton::clicked, this, &CEasyPrintDlg::OnPrint);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pAllPages, &QRadioButton::clicked, this, &CEasyPrintDlg::OnAllPages);
    connect(m_pSomePages, &QRadioButton::clicked, this, [this] {
        ParseRangeText();
        UpdateRangeText();
    });
    connect(m_pPageNumbersCheck, &QCheckBox::clicked, this, &CEasyPrintDlg::OnPageNumbers);
    connect(m_pCenterHorzCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_bCenterHorz = on;
        m_pPreview->update();
    });
    connect(m_pCenterVertCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_bCenterVert = on;
        m_pPreview->update();
    });
    connect(m_pRange, &QLineEdit::textEdited, this, [this] {
        ParseRangeText();
        m_pPrint->setEnabled(std::find(m_tiles.begin(), m_tiles.end(), 1) != m_tiles.end());
        UpdateRangeRadios();
    });
    connect(m_pRange, &QLineEdit::editingFinished, this, [this] {
        ParseRangeText();
        UpdateRangeText();
        UpdateRangeRadios();
    });
    connect(m_pRange, &QLineEdit::returnPressed, this, [this] { m_pPrint->setFocus(); });
}

int CEasyPrintDlg::DoModal()
{
    OnInitDialog();
    // As large as the screen allows, so that the pages can be read.
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect free = screen->availableGeometry();
        resize(free.size());
        move(free.topLeft());
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    const int result = exec();
    // The drawing is not kept for the life of the page.
    m_pRecord.reset();
    return result;
}

void CEasyPrintDlg::OnInitDialog()
{
    setWindowTitle(OrmelText(3084));
    const QSignalBlocker b1(m_pCenterHorzCheck), b2(m_pCenterVertCheck), b3(m_pPageNumbersCheck);
    m_pCenterHorzCheck->setChecked(m_bCenterHorz);
    m_pCenterVertCheck->setChecked(m_bCenterVert);
    m_pPageNumbersCheck->setChecked(m_bPageNumbers);
    // The preview opens also when the service does not answer: on no printer.
    EnsurePrinter();
    PreparePages();
    UpdateRangeText();
    UpdateRangeRadios();
    m_pPrint->setFocus();
}

QPrinter *CEasyPrintDlg::printer() const
{
    return m_pPrinter ? m_pPrinter : applicationPrinter();
}

bool CEasyPrintDlg::EnsurePrinter(bool tell)
{
    ApplicationPrinters &app = applicationPrinters();
    if (m_pPrinter || app.shared)
        return true;
    // A printer chosen for the stand-in in the print dialog is kept.
    if (QPrinter *standIn = applicationPrinter();
        standIn->outputFormat() == QPrinter::NativeFormat || !standIn->outputFileName().isEmpty()) {
        app.shared = std::move(app.standIn);
        return true;
    }
    // A thread still making it after an earlier wait is waited for again.
    if (!app.build) {
        auto build = std::make_shared<ApplicationPrinters::Build>();
        const int boundMs = m_nServiceBoundMs;
        app.build = build;
        app.built = runOnThread([build, boundMs] {
            // A service that does not answer is not asked by the library.
            if (AskPrintServiceAlive(boundMs) != PrintQueueState::NoAnswer)
                build->printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        });
    }
    const std::shared_ptr<std::atomic<bool>> built = app.built;
    if (waitForPrintService(this, OrmelText(kTextAskingForPrinters), m_nServiceBoundMs, *built)) {
        std::unique_ptr<QPrinter> made = std::move(app.build->printer);
        app.build.reset();
        app.built.reset();
        if (made) {
            app.shared = std::move(made);
            return true;
        }
    }
    if (tell)
        OwnMsgBox(OrmelText(kTextServiceSilent), this, kMsgBoxTitle, MSG_ALIGN_CENTER);
    return false;
}

bool CEasyPrintDlg::ServiceAnswers()
{
    auto answer = std::make_shared<std::atomic<int>>(int(PrintQueueState::NoAnswer));
    const int boundMs = m_nServiceBoundMs;
    const auto done =
        runOnThread([answer, boundMs] { answer->store(int(AskPrintServiceAlive(boundMs))); });
    waitForPrintService(this, OrmelText(kTextAskingForPrinters), boundMs, *done);
    if (PrintQueueState(answer->load()) != PrintQueueState::NoAnswer)
        return true;
    OwnMsgBox(OrmelText(kTextServiceSilent), this, kMsgBoxTitle, MSG_ALIGN_CENTER);
    return false;
}

void CEasyPrintDlg::SetDocumentOpener(std::function<bool(const QUrl &)> opener)
{
    m_openDocument = std::move(opener);
}

void CEasyPrintDlg::SetPrinterCheck(std::function<PrintQueueState(const QPrinter &)> check)
{
    m_printerCheck = std::move(check);
}

void CEasyPrintDlg::SetPageNumbers(int on)
{
    m_bPageNumbers = on ? 1 : 0;
    const QSignalBlocker blocker(m_pPageNumbersCheck);
    m_pPageNumbersCheck->setChecked(m_bPageNumbers);
}

QString CEasyPrintDlg::PdfFilePath() const
{
    const QString folder = m_strPdfFolder.isEmpty()
                               ? JoinPath(LocalAppDataFolder(), QStringLiteral("YAQ2"))
                               : m_strPdfFolder;
    return JoinPath(folder, QStringLiteral("YAQ2.pdf"));
}

bool CEasyPrintDlg::PrinterIsUsable() const
{
    const QPrinter *p = printer();
    if (p->outputFormat() == QPrinter::PdfFormat)
        return !p->outputFileName().isEmpty();
    return !p->printerName().isEmpty();
}

void CEasyPrintDlg::UpdatePrinterName()
{
    const QPrinter *p = printer();
    if (p->outputFormat() == QPrinter::PdfFormat)
        m_strPrinterName =
            p->outputFileName().isEmpty() ? QString() : QFileInfo(p->outputFileName()).fileName();
    else
        m_strPrinterName = p->printerName();
    if (!m_bDirect)
        m_pPrinterLabel->setText(m_strPrinterName.isEmpty() ? OrmelText(3080) : m_strPrinterName);
}

QString CEasyPrintDlg::PrinterTitle() const
{
    const QPrinter *p = printer();
    if (p->outputFormat() == QPrinter::PdfFormat)
        return QDir::toNativeSeparators(p->outputFileName());
    return p->printerName();
}

bool CEasyPrintDlg::ReadyToPrint(std::vector<int> &chosen, DialogPages &pages, bool &paused)
{
    paused = false;
    if (!PrinterIsUsable() && !RunPrintDialog(chosen, pages))
        return false;
    for (;;) {
        const PrintQueueState state =
            m_printerCheck ? m_printerCheck(*printer()) : PrintQueueState::Ready;
        if (state == PrintQueueState::Ready)
            return true;
        if (state == PrintQueueState::Paused) {
            paused = true;
            return true;
        }
        OwnMsgBox(OrmelTextArgs(state == PrintQueueState::Refusing ? kTextPrinterRefuses
                                                                   : kTextPrinterUnreachable,
                                {PrinterTitle()}),
                  this, kMsgBoxTitle, MSG_ALIGN_CENTER);
        // The preview stays open for another printer or the PDF; without it
        // the print dialog offers them, unless the service hangs: the print
        // dialog would wait for it as long as the print library does.
        if (!m_bDirect || state == PrintQueueState::NoAnswer || !RunPrintDialog(chosen, pages))
            return false;
    }
}

bool CEasyPrintDlg::PageChanged() const
{
    const QPrinter *p = printer();
    const QRectF printable = p->pageRect(QPrinter::Millimeter);
    return QSize(int(printable.width()), int(printable.height())) != m_cutPage ||
           p->resolution() != m_nCutResolution;
}

bool CEasyPrintDlg::RunPrintDialog(const std::vector<int> &chosen, DialogPages &pages)
{
    // Qt's dialog asks the print service on this thread, for as long as the
    // print library waits: it opens only while the service answers.
    if (!ServiceAnswers() || !EnsurePrinter())
        return false;
    QPrinter *p = printer();
    const int count = int(chosen.size());
    QPrintDialog dialog(p, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      (count > 0 ? QAbstractPrintDialog::PrintPageRange
                                 : QAbstractPrintDialog::PrintDialogOption(0)));
    // The dialog offers the pages there are and shows those chosen now; a
    // choice it cannot show ("1,3" shows as 1 to 3) stays as it is unless
    // the adviser changes it there.
    const bool all = std::find(chosen.begin(), chosen.end(), 0) == chosen.end();
    QPageRanges shown;
    if (!all) {
        const QPageRanges ranges = PageRangesOfTiles(chosen);
        shown.addRange(ranges.firstPage(), ranges.lastPage());
    }
    if (count > 0) {
        dialog.setMinMax(1, count);
        // With every page chosen the range still names them all: the
        // dialog refuses any "Seiten" while the printer's range is empty.
        QPageRanges every;
        every.addRange(1, count);
        p->setPageRanges(all ? every : shown);
        p->setPrintRange(all ? QPrinter::AllPages : QPrinter::PageRange);
    }
    pages = DialogPages();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // The engine prints the pages chosen: the print service must not pick
    // out of them again.
    QStringList options = p->printEngine()->property(kCupsOptions).toStringList();
    const qsizetype before = options.size();
    for (qsizetype k = 0; k + 1 < options.size();) {
        if (options.at(k) == QLatin1String("page-ranges"))
            options.remove(k, 2);
        else
            k += 2;
    }
    if (options.size() != before)
        p->printEngine()->setProperty(kCupsOptions, options);
    const QPageRanges taken =
        p->printRange() == QPrinter::PageRange ? p->pageRanges() : QPageRanges();
    p->setPrintRange(QPrinter::AllPages);
    p->setPageRanges(QPageRanges());
    if (!accepted)
        return false;
    if (count > 0 && taken != shown) {
        pages.changed = true;
        pages.ranges = taken;
    }
    return true;
}

std::vector<int> CEasyPrintDlg::TilesOfDialogPages(const DialogPages &pages) const
{
    const int count = m_nColumns * m_nRows;
    std::vector<int> tiles(size_t(count), pages.ranges.isEmpty() ? 1 : 0);
    for (int page = 1; page <= count; ++page) {
        if (pages.ranges.contains(page))
            tiles[size_t(page - 1)] = 1;
    }
    // A range past the last page of a page cut anew: every page.
    if (std::find(tiles.begin(), tiles.end(), 1) == tiles.end())
        std::fill(tiles.begin(), tiles.end(), 1);
    return tiles;
}

bool CEasyPrintDlg::PreparePages()
{
    const int oldCount = m_nColumns * m_nRows;
    QPrinter *p = printer();
    m_pRecord.reset();

    UpdatePrinterName();

    const QRectF printable = p->pageRect(QPrinter::Millimeter);
    m_cutPage = QSize(int(printable.width()), int(printable.height()));
    m_nCutResolution = p->resolution();
    m_nPageWidth = int(printable.width());
    m_nPageHeight = int(printable.height()) - (m_bPageNumbers ? kPageNumberSpaceMm : 0);
    if (m_nPageWidth <= 0 || m_nPageHeight <= 0)
        return false;

    // The texts of the document are laid out once to measure it and used
    // again to draw it.
    CLayoutTextJob job;

    // Measure on a stand-in of the printer's resolution: measuring must not
    // start a print job.
    QImage scratch(1, 1, QImage::Format_RGB32);
    const int dpm = qRound(p->resolution() / 0.0254);
    scratch.setDotsPerMeterX(dpm);
    scratch.setDotsPerMeterY(dpm);
    CSize size;
    {
        QPainter painter(&scratch);
        SetMapModeLoMetric(&painter);
        CRect area(0, 0, m_nPageWidth * 10, -(m_nPageHeight * 10));
        if (m_pClient)
            size = m_pClient->PrintPage(&painter, &area, 1);
    }
    m_nDocWidth = std::max(size.cx, 0);
    m_nDocHeight = std::max(-size.cy, 0);
    m_nColumns = TileCount(m_nDocWidth, m_nPageWidth * 10);
    m_nRows = TileCount(m_nDocHeight, m_nPageHeight * 10);
    if (m_nColumns == 0 || m_nRows == 0)
        m_nColumns = m_nRows = 0;

    if (m_nColumns * m_nRows != oldCount || !m_bHaveTiles) {
        m_tiles.assign(size_t(m_nColumns * m_nRows), 1);
        m_bHaveTiles = true;
    }
    if (m_nColumns > 0)
        m_pRecord = recordDocument(m_pClient, p->resolution(), m_nPageWidth, m_nPageHeight,
                                   m_nDocWidth, m_nDocHeight);
    if (!m_bDirect)
        FitPreview();
    return true;
}

QRect CEasyPrintDlg::PreviewViewport(const QRect &area) const
{
    if (m_pPreviewArea && m_pPreview->isVisible())
        return QRect(area.topLeft(), m_pPreviewArea->viewport()->size());
    return area;
}

void CEasyPrintDlg::FitPreview()
{
    const QRect viewport(QPoint(), m_pPreviewArea->viewport()->size());
    const PreviewGeometry g =
        ComputePreviewGeometry(viewport, m_nPageWidth, m_nPageHeight, m_nColumns, m_nRows);
    m_pPreview->resize(g.isEmpty() ? viewport.size() : g.canvasSize);
    m_pPreview->update();
}

bool CEasyPrintDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (m_pPreviewArea && watched == m_pPreviewArea->viewport() && event->type() == QEvent::Resize)
        FitPreview();
    if (event->type() == QEvent::KeyPress &&
        (watched == m_pSetup || watched == m_pPrint || watched == m_pCancel) &&
        ClickOnReturn(static_cast<QKeyEvent *>(event), static_cast<QPushButton *>(watched)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool CEasyPrintDlg::Print(bool toPdf)
{
    m_bDirect = 1;
    bool done = false;
    // The PDF is cut for the printer's page as well, if there is one.
    const bool printerKnown = EnsurePrinter(!toPdf);
    if ((toPdf || printerKnown) && PreparePages()) {
        // Without the preview every page is printed, whatever an earlier
        // preview chose.
        const std::vector<int> every(size_t(m_nColumns * m_nRows), 1);
        done = toPdf ? WriteTiles(every) : PrintTiles(every);
    }
    m_bDirect = 0;
    m_pRecord.reset();
    return done;
}

bool CEasyPrintDlg::PrintPages()
{
    return PrintTiles(m_tiles);
}

bool CEasyPrintDlg::WritePdf()
{
    return WriteTiles(m_tiles);
}

void CEasyPrintDlg::DrawTile(QPainter &painter, int row, int column, int pageNumber, QPointF offset)
{
    const int offsetX = CenterOffset(m_bCenterHorz, m_nColumns, m_nPageWidth, m_nDocWidth);
    const int offsetY = CenterOffset(m_bCenterVert, m_nRows, m_nPageHeight, m_nDocHeight);
    const QTransform pageTransform =
        QTransform::fromScale(painter.device()->logicalDpiX() / 254.0,
                              -painter.device()->logicalDpiY() / 254.0) *
        QTransform::fromTranslate(offset.x(), offset.y());

    painter.save();
    painter.setWorldTransform(pageTransform);
    // A piece reaching over the sheet's edge is cut there.
    painter.setClipRect(QRectF(0, -m_nPageHeight * 10, m_nPageWidth * 10, m_nPageHeight * 10));
    const CRect area = TileRect(row, column, m_nPageWidth, m_nPageHeight, offsetX, offsetY);
    playDocument(painter, m_pRecord.get(), area);
    painter.restore();

    if (m_bPageNumbers) {
        painter.save();
        painter.setWorldTransform(pageTransform);
        painter.setPen(Qt::black);
        const int x = (m_nPageWidth / 2) * 10;
        const int y = -(m_nPageHeight + kPageNumberGapMm) * 10;
        CLayoutHBox box(CRect(x, y, x + m_nPageWidth * 10, y - 100), &painter);
        box.DCDraw(&m_pageNumberFont, QString::number(pageNumber), 1, 0, 0);
        painter.restore();
    }
}

bool CEasyPrintDlg::PrintTiles(const std::vector<int> &tiles)
{
    if (std::find(tiles.begin(), tiles.end(), 1) == tiles.end())
        return false;
    std::vector<int> chosen = tiles;
    DialogPages pages;
    bool paused = false;
    const bool ready = ReadyToPrint(chosen, pages, paused);
    // The preview names the printer the adviser chose on the way.
    UpdatePrinterName();
    if (!ready)
        return false;
    // The print dialog may have set another printer, paper or orientation:
    // the document is cut anew for the page it is printed on. The pages
    // chosen stay when their number stays; else every page is printed (the
    // choice was made on the old pages). Pages chosen in the print dialog
    // are printed as chosen there.
    const int count = m_nColumns * m_nRows;
    if (PageChanged()) {
        if (!PreparePages())
            return false;
        if (m_nColumns * m_nRows != count)
            chosen.assign(size_t(m_nColumns * m_nRows), 1);
    }
    if (pages.changed)
        chosen = TilesOfDialogPages(pages);
    if (!m_bDirect && chosen != m_tiles) {
        m_tiles = chosen;
        m_pPreview->update();
        UpdateRangeText();
        UpdateRangeRadios();
    }

    QPrinter *p = printer();
    if (p->outputFormat() == QPrinter::NativeFormat)
        return HandOverTiles(chosen, paused);
    WaitCursor wait;
    if (!m_pRecord)
        m_pRecord = recordDocument(m_pClient, p->resolution(), m_nPageWidth, m_nPageHeight,
                                   m_nDocWidth, m_nDocHeight);
    p->setDocName(m_strDocName);
    QPainter painter;
    bool ok = painter.begin(p);
    bool first = true;
    int pageNumber = 0;
    for (int row = 0; ok && row < m_nRows; ++row) {
        for (int column = 0; ok && column < m_nColumns; ++column) {
            ++pageNumber; // every tile counts, chosen or not
            if (chosen[size_t(row * m_nColumns + column)] != 1)
                continue;
            if (!first && !p->newPage()) {
                ok = false;
                break;
            }
            first = false;
            DrawTile(painter, row, column, pageNumber, QPointF());
        }
    }
    if (painter.isActive() && !painter.end())
        ok = false;
    if (!ok || p->printerState() == QPrinter::Error) {
        OwnMsgBox(OrmelTextArgs(kTextPrintFailed, {PrinterTitle()}), this, kMsgBoxTitle,
                  MSG_ALIGN_CENTER);
        return false;
    }
    if (paused)
        OwnMsgBox(OrmelTextArgs(kTextPrinterPaused, {PrinterTitle()}), this, kMsgBoxTitle,
                  MSG_ALIGN_CENTER);
    return true;
}

bool CEasyPrintDlg::RenderPdf(const std::vector<int> &tiles, const QPageLayout &paper,
                              QByteArray &pdf)
{
    // The printer's unprintable margin: the PDF page shows the tile where the
    // printer would put it.
    const QPrinter *p = printer();
    const QRect paperRect = p->paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = p->pageRect(QPrinter::DevicePixel).toRect();
    const QPointF offsetPt =
        PhysicalOffsetPoints(page.left() - paperRect.left(), page.top() - paperRect.top(),
                             p->logicalDpiX(), p->logicalDpiY());
    const QPointF offset(offsetPt.x() * kPdfResolution / 72.0,
                         offsetPt.y() * kPdfResolution / 72.0);

    if (!m_pRecord)
        m_pRecord = recordDocument(m_pClient, p->resolution(), m_nPageWidth, m_nPageHeight,
                                   m_nDocWidth, m_nDocHeight);

    // The pages are made in memory and then written whole: a disk that fills
    // up shows in that one write, with its reason, and the old file stays.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool ok = true;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(paper);
        writer.setTitle(m_strDocName);
        writer.setCreator(QStringLiteral("YAQ2"));
        QPainter painter;
        ok = painter.begin(&writer);
        bool first = true;
        int pageNumber = 0;
        for (int row = 0; ok && row < m_nRows; ++row) {
            for (int column = 0; ok && column < m_nColumns; ++column) {
                ++pageNumber;
                if (tiles[size_t(row * m_nColumns + column)] != 1)
                    continue;
                if (!first && !writer.newPage()) {
                    ok = false;
                    break;
                }
                first = false;
                DrawTile(painter, row, column, pageNumber, offset);
            }
        }
        if (painter.isActive() && !painter.end())
            ok = false;
    }
    pdf = buffer.data();
    return ok;
}

bool CEasyPrintDlg::HandOverTiles(const std::vector<int> &tiles, bool paused)
{
    QPrinter *p = printer();
    const QPageLayout layout = p->pageLayout();
    const QString name = p->printerName();
    // The job is the PDF "PDF erzeugen" writes, on the printer's paper.
    QByteArray pdf;
    {
        WaitCursor wait;
        if (!RenderPdf(tiles,
                       QPageLayout(layout.pageSize(), layout.orientation(), QMarginsF(0, 0, 0, 0),
                                   QPageLayout::Point),
                       pdf)) {
            OwnMsgBox(OrmelTextArgs(kTextPrintFailed, {name}), this, kMsgBoxTitle,
                      MSG_ALIGN_CENTER);
            return false;
        }
    }
    // The options the print library handed over with a job of this printer.
    std::vector<PrintJobOption> options;
    options.push_back({"media", layout.pageSize().key().toUtf8()});
    if (p->copyCount() > 1) {
        options.push_back({"copies", QByteArray::number(p->copyCount())});
        if (p->collateCopies())
            options.push_back({"Collate", "True"});
    }
    switch (p->duplex()) {
    case QPrinter::DuplexNone:
        options.push_back({"sides", "one-sided"});
        break;
    case QPrinter::DuplexAuto:
        options.push_back({"sides", layout.orientation() == QPageLayout::Portrait
                                        ? "two-sided-long-edge"
                                        : "two-sided-short-edge"});
        break;
    case QPrinter::DuplexLongSide:
        options.push_back({"sides", "two-sided-long-edge"});
        break;
    case QPrinter::DuplexShortSide:
        options.push_back({"sides", "two-sided-short-edge"});
        break;
    }
    if (layout.orientation() == QPageLayout::Landscape)
        options.push_back({"landscape", ""});
    // What the print dialog chose for the printer (its own settings); the
    // pages are chosen already.
    const QStringList chosen = p->printEngine()->property(kCupsOptions).toStringList();
    for (qsizetype k = 0; k + 1 < chosen.size(); k += 2) {
        if (chosen.at(k) != QLatin1String("page-ranges"))
            options.push_back({chosen.at(k).toUtf8(), chosen.at(k + 1).toUtf8()});
    }

    // Handed over on a thread of its own: a service that stops answering
    // holds the window no longer than the bound.
    struct Handing
    {
        PrintJobAnswer answer;
    };
    auto handing = std::make_shared<Handing>();
    const QString title = m_strDocName;
    const int boundMs = m_nServiceBoundMs;
    const auto done = runOnThread([handing, name, title, pdf, options, boundMs] {
        handing->answer = HandPrintJobOver(name, title, pdf, options, boundMs);
    });
    PrintJobAnswer answer;
    answer.state = PrintQueueState::NoAnswer;
    if (waitForPrintService(this, OrmelTextArgs(kTextHandingOver, {name}), boundMs, *done))
        answer = handing->answer;
    if (!answer.Taken()) {
        // A job numbered but not taken whole never prints.
        const int text = answer.jobId > 0                            ? kTextPrintFailed
                         : answer.state == PrintQueueState::Refusing ? kTextPrinterRefuses
                                                                     : kTextPrinterUnreachable;
        OwnMsgBox(OrmelTextArgs(text, {name}), this, kMsgBoxTitle, MSG_ALIGN_CENTER);
        return false;
    }
    m_nLastJobId = answer.jobId;
    if (paused)
        OwnMsgBox(OrmelTextArgs(kTextPrinterPaused, {name}), this, kMsgBoxTitle, MSG_ALIGN_CENTER);
    return true;
}

void CEasyPrintDlg::ShowPdfError(const QString &path, const QString &reason)
{
    OwnMsgBox(OrmelTextArgs(7091, {PathForMessage(path), reason}), this, kMsgBoxTitle,
              MSG_ALIGN_CENTER);
}

bool CEasyPrintDlg::WriteTiles(const std::vector<int> &tiles)
{
    if (std::find(tiles.begin(), tiles.end(), 1) == tiles.end())
        return false;
    WaitCursor wait;

    const QString path = PdfFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    QString reason;
    if (!MakeFolderPath(folder, &reason)) {
        ShowPdfError(path, OrmelTextArgs(kTextNoFolder, {PathForMessage(folder)}) +
                               QLatin1Char('\n') + reason);
        return false;
    }
    // A file that cannot be replaced: the adviser is asked to close it, and
    // told what is in the way.
    if (const int error = FileNotReplaceableError(path)) {
        OwnMsgBox(OrmelTextArgs(7023, {PathForMessage(path)}) + QLatin1Char('\n') +
                      FileErrorText(QFileDevice::OpenError, error),
                  this, kMsgBoxTitle, MSG_ALIGN_CENTER);
        return false;
    }

    QByteArray pdf;
    if (!RenderPdf(tiles,
                   QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                               QMarginsF(0, 0, 0, 0), QPageLayout::Point),
                   pdf)) {
        ShowPdfError(path, OrmelText(kTextNoPdfPages));
        return false;
    }
    if (!WriteWholeFile(path, pdf, &reason)) {
        ShowPdfError(path, reason);
        return false;
    }

    // Without a viewer the adviser still learns where the file lies.
    if (m_openDocument && !m_openDocument(QUrl::fromLocalFile(path)))
        OwnMsgBox(OrmelTextArgs(kPdfNotShownText, {PathForMessage(path), OrmelText(kTextNoViewer)},
                                QStringLiteral("%s\n%s")),
                  this, kMsgBoxTitle, MSG_ALIGN_CENTER);
    return true;
}

void CEasyPrintDlg::ShowShellError(int code)
{
    OwnMsgBox(ShellErrorText(code), this, kMsgBoxTitle, MSG_ALIGN_CENTER);
}

void CEasyPrintDlg::PaintPreview(QPainter &painter, const QRect &area)
{
    const QColor lightGrey(192, 192, 192);
    painter.setPen(lightGrey);
    painter.setBrush(lightGrey);
    painter.drawRect(area.adjusted(2, 2, -3, -3));

    const PreviewGeometry g = ComputePreviewGeometry(PreviewViewport(area), m_nPageWidth,
                                                     m_nPageHeight, m_nColumns, m_nRows);
    if (g.isEmpty())
        return;

    painter.setPen(QColor(128, 128, 128));
    for (int column = 0; column < m_nColumns; ++column) {
        for (int row = 0; row < m_nRows; ++row) {
            const bool chosen = m_tiles[size_t(row * m_nColumns + column)] == 1;
            painter.setBrush(chosen ? QColor(Qt::white) : lightGrey);
            const QRect r = PreviewTileRect(g, row, column);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }

    if (m_bSheetPreview) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(14);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetrics fm(font);
        for (int column = 0; column < m_nColumns; ++column) {
            for (int row = 0; row < m_nRows; ++row) {
                const QRect r = PreviewTileRect(g, row, column);
                const QString number = QString::number(column + m_nColumns * row + 1);
                const QSize need = fm.size(0, number);
                if (need.width() * 3 <= r.width() * 2 && need.height() * 3 <= r.height() * 2)
                    painter.drawText(r, Qt::AlignCenter, number);
            }
        }
        QPen red(Qt::red);
        red.setStyle(Qt::DashLine);
        painter.setPen(red);
        painter.setBrush(QBrush(Qt::red, Qt::FDiagPattern));
        painter.drawRect(
            QRectF(g.origin, QSizeF(m_nDocWidth * g.scale / 10.0, m_nDocHeight * g.scale / 10.0)));
        return;
    }

    // The document itself, scaled into the grid (centring is not shown).
    painter.save();
    painter.setClipRect(QRect(g.origin, g.gridSize));
    painter.setWorldTransform(QTransform::fromScale(g.scale / 10.0, -g.scale / 10.0) *
                              QTransform::fromTranslate(g.origin.x(), g.origin.y()));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    if (!m_pRecord)
        m_pRecord = recordDocument(m_pClient, printer()->resolution(), m_nPageWidth, m_nPageHeight,
                                   m_nDocWidth, m_nDocHeight);
    const CRect all(0, 0, m_nColumns * m_nPageWidth * 10, -(m_nRows * m_nPageHeight * 10));
    playDocument(painter, m_pRecord.get(), all);
    painter.restore();
}

void CEasyPrintDlg::ClickPreview(const QPoint &pos)
{
    const PreviewGeometry g = ComputePreviewGeometry(
        PreviewViewport(m_pPreview->rect()), m_nPageWidth, m_nPageHeight, m_nColumns, m_nRows);
    const int index = PreviewHitTile(g, pos, m_nColumns, m_nRows);
    if (index < 0)
        return;
    int &flag = m_tiles[size_t(index)];
    flag = flag == 1 ? 0 : 1;
    m_pPreview->update();
    UpdateRangeText();
    UpdateRangeRadios();
}

void CEasyPrintDlg::UpdateRangeText()
{
    const QString text = RangeTextFromTiles(m_tiles);
    if (m_pRange->text() != text) {
        const QSignalBlocker blocker(m_pRange);
        m_pRange->setText(text);
    }
    m_pPrint->setEnabled(!text.isEmpty());
}

void CEasyPrintDlg::ParseRangeText()
{
    m_tiles = TilesFromRangeText(m_pRange->text(), m_nColumns * m_nRows);
    m_pPreview->update();
}

void CEasyPrintDlg::UpdateRangeRadios()
{
    const bool all = std::find(m_tiles.begin(), m_tiles.end(), 0) == m_tiles.end();
    const QSignalBlocker b1(m_pAllPages), b2(m_pSomePages);
    m_pAllPages->setChecked(all);
    m_pSomePages->setChecked(!all);
}

void CEasyPrintDlg::OnAllPages()
{
    std::fill(m_tiles.begin(), m_tiles.end(), 1);
    m_pPreview->update();
    // The range text follows, so that the text never shows a choice that
    // printing would not use.
    UpdateRangeText();
}

void CEasyPrintDlg::OnPageNumbers(bool on)
{
    m_bPageNumbers = on ? 1 : 0;
    if (PreparePages())
        m_pPreview->update();
    UpdateRangeText();
    UpdateRangeRadios();
}

void CEasyPrintDlg::OnPrintSetup()
{
    DialogPages pages;
    if (RunPrintDialog(m_tiles, pages) && PreparePages()) {
        if (pages.changed)
            m_tiles = TilesOfDialogPages(pages);
        m_pPreview->update();
    }
    UpdateRangeText();
    UpdateRangeRadios();
}

void CEasyPrintDlg::OnPrint()
{
    if (PrintPages())
        accept();
}
