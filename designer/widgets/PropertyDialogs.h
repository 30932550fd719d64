#pragma once
// The designer's property dialogs: one modal dialog per band and element
// kind, the report options, the options (block) dialog, the frame dialog
// and the field text dialog for several elements. A dialog reads the
// element into its controls when it is built and writes back only on OK,
// and then only the properties whose controls differ from what they showed
// at the start. Cancel changes nothing.
//
// Each control is named after the property it edits (objectName), so that
// callers and tests can find it with findChild.

#include <QComboBox>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class QCheckBox;
class QDoubleSpinBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace zelmio {

class TComponent;
class TCustomVexa;
class TVexaDesigner;
class TVxControl;
class TVxFont;

// The expression builder: edits the text in place and returns true when the
// user confirmed it. Expression buttons are disabled while it is empty.
using TExpressionBuilder = std::function<bool(QWidget *parent, TVexaDesigner *designer, QString &expression)>;
TExpressionBuilder &ExpressionBuilderHook();

// A colour box: the 20 standard colours, optionally a transparent choice,
// and the current colour when it is none of them.
class TvxdColorCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TvxdColorCombo(bool withTransparent, QWidget *parent = nullptr);
    // A colour (TColor value); -1 entry index means no choice.
    int ColorValue() const;
    void SetColorValue(int color);
    bool IsTransparent() const;
    void SetTransparent();
    bool HasChoice() const { return currentIndex() >= 0; }

private:
    bool m_withTransparent;
};

class TPropertyDialog : public QDialog {
    Q_OBJECT
public:
    TPropertyDialog(TVexaDesigner *designer, TComponent *component, QWidget *parent, const QString &title);
    ~TPropertyDialog() override;

    TVexaDesigner *Designer() const { return m_designer; }
    // The edited component; after OK it may be a replacement (a band whose
    // class the kind choice changed).
    TComponent *Component() const { return m_component; }

    // The names of the properties OK would write now.
    QStringList PendingChanges() const;
    // OK outside the designer's own property command: the dialog then records
    // the undo step and marks the report changed itself (only when something
    // changes).
    void SetOwnUndoStep(bool own) { m_ownUndoStep = own; }
    // Whether OK was confirmed and written.
    bool Applied() const { return m_applied; }

    // The control of a property (or of a named part of the dialog).
    QWidget *Editor(const QString &name) const;
    template <class W>
    W *EditorAs(const QString &name) const { return qobject_cast<W *>(Editor(name)); }
    // The font the dialog holds for the element (changed by its font button).
    TVxFont *EditedFont() const { return m_font.get(); }

    void accept() override;

protected:
    // The interface language, once, when the dialog is first shown (its
    // controls exist by then).
    void showEvent(QShowEvent *event) override;
    struct TBinding {
        QString name;
        QVariant original;
        std::function<QVariant()> current;
        std::function<void(const QVariant &)> write;
    };

    QFormLayout *Form() const { return m_form; }
    // Adds a binding; with no explicit original, the control's value now is
    // the original (so display rounding never counts as a change).
    void Bind(const QString &name, std::function<QVariant()> current, std::function<void(const QVariant &)> write,
              const QVariant &original = QVariant());
    void AddRow(const QString &caption, QWidget *widget);
    QWidget *Register(const QString &name, QWidget *widget);

    // Controls bound to a property path of the component ("Frame.Color").
    QCheckBox *AddCheck(const QString &path, const QString &caption);
    QLineEdit *AddText(const QString &path, const QString &caption);
    QSpinBox *AddInt(const QString &path, const QString &caption, int low, int high);
    QDoubleSpinBox *AddFloat(const QString &path, const QString &caption, double low, double high, int decimals);
    // (caption, property value) entries.
    QComboBox *AddChoice(const QString &path, const QString &caption, const QList<QPair<QString, int>> &entries);
    TvxdColorCombo *AddColor(const QString &path, const QString &caption, const QString &transparentPath = QString());
    QPlainTextEdit *AddLines(const QString &path, const QString &caption);
    QComboBox *AddReference(const QString &path, const QString &caption,
                            const QList<QPair<QString, QObject *>> &entries);
    // The element's font, edited through a font dialog.
    void AddFont();
    // The frame group: width, sides, pen style, colour.
    void AddFrame(const QString &prefix = QStringLiteral("Frame."));
    // The designer's add-on flag of the component ("BlockEdit").
    QCheckBox *AddAddonCheck(const QString &flag, const QString &caption);
    // An expression builder button beside the line edit.
    QWidget *WithBuilder(QLineEdit *edit, const QString &buttonName);
    // A text property with the expression builder button.
    QLineEdit *AddExpression(const QString &path, const QString &caption);
    // Master entries: the report (its record set's name or "Report"), then
    // every controller band but the component itself.
    QList<QPair<QString, QObject *>> MasterEntries() const;
    // "None", then every other band of the report.
    QList<QPair<QString, QObject *>> LinkBandEntries() const;
    // The designer's data sources by name.
    QList<QPair<QString, QObject *>> DataSetEntries() const;
    // The data set combo and the field combo by display label; a field text
    // also takes the label as its caption.
    void AddDataField(bool captionFromLabel);
    // Band page parity: "Odd page numbers only", "Even page numbers only".
    void AddPageParity();
    // The band's colour with transparency.
    void AddBandColor();

