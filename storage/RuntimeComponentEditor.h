#pragma once
// The loader that also writes templates (the designer's base): block by
// block or as a whole template, to streams and files. It is also the generic
// run-time editor of the report: the selection (TRuntimeComponentMover),
// change tracking, undo snapshots in the text form, the clipboard in the text
// form, delete, alignment, spacing, text alignment, fonts, grouping and
// z-order, all acting on the selection (element 0 is the first selected).
//
// The write hook turns references through the database owner's name back
// into "DatabaseOwner." and ": TVxDWQuery" into ": TVxQuery". A file is
// written to a temporary file next to it and renamed into place, so a
// failed save leaves the previous file (and its backup) as they were.

#include "model/VxColor.h"
#include "storage/RuntimeComponentLoader.h"

#include <QList>
#include <functional>

namespace zelmio {

class TComponentSaver;
class TRuntimeComponentMover;
class TVxControl;
class TVxFont;

// (stream to fill with the user data)
using TSaveUserDataEvent = THook<void(QIODevice &stream)>;

class TRuntimeComponentEditor : public TRuntimeComponentLoader {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool UndoEnabled READ UndoEnabled WRITE SetUndoEnabled)
    Q_PROPERTY(int UndoLevels READ UndoLevels WRITE SetUndoLevels)
    Q_PROPERTY(int GridSizeX READ GridSizeX WRITE SetGridSizeX)
    Q_PROPERTY(int GridSizeY READ GridSizeY WRITE SetGridSizeY)
    Q_PROPERTY(int KeyboardMoveX READ KeyboardMoveX WRITE SetKeyboardMoveX)
    Q_PROPERTY(int KeyboardMoveY READ KeyboardMoveY WRITE SetKeyboardMoveY)
    Q_PROPERTY(int MinElementWidth READ MinElementWidth WRITE SetMinElementWidth)
    Q_PROPERTY(int MinElementHeight READ MinElementHeight WRITE SetMinElementHeight)
    Q_PROPERTY(zelmio::TNotifyEvent OnSelectionChanged READ OnSelectionChanged WRITE SetOnSelectionChanged)
    Q_PROPERTY(zelmio::TNotifyEvent OnUndoStateChanged READ OnUndoStateChanged WRITE SetOnUndoStateChanged)
    Q_PROPERTY(zelmio::TSaveUserDataEvent OnSaveUserData READ OnSaveUserData WRITE SetOnSaveUserData)
    Q_CLASSINFO("default:Enabled", "False")
    Q_CLASSINFO("default:UndoEnabled", "False")
    Q_CLASSINFO("default:UndoLevels", "3")
public:
    explicit TRuntimeComponentEditor(TComponent *owner = nullptr);
    ~TRuntimeComponentEditor() override;

    TComponentSaver *ComponentSaver() const { return m_saver; }
    // The selection surface's model.
    TRuntimeComponentMover *Mover() const { return m_mover; }

