#include "designer/widgets/ExpressionBuilder.h"

#include "designer/widgets/LanguageTranslator.h"

#include "designer/ExpressionComposer.h"
#include "designer/VexaDesigner.h"
#include "expr/VxFunctionLibrary.h"
#include "platform/DataSet.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace zelmio {

namespace {

constexpr int ParamBoxWidth = 358;
constexpr int ParamRowHeight = 40;

// The data of a function list item: its registry entry.
constexpr int EntryRole = Qt::UserRole;

TVxLibraryEntry *entryOf(const QListWidgetItem *item)
{
    return item ? reinterpret_cast<TVxLibraryEntry *>(item->data(EntryRole).value<quintptr>()) : nullptr;
}

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLabel *boldLabel(const QString &name, QWidget *parent)
{
    QLabel *l = label(name, QString(), parent);
    QFont font = l->font();
    font.setBold(true);
    l->setFont(font);
    return l;
}

QLabel *wrappedLabel(const QString &name, QWidget *parent)
{
    QLabel *l = label(name, QString(), parent);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QListWidget *list(const QString &name, QWidget *parent)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(name);
    return l;
}

// The step buttons at the foot of a page: default one first, then Cancel.
QHBoxLayout *footer(QPushButton *ok, QPushButton *cancel)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace

TVxDExpressionBuilder::TVxDExpressionBuilder(TVexaDesigner *designer, QWidget *parent)
    : QDialog(parent)
    , m_designer(designer)
{
    setObjectName(QStringLiteral("VxDExpressionBuilder"));
    setWindowTitle(QStringLiteral("Expression Wizard"));
    m_showMessage = [this](const QString &message) {
        QMessageBox::information(this, windowTitle(), message);
    };

    m_pages = new QStackedLayout(this);
    buildMainPage();
    buildDataFieldPage();
    buildFunctionPage();
    buildParamsPage();
    // Never shown: its text names arguments of any kind.
    m_valueLabel = label(QStringLiteral("ValueLabel"), QStringLiteral("Value :"), this);
    m_valueLabel->hide();

    GetFunctionsCat(0);
    PickDataSets();
    ShowPanel(m_mainPage);
    resize(460, 340);
}

TVxDExpressionBuilder::~TVxDExpressionBuilder() = default;

QPushButton *TVxDExpressionBuilder::button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    // Enter presses the default button of the visible page only.
    b->setAutoDefault(false);
    return b;
}

void TVxDExpressionBuilder::buildMainPage()
{
    m_mainPage = new QWidget(this);
    m_mainPage->setObjectName(QStringLiteral("MainPage"));
    auto *layout = new QVBoxLayout(m_mainPage);
    m_heading = label(QStringLiteral("Heading"), QStringLiteral("Enter expression:"), m_mainPage);
    layout->addWidget(m_heading);

    m_expr = new QPlainTextEdit(m_mainPage);
    m_expr->setObjectName(QStringLiteral("Expr"));
    m_expr->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_expr->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_expr->setTabChangesFocus(true);
    m_expr->setMinimumSize(365, 125);
    layout->addWidget(m_expr, 1);

    auto *insert = new QGroupBox(QStringLiteral("Insert at cursor position"), m_mainPage);
    insert->setObjectName(QStringLiteral("InsertGroupBox"));
    auto *grid = new QGridLayout(insert);
    QPushButton *field = button(QStringLiteral("InsertDataFieldBtn"), QStringLiteral("&Database field"), insert);
    QPushButton *function = button(QStringLiteral("InsertFunctionBtn"), QStringLiteral("&Function"), insert);
    grid->addWidget(field, 0, 0, 1, 4);
    grid->addWidget(function, 0, 4, 1, 3);
    connect(field, &QPushButton::clicked, this, [this] {
        PickDataSets();
        ShowPanel(m_dataFieldPage);
        m_fields->setFocus();
    });
    connect(function, &QPushButton::clicked, this, [this] {
        ShowPanel(m_functionPage);
        m_functions->setFocus();
    });

    // Caption and inserted operator; the word operators insert fixed
    // lower-case texts whatever their captions say.
    struct Operator {
        const char *name;
        const char *caption;
        const char *text;
    };
    static const Operator operators[] = {
        {"AddPlus", "+", " + "},          {"AddMinus", "-", " - "},     {"AddMul", "*", " * "},
        {"AddDiv", "/", " / "},           {"AddEqual", "=", " = "},     {"AddSmaller", "<", " < "},
        {"AddLarger", ">", " > "},        {"AddNotEqual", "<>", " <> "}, {"AddLessEqual", "<=", " <= "},
        {"AddGreaterEqual", ">=", " >= "}, {"AddNot", "Not", " not "},  {"AddAnd", "And", " and "},
        {"AddOr", "Or", " or "},
    };
    int index = 0;
    for (const Operator &op : operators) {
        QPushButton *b = button(QString::fromLatin1(op.name), QString::fromLatin1(op.caption), insert);
        b->setMinimumWidth(36);
        const QString text = QString::fromLatin1(op.text);
        connect(b, &QPushButton::clicked, this, [this, text] { InsertText(text); });
        grid->addWidget(b, 1 + index / 7, index % 7);
        ++index;
    }
    layout->addWidget(insert);

    auto *row = new QHBoxLayout;
    QPushButton *clear = button(QStringLiteral("Clear"), QStringLiteral("&Clear"), m_mainPage);
    QPushButton *validate = button(QStringLiteral("ValidateBtn"), QStringLiteral("Valida&te"), m_mainPage);
    QPushButton *ok = button(QStringLiteral("OK"), QStringLiteral("OK"), m_mainPage);
    QPushButton *cancel = button(QStringLiteral("Cancel"), QStringLiteral("Cancel"), m_mainPage);
    row->addWidget(clear);
    row->addWidget(validate);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_expr->clear();
        m_expr->setFocus();
    });
    connect(validate, &QPushButton::clicked, this, &TVxDExpressionBuilder::validate);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_pages->addWidget(m_mainPage);
}

