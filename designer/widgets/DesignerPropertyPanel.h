#pragma once
// The designer window's font and property bar: bold, italic and underline,
// the text alignment buttons, the font colour, the kind of the selected
// element, a quick editor for its main value (the caption of a label, the
// expression of an expression, the field of a data element, the kind of a
// band, shape or system field) and the font name and size boxes. It shows
// the selection after every change and applies what the user changes
// through the designer's commands (one undo step per change; typing in the
// edit line is one step until the selection changes).

#include <QPointer>
#include <QToolBar>
#include <functional>

#include "model/VxControl.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zelmio {

class TVexaDesigner;

class TDesignerPropertyPanel : public QToolBar {
    Q_OBJECT
public:
    // What the quick editor edits.
    enum class TEditorKind { None, Caption, Expression, BarcodeValue, BandKind, Field, ShapeKind, SystemValue };

    explicit TDesignerPropertyPanel(TVexaDesigner *designer, QWidget *parent = nullptr);

    // Shows the selection: font boxes, style and alignment buttons, the
    // type label and the quick editor.
    void UpdateSelections();
    // Stops the panel from editing the report: the window calls it before it
    // takes itself apart, when focus moving between dying widgets could
    // otherwise apply a font box's text.
    void Detach() { m_detached = m_updating = true; }

    QLabel *TypeLabel() const { return m_typeLabel; }
    QLineEdit *AllEdit() const { return m_allEdit; }
    QComboBox *AllComboBox() const { return m_allComboBox; }
    QComboBox *FontComboBox() const { return m_fontComboBox; }
    QComboBox *FontSizeComboBox() const { return m_fontSizeComboBox; }
    QAction *Button(const QString &name) const;
    TEditorKind EditorKind() const { return m_editorKind; }
    // Whether the selection has an edit line or a combo box in the bar.
    bool EditLineShown() const;
    bool ComboShown() const;
    // Whether the edit line may take typed text now (shown and enabled).
    bool CanTypeIntoEditor() const;

signals:
    // The panel changed the report.
    void Edited();
    // The user finished typing in the edit line (Enter or Escape).
    void EditingDone();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *AddButton(const QString &name, const QString &text, const QString &hint, bool checkable);
    void UpdateFontControls();
    void UpdateEditorControls();
    void EditLineChanged(const QString &text);
    void ComboChosen(int index);
    void StyleClicked();
    void ChooseFontColor();
    void Run(const std::function<void()> &command);
    QString Message(const QString &key, const QString &fallback) const;

    TVexaDesigner *m_designer;
    QLabel *m_typeLabel = nullptr;
    QLineEdit *m_allEdit = nullptr;
    QComboBox *m_allComboBox = nullptr;
    QComboBox *m_fontComboBox = nullptr;
    QComboBox *m_fontSizeComboBox = nullptr;
    QAction *m_bold = nullptr;
    QAction *m_italic = nullptr;
    QAction *m_underline = nullptr;
    QAction *m_alignLeft = nullptr;
    QAction *m_alignCenter = nullptr;
    QAction *m_alignRight = nullptr;
    QAction *m_editEditAction = nullptr;
    QAction *m_comboAction = nullptr;
    QAction *m_builderAction = nullptr;
    TEditorKind m_editorKind = TEditorKind::None;
    QPointer<TVxControl> m_edited;        // the element the editor shows
    bool m_typingStarted = false;         // the undo step of the current typing is taken
    bool m_updating = false;
    bool m_detached = false;
};

} // namespace zelmio