    // The template has changes that are not saved.
    bool Changed() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }
    // Called at the start of every editing command: with undo on, a change
    // first takes a snapshot of the report (and empties the redo list).
    void SetHasChanged(bool changed);

    // Without Enabled nothing can be selected and the font commands do nothing.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // --- Undo -------------------------------------------------------------
    // Snapshots hold the report and the designer's add-ons (block flags and
    // groups), in the text form.
    bool UndoEnabled() const { return m_undoEnabled; }
    // Switching undo off drops the snapshots.
    virtual void SetUndoEnabled(bool enabled);
    int UndoLevels() const { return m_undoLevels; }
    void SetUndoLevels(int levels);
    int UndoCount() const { return int(m_undo.size()); }
    int RedoCount() const { return int(m_redo.size()); }
    bool CanUndo() const { return m_enabled && m_undoEnabled && !m_undo.isEmpty(); }
    bool CanRedo() const { return m_enabled && m_undoEnabled && !m_redo.isEmpty(); }
    // False when there was nothing to undo or redo.
    bool Undo();
    bool Redo();

    // --- Surface settings (forwarded to the selection) ---------------------
    int GridSizeX() const;
    void SetGridSizeX(int size);
    int GridSizeY() const;
    void SetGridSizeY(int size);
    int KeyboardMoveX() const;
    void SetKeyboardMoveX(int step);
    int KeyboardMoveY() const;
    void SetKeyboardMoveY(int step);
    int MinElementWidth() const;
    void SetMinElementWidth(int width);
    int MinElementHeight() const;
    void SetMinElementHeight(int height);

    TNotifyEvent OnSelectionChanged() const { return m_onSelectionChanged; }
    void SetOnSelectionChanged(const TNotifyEvent &hook) { m_onSelectionChanged = hook; }
    // After the undo or redo list became empty or got its first entry.
    TNotifyEvent OnUndoStateChanged() const { return m_onUndoStateChanged; }
    void SetOnUndoStateChanged(const TNotifyEvent &hook) { m_onUndoStateChanged = hook; }

    // --- Selection ----------------------------------------------------------
    // Adds the element to the selection, or with unselect removes it.
    void SelectElement(bool unselect, TVxControl *element);
    // Element 0 of the selection, or none.
    TVxControl *GetSelectedElement() const;
    QList<TVxControl *> GetSelectedElements() const;
    int SelectedCount() const;
    // Called after every change of the selection.
    virtual void SelectionChanged(TVxControl *control);

    // --- Editing commands ---------------------------------------------------
    // Where pasted elements go: the report when nothing is selected, selected
    // element 0 when it is a container, else its parent.
    virtual TVxControl *GetValidPasteParent();
    virtual void DeleteSelectedElements();
    // The selected elements in the text form, one root block each, as plain
    // text on the clipboard; false without a selection.
    virtual bool CopyToClipboard();
    // Pastes text blocks of the text form into GetValidPasteParent and
    // selects them; false when the clipboard holds no such text. A block
    // that cannot be read ends the paste with EVxError.
    virtual bool PasteFromClipboard();
    void CutToClipboard();
    // The elements as text blocks, and pasting such text (the clipboard's
    // two halves).
    QString ElementsText(const QList<TVxControl *> &elements);
    QList<TVxControl *> PasteText(const QString &text, TVxControl *target);

    // Alignment to selected element 0 (at least two selected; elements with
    // "BlockMove" stay).
    void LeftAlignSelectedElements();
    void RightAlignSelectedElements();
    void TopAlignSelectedElements();
    void BottomAlignSelectedElements();
    void HorizontalCenterSelectedElements();
    void VerticalCenterSelectedElements();
    // The whole selection centred in its parent (one or more selected).
    void HorizontalParentCenterSelectedElements();
    void VerticalParentCenterSelectedElements();
    // Equal steps between the smallest and largest left (top), in selection
    // order (at least three selected to change anything).
    void HorizontalSpaceEqualSelectedElements();
    void VerticalSpaceEqualSelectedElements();

    // Text alignment ("Alignment" 0, 1, 2) of the selected elements without
    // "BlockEdit".
    virtual void TextLeftAlign();
    virtual void TextRightAlign();
    virtual void TextCenter();
    // Font commands on the selected elements without "BlockEdit" (the
    // report's font with nothing selected); nothing while not Enabled.
    void SetSelectedElementsFont(const QString &fontName);
    void SetSelectedElementsFontSize(int size);
    void SetSelectedElementsFontColor(TColor color);
    // Each argument: 1 switches the style on, -1 off, 0 leaves it.
    void SetSelectedElementsFontStyle(int bold, int underline, int italic);

    void BringToFrontSelectedElements();
    void SendToBackSelectedElements();

    // Gives every selected element the next group number; 0 with fewer than
    // one element.
    virtual int GroupSelectedElements();
    void UngroupElement(TVxControl *element);
    void UngroupAllElements();
    int GroupCounter() const { return m_groupCounter; }

    // --- Loading ------------------------------------------------------------
    // A whole template: the selection is dropped first; afterwards the report
    // is unchanged, the undo lists are empty and new groups are numbered
    // after the highest group of the template.
    void LoadCompsAndDatamoduleFromStream(QIODevice &stream) override;
    void Clear() override;
    void SetParentControl(TCustomVexa *report) override;

    TSaveUserDataEvent OnSaveUserData() const { return m_onSaveUserData; }
    void SetOnSaveUserData(const TSaveUserDataEvent &hook) { m_onSaveUserData = hook; }

    // Components of the report left out when it is written (the designer's
    // selection surface).
    void SetChildFilter(std::function<bool(TComponent *)> filter);

    // Each raises EVxError when the stream cannot be written.
    void SaveHeaderToStream(QIODevice &stream);
    void SaveDatamoduleToStream(QIODevice &stream);
    // Blocks 3 and 4; clears the changed flag.
    void SaveToStream(QIODevice &stream);
    // Blocks 3 and 4 to a file (undo snapshots), written safely.
    void SaveToFile(const QString &fileName);

    // The whole template: the report's title into the header, the user data
    // from the save hook, then blocks 1 to 4.
    QByteArray SaveTemplateToBytes();
    void SaveTemplateToStream(QIODevice &stream);
    // Writes the template to a file; with a backup extension (".BAK") an
    // existing file is kept under that extension first. The current file
    // name becomes fileName on success. Raises EVxError naming the file.
    void SaveTemplateToFile(const QString &fileName, const QString &backupExtension = QString());

protected:
    virtual void RewriteBlockForWriting(QByteArray &text) const;
    virtual void UndoStateChanged();
    // The report and its add-ons as text (an undo snapshot), and back.
    QByteArray ReportSnapshot();
    // Records a change that already happened, with the snapshot taken before.
    void CommitChange(const QByteArray &before);
    virtual void RestoreSnapshot(const QByteArray &snapshot);
    // Runs fn on every selected element without the add-on flag (none: all).
    void ForEditableSelected(const char *blockFlag, const std::function<void(TVxControl *)> &fn);
    // Repaints the selection and recomputes the surface after a command.
    void SelectionMoved();
    // An element was pasted or inserted: selected, named and made visible.
    virtual void AfterPaste(TVxControl *element, TVxControl *target);

private:
    QByteArray BlockText(TComponent *root, TComponent *lookupRoot);
    void WriteBytes(QIODevice &stream, const QByteArray &bytes);
    void WriteFileSafely(const QString &fileName, const QByteArray &bytes, const QString &backupExtension);

    void AlignSelected(const std::function<void(TVxControl *reference, TVxControl *element)> &place);
    void SpaceEqual(bool horizontal);
    void ParentCenter(bool horizontal);
    void SetTextAlignment(int alignment);
    void ApplyFont(const std::function<void(TVxFont *)> &change);
    void PushSnapshot(QList<QByteArray> &list, const QByteArray &snapshot);
    // One undo (from the undo list to the redo list) or redo step.
    bool Step(QList<QByteArray> &from, QList<QByteArray> &to);

    TComponentSaver *m_saver = nullptr;
    TRuntimeComponentMover *m_mover = nullptr;
    bool m_changed = false;
    bool m_enabled = false;
    bool m_undoEnabled = false;
    int m_undoLevels = 3;
    int m_groupCounter = 0;
    QList<QByteArray> m_undo;
    QList<QByteArray> m_redo;
    TNotifyEvent m_onSelectionChanged;
    TNotifyEvent m_onUndoStateChanged;
    TSaveUserDataEvent m_onSaveUserData;
};

} // namespace zelmio
