// The real dialogs of the expression functions: the input dialog itself,
// and the silent answers when no display is there to show them.
#include "designer/ExtendedFunctions.h"
#include "designer/widgets/ExtendedFunctionDialogs.h"
#include "expr/VxEvaluator.h"
#include "expr/VxFunctionLibrary.h"
#include "expr/VxScript.h"
#include "expr/VxUserDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// Acts on the input dialog once it is up: checks what it shows, then types
// the answer and presses the button.
void AnswerInputBox(const QString &answer, const QString &button, QStringList &seen)
{
    QTimer::singleShot(0, [answer, button, &seen] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto *edit = dialog->findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        seen << dialog->windowTitle() << dialog->findChild<QLabel *>()->text() << edit->selectedText()
             << QString::number(edit->maxLength());
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        edit->setText(answer);
        for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
            if (b->text() == button)
                b->click();
        }
    });
}

} // namespace

TEST(ExtendedFunctionDialogs, InputBoxShowsTheValueAndGivesTheAnswer)
{
    QStringList seen;
    QString text = QStringLiteral("12");
    AnswerInputBox(QStringLiteral("15"), QStringLiteral("OK"), seen);
    EXPECT_TRUE(ShowVxInputBox(QStringLiteral("Daudzums"), QStringLiteral("Cik?"), text));
    EXPECT_EQ(text, QStringLiteral("15"));
    EXPECT_EQ(seen, (QStringList{"Daudzums", "Cik?", "12", "255"}));

    seen.clear();
    AnswerInputBox(QStringLiteral("99"), QStringLiteral("Cancel"), seen);
    EXPECT_FALSE(ShowVxInputBox(QStringLiteral("Daudzums"), QStringLiteral("Cik?"), text));
    EXPECT_EQ(text, QStringLiteral("15"));
}

TEST(ExtendedFunctionDialogs, WithoutADisplayTheInstalledDialogsAnswerSilently)
{
    // The test platform is offscreen: nothing may be shown or waited for.
    InstallExtendedFunctionDialogs();
    ASSERT_TRUE(GlobalUserDialogs().MessageBox);
    RegisterFirstExtendedLibrary(*VxFunctionLibrary());
    RegisterSecondExtendedLibrary(*VxFunctionLibrary());
    SetVxDScriptVar(QStringLiteral("Answer"), TVxEvResult::Int(5));
    TVxEvaluator evaluator;
    for (const char *box : {"OKBOX('a')", "OKCANCELBOX('a')", "YESNOBOX('a')"})
        EXPECT_TRUE(evaluator.Calculate(QLatin1String(box)).booResult) << box;
    const TVxEvResult input = evaluator.Calculate(QStringLiteral("INPUTBOX('T', 'P', 'Answer')"));
    EXPECT_EQ(input.Kind, TVxEvResultType::resBool);
    EXPECT_FALSE(input.booResult);
    EXPECT_EQ(FindVxDScriptVar(QStringLiteral("Answer"))->Value.intResult, 5);
    GlobalUserDialogs() = {};
    FreeScriptVars();
}
