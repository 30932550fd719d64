#include "designer/widgets/ExtendedFunctionDialogs.h"

#include "expr/VxUserDialogs.h"
#include "platform/HeadlessPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QThread>

namespace zelmio {

namespace {

constexpr int kMaxInputLength = 255;

// Whether a dialog can be shown now: an application with widgets, a
// display, and the user-interface thread. A report running on a worker
// thread takes the silent answers: waiting there for the window thread
// could wait forever while that thread waits for the run to end (a report
// that is freed waits for its worker).
bool CanShowDialogs()
{
    QCoreApplication *app = QCoreApplication::instance();
    return qobject_cast<QApplication *>(app) && !RunningHeadless() && QThread::currentThread() == app->thread();
}

bool ShowMessage(TVxMessageBoxKind kind, const QString &text)
{
    // The silent answers, as without any dialog.
    if (!CanShowDialogs())
        return true;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton yes = QMessageBox::Ok;
    if (kind == TVxMessageBoxKind::OkCancel)
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
    if (kind == TVxMessageBoxKind::YesNo) {
        buttons = QMessageBox::Yes | QMessageBox::No;
        yes = QMessageBox::Yes;
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text, buttons);
    box.setDefaultButton(yes);
    return box.exec() == yes;
}

bool AskInput(const QString &title, const QString &prompt, QString &text)
{
    if (!CanShowDialogs())
        return false;
    return ShowVxInputBox(title, prompt, text);
}

} // namespace

bool ShowVxInputBox(const QString &title, const QString &prompt, QString &text)
{
    QDialog dialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    dialog.setWindowTitle(title);
    dialog.setModal(true);

    // Dialog units: a quarter of the average character width and an eighth
    // of the character height of the dialog's font.
    const QFontMetrics metrics(dialog.font());
    const int unitX = std::max(1, metrics.averageCharWidth());
    const int unitY = std::max(1, metrics.height());
    auto x = [unitX](int du) { return du * unitX / 4; };
    auto y = [unitY](int du) { return du * unitY / 8; };

    auto *label = new QLabel(prompt, &dialog);
    label->setGeometry(x(8), y(8), x(164), y(10));
    auto *edit = new QLineEdit(&dialog);
    edit->setMaxLength(kMaxInputLength);
    edit->setText(text.left(kMaxInputLength));
    edit->setGeometry(x(8), y(19), x(164), y(12));
    edit->selectAll();
    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    ok->setGeometry(x(38), y(41), x(50), y(14));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setGeometry(x(92), y(41), x(50), y(14));
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    dialog.setFixedSize(x(180), y(63));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
    edit->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    text = edit->text();
    return true;
}

void InstallExtendedFunctionDialogs()
{
    TVxUserDialogs &dialogs = GlobalUserDialogs();
    dialogs.MessageBox = &ShowMessage;
    dialogs.InputBox = &AskInput;
}

} // namespace zelmio
