// The expression builder window driven as an author would: a function call
// composed on its pages with a second builder for an argument, insertions
// at the cursor, steps cancelled, the trial evaluation, and the modal entry
// point confirmed, cancelled and closed.
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/widgets/ExpressionBuilder.h"
#include "platform/ClientDataSet.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// A designer whose application has one record set, Prices, and a shown
// builder for it that collects the messages of "Validate".
struct BuilderFixture {
    QObject application;
    TClientDataSet *prices = nullptr;
    TReportPrintForm form{&application, TReportPrintForm::LoaderKind::Designer};
    TVexaDesigner *designer = static_cast<TVexaDesigner *>(form.Loader());
    TVxDExpressionBuilder builder{designer};
    QStringList messages;

    BuilderFixture()
    {
        prices = new TClientDataSet(&application);
        prices->setObjectName(QStringLiteral("Prices"));
        prices->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                           "<FIELD attrname=\"PRECE\" fieldtype=\"string\" WIDTH=\"40\"/>"
                           "<FIELD attrname=\"CENA\" fieldtype=\"r8\"/>"
                           "</FIELDS></METADATA><ROWDATA><ROW PRECE=\"Maize\" CENA=\"1.2\"/></ROWDATA>"
                           "</DATAPACKET>");
        prices->Open();
        builder.SetShowMessage([this](const QString &message) { messages << message; });
        builder.resize(460, 340);
        builder.show();
        (void)QTest::qWaitForWindowExposed(&builder);
    }
};

template <class T>
T *Child(QWidget *in, const char *name)
{
    T *child = in->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Press(QWidget *in, const char *button)
{
    if (auto *b = Child<QPushButton>(in, button))
        QTest::mouseClick(b, Qt::LeftButton);
}

QString Page(TVxDExpressionBuilder *builder)
{
    return builder->CurrentPage()->objectName();
}

QString Text(QWidget *in, const char *label)
{
    auto *l = Child<QLabel>(in, label);
    return l ? l->text() : QString();
}

// Clicks the list entry with that text, as the author does; false if none.
bool ClickEntry(QWidget *in, const char *list, const QString &text, bool doubleClick = false)
{
    auto *widget = Child<QListWidget>(in, list);
    if (!widget)
        return false;
    const QList<QListWidgetItem *> found = widget->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    widget->scrollToItem(found.first());
    const QPoint at = widget->visualItemRect(found.first()).center();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at);
    if (doubleClick)
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, at);
    return true;
}

QStringList Entries(QWidget *in, const char *list)
{
    QStringList texts;
    if (auto *widget = Child<QListWidget>(in, list)) {
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
    }
    return texts;
}

} // namespace