void TVxDExpressionBuilder::buildDataFieldPage()
{
    m_dataFieldPage = new QWidget(this);
    m_dataFieldPage->setObjectName(QStringLiteral("DataFieldPage"));
    auto *layout = new QVBoxLayout(m_dataFieldPage);
    auto *box = new QGroupBox(QStringLiteral("Insert database field in expression"), m_dataFieldPage);
    box->setObjectName(QStringLiteral("DatafieldGB"));
    auto *grid = new QGridLayout(box);
    grid->addWidget(label(QStringLiteral("DatasetLabel"), QStringLiteral("Select dataset"), box), 0, 0);
    grid->addWidget(label(QStringLiteral("DatafieldLabel"), QStringLiteral("Available fields"), box), 0, 1);
    m_datasets = list(QStringLiteral("AvailableDatasets"), box);
    m_fields = list(QStringLiteral("AvailableFields"), box);
    grid->addWidget(m_datasets, 1, 0);
    grid->addWidget(m_fields, 1, 1);
    layout->addWidget(box, 1);
    connect(m_datasets, &QListWidget::currentRowChanged, this, &TVxDExpressionBuilder::listFields);
    connect(m_fields, &QListWidget::itemDoubleClicked, this, &TVxDExpressionBuilder::fieldChosen);

    QPushButton *ok = button(QStringLiteral("DataFieldOKBtn"), QStringLiteral("OK"), m_dataFieldPage);
    QPushButton *cancel = button(QStringLiteral("DataFieldCancelBtn"), QStringLiteral("Cancel"), m_dataFieldPage);
    layout->addLayout(footer(ok, cancel));
    connect(ok, &QPushButton::clicked, this, &TVxDExpressionBuilder::fieldChosen);
    connect(cancel, &QPushButton::clicked, this, &TVxDExpressionBuilder::backToMain);
    m_pages->addWidget(m_dataFieldPage);
}

