#include "output/widgets/VxPreviewDialogs.h"

#include "model/CustomVexa.h"
#include "output/VxPrinter.h"
#include "output/VxPrinterMessage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zelmio {

// --- TVxProgressForm ---------------------------------------------------------

TVxProgressForm::TVxProgressForm(TVxPrinter *printer, const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , FInfo(new QLabel(this))
    , FCancelButton(new QPushButton(QStringLiteral("Cancel"), this))
    , FGauge(new QProgressBar(this))
    , FVXPrinter(printer)
{
    setObjectName(QStringLiteral("VXProgressForm"));
    setWindowTitle(caption);
    FInfo->setObjectName(QStringLiteral("Info"));
    FInfo->setAlignment(Qt::AlignCenter);
    FCancelButton->setObjectName(QStringLiteral("CancelButton"));
    FGauge->setObjectName(QStringLiteral("Gauge"));
    FGauge->setRange(0, 100);
    FGauge->setValue(0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FInfo);
    layout->addWidget(FGauge);
    layout->addWidget(FCancelButton, 0, Qt::AlignCenter);
    setMinimumSize(149, 97);
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(FCancelButton, &QPushButton::clicked, this, &TVxProgressForm::CancelButtonClick);
}

bool TVxProgressForm::event(QEvent *event)
{
    if (event->type() == TVxPrinterMessage::EventType()) {
        const auto *message = static_cast<TVxPrinterMessage *>(event);
        if (message->Msg() == CM_VXPROGRESSUPDATE && FVXPrinter) {
            const int progress = FVXPrinter->Progress();
            // Only at multiples of five, so that frequent notices cost little.
            if (progress % 5 == 0) {
                FGauge->setValue(progress);
                FInfo->setText(QString::number(progress) + QStringLiteral("% ") + QStringLiteral(" Completed"));
                QCoreApplication::processEvents();
            }
        }
        return true;
    }
    return QDialog::event(event);
}

void TVxProgressForm::CancelButtonClick()
{
    if (!FVXPrinter)
        return;
    if (auto *report = qobject_cast<TCustomVexa *>(FVXPrinter->ParentReport()))
        report->SetUserCancel(true);
    FVXPrinter->Cancel();
}

// --- TSearchDlg --------------------------------------------------------------

TSearchDlg::TSearchDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , Label1(new QLabel(this))
    , Edit1(new QLineEdit(this))
    , CheckBox1(new QCheckBox(this))
    , SpeedButton1(new QPushButton(this))
    , SpeedButton2(new QPushButton(this))
{
    setObjectName(QStringLiteral("SearchDlg"));
    setWindowTitle(QStringLiteral("Search for Text"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("Search Text"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setText(QStringLiteral("Match case"));
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("Search"));
    SpeedButton2->setDefault(true);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Cancel"));
    Label1->setBuddy(Edit1);
    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Edit1, 0, 1, 1, 2);
    layout->addWidget(CheckBox1, 1, 1, 1, 2);
    layout->addWidget(SpeedButton2, 2, 1);
    layout->addWidget(SpeedButton1, 2, 2);
    resize(305, 118);
    connect(SpeedButton2, &QPushButton::clicked, this, &QDialog::accept);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] {
        cancel = true;
        reject();
    });
}

// --- Print dialog ------------------------------------------------------------

bool ExecutePrintDialog(const TVxPrintDialogRequest &request, TVxPrintDialogChoice &choice)
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    QPrinter printer;
    if (request.printerIndex >= 0 && request.printerIndex < printers.size())
        printer.setPrinterName(printers[request.printerIndex]);
    printer.setPageOrientation(request.orientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                                       : QPageLayout::Portrait);
    printer.setCopyCount(std::max(1, request.copies));
    printer.setDuplex(request.duplexCode == 1 ? QPrinter::DuplexNone : QPrinter::DuplexAuto);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies
                      | QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(std::max(1, request.minPage), std::max(1, request.maxPage));
    if (request.fromPage > 0 && request.toPage >= request.fromPage)
        printer.setFromTo(request.fromPage, request.toPage);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice.printerIndex = int(printers.indexOf(printer.printerName()));
    choice.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
        ? TPrinterOrientation::poLandscape
        : TPrinterOrientation::poPortrait;
    choice.copies = std::max(1, printer.copyCount());
    switch (printer.printRange()) {
    case QPrinter::Selection:
        choice.range = TVxPrintDialogChoice::TRange::Selection;
        break;
    case QPrinter::PageRange:
        choice.range = TVxPrintDialogChoice::TRange::Pages;
        break;
    default:
        choice.range = TVxPrintDialogChoice::TRange::All;
        break;
    }
    choice.fromPage = printer.fromPage();
    choice.toPage = printer.toPage();
    choice.paperSource = request.paperSource;
    choice.paperCode = printer.pageLayout().pageSize().windowsId();
    choice.duplexCode = printer.duplex() == QPrinter::DuplexNone ? 1
        : printer.duplex() == QPrinter::DuplexShortSide       ? 3
                                                              : 2;
    choice.printQuality = printer.resolution();
    choice.collate = printer.collateCopies() ? 1 : 0;
    choice.colorOption = printer.colorMode() == QPrinter::Color ? 2 : 1;
    return true;
}

} // namespace zelmio