// COPY chosen from the function list, its numbers typed into their rows and
// its text built by a second builder laid over the first, where the field
// is picked from the record set; then tried out and confirmed.
TEST(ExpressionBuilder, ComposesACallWithANestedBuilderForAnArgument)
{
    BuilderFixture f;
    TVxDExpressionBuilder *b = &f.builder;
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Expression Wizard"));
    EXPECT_EQ(Page(b), QStringLiteral("MainPage"));

    Press(b, "InsertFunctionBtn");
    EXPECT_EQ(Page(b), QStringLiteral("FunctionPage"));
    ASSERT_TRUE(ClickEntry(b, "Categories", QStringLiteral("Statistical")));
    EXPECT_EQ(Entries(b, "AvailableFunc"), (QStringList{"AVERAGE", "COUNT", "MAX", "MIN", "SUM"}));
    ASSERT_TRUE(ClickEntry(b, "Categories", QStringLiteral("All")));
    ASSERT_TRUE(ClickEntry(b, "AvailableFunc", QStringLiteral("COPY")));
    EXPECT_EQ(Text(b, "FuncName"), QStringLiteral("COPY(<X>, <St>,<Len>)"));
    EXPECT_EQ(Text(b, "FuncDescription"), QStringLiteral("Returns a substring of string X"));
    Press(b, "FunctionOKBtn");

    ASSERT_EQ(Page(b), QStringLiteral("FuncParamsPage"));
    EXPECT_EQ(Text(b, "CopyFuncName"), QStringLiteral("COPY(<X>, <St>,<Len>)"));
    EXPECT_EQ(Text(b, "FuncParamLabel0"), QStringLiteral("Argument 1 - text"));
    EXPECT_EQ(Text(b, "FuncParamLabel2"), QStringLiteral("Argument 3 - numeric"));
    QTest::keyClicks(Child<QLineEdit>(b, "FuncParamEdit1"), QStringLiteral("1"));
    QTest::keyClicks(Child<QLineEdit>(b, "FuncParamEdit2"), QStringLiteral("4"));

    Press(b, "FuncParamBtn0");
    TVxDExpressionBuilder *nested = b->NestedBuilder();
    ASSERT_NE(nested, nullptr);
    EXPECT_TRUE(nested->isVisible());
    EXPECT_FALSE(nested->isWindow());
    EXPECT_EQ(nested->geometry(), b->rect());
    EXPECT_EQ(Text(nested, "Heading"), QStringLiteral("Enter 1. parameter for COPY(<X>, <St>,<Len>)"));
    Press(nested, "InsertDataFieldBtn");
    EXPECT_EQ(Page(nested), QStringLiteral("DataFieldPage"));
    EXPECT_EQ(Entries(nested, "AvailableDatasets"), QStringList{"Prices"});
    EXPECT_EQ(Entries(nested, "AvailableFields"), (QStringList{"PRECE", "CENA"}));
    ASSERT_TRUE(ClickEntry(nested, "AvailableFields", QStringLiteral("PRECE"), true));
    EXPECT_EQ(Page(nested), QStringLiteral("MainPage"));
    EXPECT_EQ(Child<QPlainTextEdit>(nested, "Expr")->toPlainText(), QStringLiteral("Prices.PRECE"));
    Press(nested, "OK");
    EXPECT_EQ(b->NestedBuilder(), nullptr);
    QLineEdit *first = Child<QLineEdit>(b, "FuncParamEdit0");
    EXPECT_EQ(first->text(), QStringLiteral("Prices.PRECE"));
    EXPECT_EQ(first->selectedText(), first->text());
    EXPECT_EQ(Page(b), QStringLiteral("FuncParamsPage"));

    // Enter in a row confirms the step, not the whole builder.
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(Page(b), QStringLiteral("MainPage"));
    EXPECT_EQ(b->Expression(), QStringLiteral("COPY(Prices.PRECE, 1, 4)"));
    // The rows are gone with the step.
    EXPECT_EQ(b->findChild<QLineEdit *>(QStringLiteral("FuncParamEdit0")), nullptr);

    Press(b, "ValidateBtn");
    EXPECT_EQ(f.messages, QStringList{"There are no errors. The result is : Maiz"});
    // Still open: OK confirms.
    Press(b, "OK");
    EXPECT_EQ(b->result(), QDialog::Accepted);
    QApplication::processEvents();
}