void TVxDExpressionBuilder::buildFunctionPage()
{
    m_functionPage = new QWidget(this);
    m_functionPage->setObjectName(QStringLiteral("FunctionPage"));
    auto *layout = new QVBoxLayout(m_functionPage);
    auto *box = new QGroupBox(QStringLiteral("Select function"), m_functionPage);
    box->setObjectName(QStringLiteral("FunctionGroupBox"));
    auto *grid = new QGridLayout(box);
    grid->addWidget(label(QStringLiteral("CategoryLabel"), QStringLiteral("Category"), box), 0, 0);
    grid->addWidget(label(QStringLiteral("AvailFunctionLabel"), QStringLiteral("Available functions"), box), 0, 1);
    m_categories = list(QStringLiteral("Categories"), box);
    m_categories->addItems(ExpressionCategories());
    m_categories->setCurrentRow(0);
    m_functions = list(QStringLiteral("AvailableFunc"), box);
    m_functions->setSortingEnabled(true);
    grid->addWidget(m_categories, 1, 0);
    grid->addWidget(m_functions, 1, 1);
    m_funcName = boldLabel(QStringLiteral("FuncName"), box);
    m_funcDescription = wrappedLabel(QStringLiteral("FuncDescription"), box);
    m_funcDescription->setMinimumHeight(40);
    grid->addWidget(m_funcName, 2, 0, 1, 2);
    grid->addWidget(m_funcDescription, 3, 0, 1, 2);
    layout->addWidget(box, 1);
    connect(m_categories, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { GetFunctionsCat(m_categories->row(item)); });
    connect(m_functions, &QListWidget::currentRowChanged, this, &TVxDExpressionBuilder::SelectFunc);
    connect(m_functions, &QListWidget::itemDoubleClicked, this, &TVxDExpressionBuilder::functionChosen);

    QPushButton *ok = button(QStringLiteral("FunctionOKBtn"), QStringLiteral("Continue"), m_functionPage);
    QPushButton *cancel = button(QStringLiteral("FunctionCancelBtn"), QStringLiteral("Cancel"), m_functionPage);
    layout->addLayout(footer(ok, cancel));
    connect(ok, &QPushButton::clicked, this, &TVxDExpressionBuilder::functionChosen);
    connect(cancel, &QPushButton::clicked, this, &TVxDExpressionBuilder::backToMain);
    m_pages->addWidget(m_functionPage);
}

void TVxDExpressionBuilder::buildParamsPage()
{
    m_paramsPage = new QWidget(this);
    m_paramsPage->setObjectName(QStringLiteral("FuncParamsPage"));
    auto *layout = new QVBoxLayout(m_paramsPage);
    auto *box = new QGroupBox(QStringLiteral("Enter parameters for function"), m_paramsPage);
    box->setObjectName(QStringLiteral("ParameterGroupBox"));
    auto *inner = new QVBoxLayout(box);
    m_copyFuncName = boldLabel(QStringLiteral("CopyFuncName"), box);
    m_copyFuncDescription = wrappedLabel(QStringLiteral("CopyFuncDescription"), box);
    inner->addWidget(m_copyFuncName);
    inner->addWidget(m_copyFuncDescription);
    m_paramBox = new QScrollArea(box);
    m_paramBox->setObjectName(QStringLiteral("FuncParamSB"));
    m_paramBox->setFixedWidth(ParamBoxWidth);
    m_paramBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_paramBox->verticalScrollBar()->setSingleStep(ParamRowHeight);
    inner->addWidget(m_paramBox, 1);
    layout->addWidget(box, 1);

    QPushButton *ok = button(QStringLiteral("FuncParamOkBtn"), QStringLiteral("OK"), m_paramsPage);
    QPushButton *cancel = button(QStringLiteral("FuncArgCancelBtn"), QStringLiteral("Cancel"), m_paramsPage);
    layout->addLayout(footer(ok, cancel));
    connect(ok, &QPushButton::clicked, this, &TVxDExpressionBuilder::paramsConfirmed);
    connect(cancel, &QPushButton::clicked, this, [this] {
        clearParams();
        backToMain();
    });
    m_pages->addWidget(m_paramsPage);
}

void TVxDExpressionBuilder::SetHeading(const QString &heading)
{
    if (!heading.isEmpty())
        m_heading->setText(heading);
}

void TVxDExpressionBuilder::SetExpression(const QString &text)
{
    m_expr->setPlainText(text);
    m_expr->selectAll();
}

QString TVxDExpressionBuilder::Expression() const
{
    return TrimExpr(m_expr->toPlainText());
}