    QString Message(const QString &key, const QString &fallback) const;
    TCustomVexa *Report() const;
    // Whether any target has the property (a dotted path walks sub-objects).
    bool HasProperty(const QString &path) const;
    // The components OK writes to: the component, or the several elements.
    QList<TComponent *> Targets() const;
    // Several elements: controls start undecided (check boxes in the third
    // state, empty texts, no choice) and write only what the user set.
    void SetSeveral(const QList<TComponent *> &targets)
    {
        m_several = true;
        m_targets = targets;
    }
    // Several targets written alike, shown with the component's values.
    void SetTargets(const QList<TComponent *> &targets) { m_targets = targets; }
    // Checked on OK before anything is written; false keeps the dialog open
    // with the error shown.
    virtual bool Validate(QString &error)
    {
        Q_UNUSED(error);
        return true;
    }

    // Runs before the bindings are written (swapping a band's class).
    virtual void BeforeWrite() {}
    void SetComponent(TComponent *component) { m_component = component; }
    QVBoxLayout *MainLayout() const { return m_main; }

private:
    void Apply();

    TVexaDesigner *m_designer;
    TComponent *m_component;
    QVBoxLayout *m_main = nullptr;
    QFormLayout *m_form = nullptr;
    QList<TBinding> m_bindings;
    std::unique_ptr<TVxFont> m_font;
    QList<TComponent *> m_targets;
    bool m_several = false;
    bool m_ownUndoStep = false;
    bool m_applied = false;
};

// The dialog of the component's kind (the report, a band or an element), or
// none for a kind without one. The caller runs it (exec) or drives it.
std::unique_ptr<TPropertyDialog> CreatePropertyDialog(TVexaDesigner *designer, QWidget *parent,
                                                      TComponent *component);
// Named dialogs.
std::unique_ptr<TPropertyDialog> CreateBlockOptionsDialog(TVexaDesigner *designer, QWidget *parent,
                                                          TComponent *component);
std::unique_ptr<TPropertyDialog> CreateFrameDialog(TVexaDesigner *designer, QWidget *parent,
                                                   const QList<TVxControl *> &elements);
std::unique_ptr<TPropertyDialog> CreateSeveralDataTextsDialog(TVexaDesigner *designer, QWidget *parent,
                                                              const QList<TVxControl *> &elements);

// Opens the dialog of the component's kind; true on OK. The component may be
// replaced (a band that changed class). Does not record undo: the designer's
// property command around it does.
bool EditReportComponentProperties(TVexaDesigner *designer, QWidget *parent, TComponent *&component);

// Makes the designer open these dialogs for its property command (double
// click, Enter, the element menu, after inserting), and the common field
// text dialog for several selected elements.
void InstallPropertyDialogs(TVexaDesigner *designer, QWidget *window);

// The window's commands; each records one undo step and marks the report
// changed when OK changed something, and returns true on OK.
bool EditReportOptions(QWidget *parent, TVexaDesigner *designer);
// The frame of the selected elements (those without "BlockEdit").
bool EditFrame(QWidget *parent, TVexaDesigner *designer);
// The options of selected element 0 (or the report with nothing selected).
bool EditBlockOptions(QWidget *parent, TVexaDesigner *designer);
bool EditBlockOptions(QWidget *parent, TVexaDesigner *designer, TComponent *component);

// The memo's "Remove line if empty" on one line: removes a leading "%DEL"
// (keeping the whole rest of the line) or puts one in front.
QString ToggleRemoveIfEmpty(const QString &line);

} // namespace zelmio
