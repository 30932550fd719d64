#pragma once
// The expression builder window ("Expression Wizard"): the author types an
// expression, inserts data fields, functions and operators at the cursor,
// and tries it out against the designer's record sets. Choosing a field, a
// function and its arguments are pages shown in place of the main page; an
// argument can be built with a second builder laid over the first, to any
// depth. The controls carry fixed object names (MainPage, Expr, OK ...).

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QStackedLayout;

namespace zelmio {

class TDataSet;
class TVexaDesigner;
class TVxLibraryEntry;

class TVxDExpressionBuilder : public QDialog {
    Q_OBJECT
public:
    using TShowMessage = std::function<void(const QString &message)>;

    // designer may be null: then no record sets are offered.
    explicit TVxDExpressionBuilder(TVexaDesigner *designer, QWidget *parent = nullptr);
    ~TVxDExpressionBuilder() override;

    // Replaces the "Enter expression:" heading.
    void SetHeading(const QString &heading);
    // The text to edit, all of it selected, so that the first insertion
    // replaces it unless the author places the cursor first.
    void SetExpression(const QString &text);
    // The edited text without its line breaks.
    QString Expression() const;

    // How "Validate" shows its message; a message box by default.
    void SetShowMessage(const TShowMessage &show) { m_showMessage = show; }

    // Makes page the visible one (MainPage, DataFieldPage, FunctionPage or
    // FuncParamsPage).
    void ShowPanel(QWidget *page);
    QWidget *CurrentPage() const;
    // Lists the functions of a category (0 all) and describes the first.
    void GetFunctionsCat(int category);
    // Shows call template and help text of the function at that row.
    void SelectFunc(int index);
    // Replaces the selection of the expression by text, cursor behind it.
    void InsertText(const QString &text);
    // Lists the designer's record sets and the fields of the first.
    void PickDataSets();

    // The builder of an argument while it is open, else null.
    TVxDExpressionBuilder *NestedBuilder() const { return m_nested; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMainPage();
    void buildDataFieldPage();
    void buildFunctionPage();
    void buildParamsPage();
    QPushButton *button(const QString &name, const QString &text, QWidget *parent);

    void listFields(int dataSetRow);
    void fieldChosen();
    void functionChosen();
    void paramsConfirmed();
    void clearParams();
    void editParam(int position);
    void nestedFinished(int result);
    void validate();
    void backToMain();

    TVexaDesigner *m_designer;
    TShowMessage m_showMessage;

    QStackedLayout *m_pages = nullptr;
    QWidget *m_mainPage = nullptr;
    QWidget *m_dataFieldPage = nullptr;
    QWidget *m_functionPage = nullptr;
    QWidget *m_paramsPage = nullptr;

    QLabel *m_heading = nullptr;
    QPlainTextEdit *m_expr = nullptr;
    QListWidget *m_datasets = nullptr;
    QListWidget *m_fields = nullptr;
    QList<QPointer<TDataSet>> m_dataSetList;   // rows of m_datasets
    QListWidget *m_categories = nullptr;
    QListWidget *m_functions = nullptr;
    QLabel *m_funcName = nullptr;
    QLabel *m_funcDescription = nullptr;
    QLabel *m_copyFuncName = nullptr;
    QLabel *m_copyFuncDescription = nullptr;
    QScrollArea *m_paramBox = nullptr;
    QLabel *m_valueLabel = nullptr;
    QList<QLineEdit *> m_paramEdits;
    QString m_pendingFunction;   // name of the function whose arguments are asked

    QPointer<TVxDExpressionBuilder> m_nested;
    int m_nestedParam = -1;
};

// Opens a modal builder on value; true when the author confirmed it, value
// then holding the new text without line breaks. On Cancel value is left as
// it was. caption, when not empty, replaces the heading.
bool GetVxDExpression(const QString &caption, QString &value, TVexaDesigner *designer,
                      QWidget *parent = nullptr);

// The same without a caption, for the designer window and property dialogs.
inline bool EditExpression(QWidget *parent, TVexaDesigner *designer, QString &expression)
{
    return GetVxDExpression(QString(), expression, designer, parent);
}

} // namespace zelmio