void TVxDExpressionBuilder::ShowPanel(QWidget *page)
{
    m_pages->setCurrentWidget(page);
    page->raise();
    // Enter presses the step's own confirming button.
    static const char *const defaults[] = {"OK", "DataFieldOKBtn", "FunctionOKBtn", "FuncParamOkBtn"};
    const QWidget *pages[] = {m_mainPage, m_dataFieldPage, m_functionPage, m_paramsPage};
    for (int i = 0; i < 4; ++i) {
        if (auto *b = pages[i]->findChild<QPushButton *>(QString::fromLatin1(defaults[i])))
            b->setDefault(pages[i] == page);
    }
}

QWidget *TVxDExpressionBuilder::CurrentPage() const
{
    return m_pages->currentWidget();
}

void TVxDExpressionBuilder::GetFunctionsCat(int category)
{
    m_functions->clear();
    for (TVxLibraryEntry *entry : ExpressionFunctions(category)) {
        auto *item = new QListWidgetItem(entry->Name());
        item->setData(EntryRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry)));
        m_functions->addItem(item);
    }
    SelectFunc(0);
}

void TVxDExpressionBuilder::SelectFunc(int index)
{
    TVxLibraryEntry *entry = entryOf(m_functions->item(index));
    m_funcName->setText(entry ? entry->CallTemplate() : QString());
    m_funcDescription->setText(entry ? entry->HelpText() : QString());
}

void TVxDExpressionBuilder::InsertText(const QString &text)
{
    QTextCursor cursor = m_expr->textCursor();
    cursor.insertText(text);
    m_expr->setTextCursor(cursor);
    if (CurrentPage() == m_mainPage)
        m_expr->setFocus();
}

void TVxDExpressionBuilder::PickDataSets()
{
    QList<TDataSet *> sources;
    if (m_designer)
        m_designer->GetDatasourceList(sources);
    QList<QPointer<TDataSet>> listed(sources.cbegin(), sources.cend());
    // Unchanged: keep the author's choice of record set and field.
    if (listed == m_dataSetList && m_datasets->count() == listed.size())
        return;
    m_dataSetList = listed;
    const QSignalBlocker block(m_datasets);
    m_datasets->clear();
    for (TDataSet *dataSet : sources)
        m_datasets->addItem(dataSet->objectName());
    if (m_datasets->count() > 0)
        m_datasets->setCurrentRow(0);
    listFields(m_datasets->currentRow());
}

void TVxDExpressionBuilder::listFields(int dataSetRow)
{
    m_fields->clear();
    TDataSet *dataSet = dataSetRow >= 0 && dataSetRow < m_dataSetList.size() ? m_dataSetList[dataSetRow].data()
                                                                              : nullptr;
    for (const TExpressionField &field : ExpressionFields(m_designer, dataSet)) {
        auto *item = new QListWidgetItem(field.listText, m_fields);
        item->setData(Qt::UserRole, field.insertText);
    }
}

void TVxDExpressionBuilder::fieldChosen()
{
    const QList<QListWidgetItem *> chosen = m_fields->selectedItems();
    const QString text = chosen.isEmpty() ? QString() : chosen.first()->data(Qt::UserRole).toString();
    backToMain();
    if (!text.isEmpty())
        InsertText(text);
}

void TVxDExpressionBuilder::functionChosen()
{
    const QList<QListWidgetItem *> chosen = m_functions->selectedItems();
    TVxLibraryEntry *entry = chosen.isEmpty() ? nullptr : entryOf(chosen.first());
    if (!entry) {
        backToMain();
        return;
    }
    const QString letters = entry->ArgumentLetters();
    if (letters.isEmpty()) {
        backToMain();
        InsertText(entry->Name());
        return;
    }

    // One row per argument: caption, edit field and a "..." to build it.
    m_pendingFunction = entry->Name();
    m_copyFuncName->setText(m_funcName->text());
    m_copyFuncDescription->setText(m_funcDescription->text());
    clearParams();
    auto *rows = new QWidget;
    const int width = ParamBoxWidth;
    for (int p = 0; p < letters.size(); ++p) {
        QLabel *caption = label(QStringLiteral("FuncParamLabel%1").arg(p),
                                ArgumentCaption(letters[p], p, m_valueLabel->text()), rows);
        caption->move(10, ParamRowHeight * p);
        auto *edit = new QLineEdit(rows);
        edit->setObjectName(QStringLiteral("FuncParamEdit%1").arg(p));
        edit->setGeometry(10, ParamRowHeight * p + 15, width - 60, 22);
        QPushButton *more = button(QStringLiteral("FuncParamBtn%1").arg(p), QStringLiteral("..."), rows);
        more->setGeometry(width - 40, ParamRowHeight * p + 15, 20, 20);
        connect(more, &QPushButton::clicked, this, [this, p] { editParam(p); });
        m_paramEdits.append(edit);
    }
    rows->resize(width - 20, ParamRowHeight * int(letters.size()));
    m_paramBox->setWidget(rows);
    ShowPanel(m_paramsPage);
    m_paramEdits.first()->setFocus();
}