// The first insertion replaces the whole text it was opened on; later ones
// go in at the cursor, operators with blanks around them.
TEST(ExpressionBuilder, InsertionsReplaceTheSelectionThenFollowTheCursor)
{
    BuilderFixture f;
    TVxDExpressionBuilder *b = &f.builder;
    b->SetExpression(QStringLiteral("a+b"));
    Press(b, "InsertFunctionBtn");
    ASSERT_TRUE(ClickEntry(b, "AvailableFunc", QStringLiteral("TIME"), true));
    EXPECT_EQ(Page(b), QStringLiteral("MainPage"));
    EXPECT_EQ(b->Expression(), QStringLiteral("TIME"));

    const struct {
        const char *button;
        const char *text;
    } operators[] = {{"AddLessEqual", "TIME <= "}, {"AddNotEqual", "TIME <=  <> "}, {"AddAnd", "TIME <=  <>  and "}};
    for (const auto &op : operators) {
        Press(b, op.button);
        EXPECT_EQ(b->Expression(), QString::fromLatin1(op.text)) << op.button;
    }
    Press(b, "Clear");
    EXPECT_EQ(b->Expression(), QString());

    // Cancelled steps insert nothing and come back to the main page; Esc on
    // a step page cancels the step, not the builder.
    b->SetExpression(QStringLiteral("1"));
    QTextCursor cursor = Child<QPlainTextEdit>(b, "Expr")->textCursor();
    cursor.movePosition(QTextCursor::End);
    Child<QPlainTextEdit>(b, "Expr")->setTextCursor(cursor);
    Press(b, "InsertFunctionBtn");
    ASSERT_TRUE(ClickEntry(b, "AvailableFunc", QStringLiteral("COPY")));
    Press(b, "FunctionOKBtn");
    ASSERT_EQ(Page(b), QStringLiteral("FuncParamsPage"));
    QTest::keyClicks(Child<QLineEdit>(b, "FuncParamEdit0"), QStringLiteral("'x'"));
    Press(b, "FuncArgCancelBtn");
    EXPECT_EQ(Page(b), QStringLiteral("MainPage"));
    Press(b, "InsertDataFieldBtn");
    ASSERT_TRUE(ClickEntry(b, "AvailableFields", QStringLiteral("CENA")));
    QTest::keyClick(Child<QListWidget>(b, "AvailableFields"), Qt::Key_Escape);
    EXPECT_EQ(Page(b), QStringLiteral("MainPage"));
    EXPECT_TRUE(b->isVisible());
    Press(b, "InsertDataFieldBtn");
    ASSERT_TRUE(ClickEntry(b, "AvailableFields", QStringLiteral("CENA")));
    Press(b, "DataFieldOKBtn");
    EXPECT_EQ(b->Expression(), QStringLiteral("1Prices.CENA"));
}

TEST(ExpressionBuilder, ValidateShowsTheErrorOfABrokenExpression)
{
    BuilderFixture f;
    f.builder.SetExpression(QStringLiteral("COPY(Prices.PRECE, 1, 4) + FOO(1)"));
    Press(&f.builder, "ValidateBtn");
    EXPECT_EQ(f.messages, QStringList{"ERROR: Unknown function : FOO"});
    EXPECT_TRUE(f.builder.isVisible());
}

// The modal entry point: OK gives the text without its line breaks, Cancel
// and the title bar's close leave the caller's text as it was.
TEST(ExpressionBuilder, TheModalEntryPointConfirmsOrLeavesTheTextAlone)
{
    BuilderFixture f;
    enum class Leave { OK, Cancel, Close };
    const auto answer = [](Leave leave) {
        QTimer::singleShot(0, [leave] {
            auto *builder = qobject_cast<TVxDExpressionBuilder *>(QApplication::activeModalWidget());
            ASSERT_NE(builder, nullptr);
            auto *expr = builder->findChild<QPlainTextEdit *>(QStringLiteral("Expr"));
            EXPECT_EQ(expr->textCursor().selectedText(), QStringLiteral("PRECE"));
            QTest::keyClicks(expr, QStringLiteral("1+"));
            QTest::keyClick(expr, Qt::Key_Return);
            QTest::keyClicks(expr, QStringLiteral("2"));
            if (leave == Leave::Close)
                builder->close();
            else
                QTest::mouseClick(builder->findChild<QPushButton *>(leave == Leave::OK ? "OK" : "Cancel"),
                                  Qt::LeftButton);
        });
    };
    for (Leave leave : {Leave::Cancel, Leave::Close}) {
        QString expression = QStringLiteral("PRECE");
        answer(leave);
        EXPECT_FALSE(EditExpression(nullptr, f.designer, expression));
        EXPECT_EQ(expression, QStringLiteral("PRECE"));
    }
    QString expression = QStringLiteral("PRECE");
    answer(Leave::OK);
    EXPECT_TRUE(EditExpression(nullptr, f.designer, expression));
    EXPECT_EQ(expression, QStringLiteral("1+2"));
}
