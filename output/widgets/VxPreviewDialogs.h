#pragma once
// The preview's small windows: the progress window the engine shows while it
// prints or exports, the text search dialog, and the print dialog wrapper
// behind the report's printer setup.

#include "output/VxPrintDialog.h"
#include "output/VxPrinter.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zelmio {

class TVxPrinter;

// "Printing progress": follows the printer's progress notices (it is the
// printer's client while shown); Cancel stops the run.
class TVxProgressForm : public QDialog {
    Q_OBJECT
public:
    TVxProgressForm(TVxPrinter *printer, const QString &caption, QWidget *parent = nullptr);

    QLabel *Info() const { return FInfo; }
    QProgressBar *Gauge() const { return FGauge; }
    QPushButton *CancelButton() const { return FCancelButton; }

protected:
    bool event(QEvent *event) override;

private:
    void CancelButtonClick();

    QLabel *FInfo;
    QPushButton *FCancelButton;
    QProgressBar *FGauge;
    QPointer<TVxPrinter> FVXPrinter;
};

// "Search for Text": the text, "Match case", and the buttons Search and
// Cancel. cancel is true only when the dialog was left with Cancel.
class TSearchDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSearchDlg(QWidget *parent = nullptr);

    QLabel *Label1;
    QLineEdit *Edit1;
    QCheckBox *CheckBox1;
    QPushButton *SpeedButton1; // cancel
    QPushButton *SpeedButton2; // search
    bool cancel = false;
};

// Shows the platform print dialog for the request; true and the choice
// filled when the user confirmed.
bool ExecutePrintDialog(const TVxPrintDialogRequest &request, TVxPrintDialogChoice &choice);

} // namespace zelmio