void TVxDExpressionBuilder::paramsConfirmed()
{
    QStringList arguments;
    for (QLineEdit *edit : m_paramEdits)
        arguments << edit->text();
    const QString call = FunctionCall(m_pendingFunction, arguments);
    clearParams();
    backToMain();
    InsertText(call);
}

void TVxDExpressionBuilder::clearParams()
{
    m_paramEdits.clear();
    delete m_paramBox->takeWidget();
}

void TVxDExpressionBuilder::editParam(int position)
{
    if (m_nested || position < 0 || position >= m_paramEdits.size())
        return;
    auto *nested = new TVxDExpressionBuilder(m_designer, this);
    // Laid over this builder, filling it, instead of a window of its own.
    nested->setWindowFlags(Qt::Widget);
    nested->SetShowMessage(m_showMessage);
    nested->SetHeading(QStringLiteral("Enter %1. parameter for %2").arg(position + 1).arg(m_funcName->text()));
    nested->SetExpression(m_paramEdits[position]->text());
    nested->setGeometry(rect());
    m_nested = nested;
    m_nestedParam = position;
    connect(nested, &QDialog::finished, this, &TVxDExpressionBuilder::nestedFinished);
    nested->show();
    nested->raise();
    nested->m_expr->setFocus();
}

void TVxDExpressionBuilder::nestedFinished(int result)
{
    TVxDExpressionBuilder *nested = m_nested;
    if (!nested)
        return;
    m_nested = nullptr;
    const QString text = nested->Expression();
    // Out of this builder's children at once (it is still emitting).
    nested->hide();
    nested->setParent(nullptr);
    nested->deleteLater();
    if (m_nestedParam < 0 || m_nestedParam >= m_paramEdits.size())
        return;
    QLineEdit *edit = m_paramEdits[m_nestedParam];
    if (result == QDialog::Accepted)
        edit->setText(text);
    ShowPanel(m_paramsPage);
    m_paramBox->ensureWidgetVisible(edit);
    edit->setFocus();
    edit->selectAll();
}

void TVxDExpressionBuilder::validate()
{
    TVxDataSetList dataSets;
    for (const QPointer<TDataSet> &dataSet : m_dataSetList) {
        if (dataSet)
            dataSets.append(dataSet.data());
    }
    const QString message = ValidateExpression(m_expr->toPlainText(), dataSets);
    if (m_showMessage)
        m_showMessage(message);
}

void TVxDExpressionBuilder::backToMain()
{
    ShowPanel(m_mainPage);
    m_expr->setFocus();
}

void TVxDExpressionBuilder::keyPressEvent(QKeyEvent *event)
{
    // Esc on a step page cancels the step, not the builder.
    if (event->matches(QKeySequence::Cancel) && CurrentPage() != m_mainPage) {
        if (CurrentPage() == m_paramsPage)
            clearParams();
        backToMain();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TVxDExpressionBuilder::closeEvent(QCloseEvent *event)
{
    // Closing from the title bar cancels every step and the builder.
    done(QDialog::Rejected);
    event->accept();
}

void TVxDExpressionBuilder::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow()) {
        PickDataSets();
        if (CurrentPage() == m_mainPage && !m_nested)
            m_expr->setFocus();
    }
}

void TVxDExpressionBuilder::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_nested)
        m_nested->setGeometry(rect());
}

bool GetVxDExpression(const QString &caption, QString &value, TVexaDesigner *designer, QWidget *parent)
{
    TVxDExpressionBuilder builder(designer, parent);
    builder.SetHeading(caption);
    builder.SetExpression(value);
    TranslateForm(&builder, QStringLiteral("VxDExpressionBuilder"));
    if (builder.exec() != QDialog::Accepted)
        return false;
    value = builder.Expression();
    return true;
}

} // namespace zelmio
