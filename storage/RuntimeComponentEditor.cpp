#include "storage/RuntimeComponentEditor.h"

#include "platform/SafeFileWriter.h"
#include "platform/VxError.h"
#include "model/CustomVexa.h"
#include "model/ClassRegistry.h"
#include "model/PropertyAccess.h"
#include "model/VxBasePanel.h"
#include "model/VxControl.h"
#include "model/VxFont.h"
#include "storage/ComponentFileHeader.h"
#include "storage/ComponentLoader.h"
#include "storage/ComponentSaver.h"
#include "storage/DesignClipboard.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentMover.h"
#include "storage/RuntimeDatamodule.h"
#include "storage/TemplateFileRewrite.h"
#include "storage/TextFormReader.h"
#include "storage/UniqueComponentName.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zelmio {

TRuntimeComponentEditor::TRuntimeComponentEditor(TComponent *owner)
    : TRuntimeComponentLoader(owner)
{
    m_saver = new TComponentSaver(this);
    m_saver->SetBeforeComponentWrite([this](QByteArray &text) { RewriteBlockForWriting(text); });
    m_mover = new TRuntimeComponentMover(this);
    m_mover->SetPropertyAddons(PropertyAddons());
    m_mover->SetOnSelectionChanged([this](TVxControl *control) { SelectionChanged(control); });
}

TRuntimeComponentEditor::~TRuntimeComponentEditor()
{
    Destroying();
    m_mover->SetOnSelectionChanged(TSelectionChangedEvent());
}

void TRuntimeComponentEditor::SetChildFilter(std::function<bool(TComponent *)> filter)
{
    m_saver->SetChildFilter(std::move(filter));
}

void TRuntimeComponentEditor::RewriteBlockForWriting(QByteArray &text) const
{
    if (DatabaseOwner() && !DatabaseOwner()->objectName().isEmpty())
        text = ReplaceOutsideQuotes(text, " = " + DatabaseOwner()->objectName().toUtf8() + ".", " = DatabaseOwner.");
    text = ReplaceOutsideQuotes(text, ": TVxDWQuery", ": TVxQuery");
}

QByteArray TRuntimeComponentEditor::BlockText(TComponent *root, TComponent *lookupRoot)
{
    // Writing must not cost any add-on.
    const bool enabled = PropertyAddons()->Enabled();
    PropertyAddons()->SetEnabled(false);
    m_saver->SetLookupRoot(lookupRoot);
    QByteArray text;
    try {
        text = m_saver->WriteComponentText(root);
    } catch (...) {
        PropertyAddons()->SetEnabled(enabled);
        m_saver->SetLookupRoot(nullptr);
        throw;
    }
    PropertyAddons()->SetEnabled(enabled);
    m_saver->SetLookupRoot(nullptr);
    return text;
}

void TRuntimeComponentEditor::WriteBytes(QIODevice &stream, const QByteArray &bytes)
{
    if (stream.write(bytes) != bytes.size())
        throw EVxError(QStringLiteral("Cannot write the template: %1").arg(stream.errorString()));
}

void TRuntimeComponentEditor::SaveHeaderToStream(QIODevice &stream)
{
    WriteBytes(stream, BlockText(Header(), nullptr));
}

void TRuntimeComponentEditor::SaveDatamoduleToStream(QIODevice &stream)
{
    WriteBytes(stream, BlockText(Datamodule(), nullptr));
}

void TRuntimeComponentEditor::SaveToStream(QIODevice &stream)
{
    if (!ParentControl())
        throw EVxError(QStringLiteral("There is no report to save"));
    QByteArray bytes = BlockText(ParentControl(), nullptr);
    bytes += BlockText(PropertyAddons(), ElementOwner());
    WriteBytes(stream, bytes);
    m_changed = false;
}

void TRuntimeComponentEditor::SaveToFile(const QString &fileName)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    WriteFileSafely(fileName, bytes, QString());
}

QByteArray TRuntimeComponentEditor::SaveTemplateToBytes()
{
    if (!ParentControl())
        throw EVxError(QStringLiteral("There is no report to save"));
    Header()->SetReportTitle(ParentControl()->ReportTitle());
    if (m_onSaveUserData) {
        QByteArray userData;
        QBuffer buffer(&userData);
        buffer.open(QIODevice::WriteOnly);
        m_onSaveUserData(buffer);
        Header()->SetUserData(userData);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveHeaderToStream(buffer);
    SaveDatamoduleToStream(buffer);
    SaveToStream(buffer);
    return bytes;
}

void TRuntimeComponentEditor::SaveTemplateToStream(QIODevice &stream)
{
    const qint64 start = stream.pos();
    WriteBytes(stream, SaveTemplateToBytes());
    stream.seek(start);
}

void TRuntimeComponentEditor::SaveTemplateToFile(const QString &fileName, const QString &backupExtension)
{
    const QByteArray bytes = SaveTemplateToBytes();
    WriteFileSafely(fileName, bytes, backupExtension);
    SetFileName(fileName);
}

void TRuntimeComponentEditor::WriteFileSafely(const QString &fileName, const QByteArray &bytes,
                                              const QString &backupExtension)
{
    QString backup;
    const QFileInfo info(fileName);
    if (!backupExtension.isEmpty() && info.exists()) {
        const QString extension = backupExtension.startsWith(QLatin1Char('.')) ? backupExtension
                                                                                 : QLatin1Char('.') + backupExtension;
        backup = info.path() + QLatin1Char('/') + info.completeBaseName() + extension;
        if (QFileInfo(backup).absoluteFilePath() == info.absoluteFilePath())
            backup.clear();
    }
    // The backup is a copy written only once the new content is safely on
    // disk, so a failed save leaves the file and its old backup as they were.
    zelmio::WriteFileSafely(fileName, bytes, backup);
}

// --- Change tracking and undo ----------------------------------------------

void TRuntimeComponentEditor::SetHasChanged(bool changed)
{
    if (changed && m_undoEnabled && ParentControl()) {
        const bool wasEmpty = m_undo.isEmpty();
        PushSnapshot(m_undo, ReportSnapshot());
        const bool hadRedo = !m_redo.isEmpty();
        m_redo.clear();
        if (wasEmpty || hadRedo)
            UndoStateChanged();
    }
    m_changed = changed;
}

void TRuntimeComponentEditor::CommitChange(const QByteArray &before)
{
    if (m_undoEnabled && !before.isEmpty()) {
        const bool wasEmpty = m_undo.isEmpty();
        PushSnapshot(m_undo, before);
        const bool hadRedo = !m_redo.isEmpty();
        m_redo.clear();
        if (wasEmpty || hadRedo)
            UndoStateChanged();
    }
    m_changed = true;
}

void TRuntimeComponentEditor::PushSnapshot(QList<QByteArray> &list, const QByteArray &snapshot)
{
    list.append(snapshot);
    while (list.size() > std::max(0, m_undoLevels))
        list.removeFirst();
}

void TRuntimeComponentEditor::SetUndoEnabled(bool enabled)
{
    if (m_undoEnabled == enabled)
        return;
    m_undoEnabled = enabled;
    if (!enabled && (!m_undo.isEmpty() || !m_redo.isEmpty())) {
        m_undo.clear();
        m_redo.clear();
        UndoStateChanged();
    }
}

void TRuntimeComponentEditor::SetUndoLevels(int levels)
{
    m_undoLevels = std::max(0, levels);
    while (m_undo.size() > m_undoLevels)
        m_undo.removeFirst();
}

void TRuntimeComponentEditor::UndoStateChanged()
{
    m_onUndoStateChanged(this);
}

QByteArray TRuntimeComponentEditor::ReportSnapshot()
{
    if (!ParentControl())
        throw EVxError(QStringLiteral("There is no report to edit"));
    return BlockText(ParentControl(), nullptr) + BlockText(PropertyAddons(), ElementOwner());
}

void TRuntimeComponentEditor::RestoreSnapshot(const QByteArray &snapshot)
{
    ClearControls();
    ComponentLoader()->SetOnSetName([this](TComponent *component, QString &name) { ComponentLoader_OnSetName(component, name); });
    QByteArray copy = snapshot;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

bool TRuntimeComponentEditor::Undo()
{
    return CanUndo() && Step(m_undo, m_redo);
}

bool TRuntimeComponentEditor::Redo()
{
    return CanRedo() && Step(m_redo, m_undo);
}

bool TRuntimeComponentEditor::Step(QList<QByteArray> &from, QList<QByteArray> &to)
{
    m_mover->Detach();
    const bool toWasEmpty = to.isEmpty();
    const QByteArray current = ReportSnapshot();
    const QByteArray snapshot = from.takeLast();
    try {
        // The present controls go first: reading a snapshot adds to them.
        RestoreSnapshot(snapshot);
    } catch (...) {
        // The report goes back to what it was before the attempt.
        from.append(snapshot);
        RestoreSnapshot(current);
        throw;
    }
    PushSnapshot(to, current);
    m_changed = true;
    if (from.isEmpty() || toWasEmpty)
        UndoStateChanged();
    return true;
}

// --- Settings -------------------------------------------------------------------

void TRuntimeComponentEditor::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled)
        m_mover->Detach();
}

int TRuntimeComponentEditor::GridSizeX() const { return m_mover->GridSizeX(); }
void TRuntimeComponentEditor::SetGridSizeX(int size) { m_mover->SetGridSizeX(size); }
int TRuntimeComponentEditor::GridSizeY() const { return m_mover->GridSizeY(); }
void TRuntimeComponentEditor::SetGridSizeY(int size) { m_mover->SetGridSizeY(size); }
int TRuntimeComponentEditor::KeyboardMoveX() const { return m_mover->KeyboardMoveX(); }
void TRuntimeComponentEditor::SetKeyboardMoveX(int step) { m_mover->SetKeyboardMoveX(step); }
int TRuntimeComponentEditor::KeyboardMoveY() const { return m_mover->KeyboardMoveY(); }
void TRuntimeComponentEditor::SetKeyboardMoveY(int step) { m_mover->SetKeyboardMoveY(step); }
int TRuntimeComponentEditor::MinElementWidth() const { return m_mover->MinElementWidth(); }
void TRuntimeComponentEditor::SetMinElementWidth(int width) { m_mover->SetMinElementWidth(width); }
int TRuntimeComponentEditor::MinElementHeight() const { return m_mover->MinElementHeight(); }
void TRuntimeComponentEditor::SetMinElementHeight(int height) { m_mover->SetMinElementHeight(height); }

void TRuntimeComponentEditor::SetParentControl(TCustomVexa *report)
{
    TRuntimeComponentLoader::SetParentControl(report);
    m_mover->SetParentControl(report);
}

// --- Selection --------------------------------------------------------------------

void TRuntimeComponentEditor::SelectElement(bool unselect, TVxControl *element)
{
    if (!element)
        return;
    if (unselect)
        m_mover->ReleaseChild(element);
    else if (m_enabled)
        m_mover->Attach(element);
}

TVxControl *TRuntimeComponentEditor::GetSelectedElement() const
{
    return m_mover->GetChild(0);
}

QList<TVxControl *> TRuntimeComponentEditor::GetSelectedElements() const
{
    return m_mover->Selection();
}

int TRuntimeComponentEditor::SelectedCount() const
{
    return int(m_mover->Selection().size());
}

void TRuntimeComponentEditor::SelectionChanged(TVxControl *)
{
    m_onSelectionChanged(this);
}

void TRuntimeComponentEditor::SelectionMoved()
{
    for (TVxControl *control : GetSelectedElements())
        control->Invalidate();
    if (TVxControl *parent = m_mover->SurfaceParent())
        parent->Invalidate();
    m_mover->RecalcSize();
}

void TRuntimeComponentEditor::ForEditableSelected(const char *blockFlag,
                                                  const std::function<void(TVxControl *)> &fn)
{
    for (TVxControl *control : GetSelectedElements()) {
        if (blockFlag && GetBoolProp(control, QLatin1String(blockFlag)))
            continue;
        fn(control);
    }
}

// --- Delete and clipboard ---------------------------------------------------------

TVxControl *TRuntimeComponentEditor::GetValidPasteParent()
{
    TVxControl *first = GetSelectedElement();
    if (!first)
        return ParentControl();
    if (qobject_cast<TVxBasePanel *>(first))
        return first;
    return first->Parent() ? first->Parent() : ParentControl();
}

void TRuntimeComponentEditor::DeleteSelectedElements()
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.isEmpty())
        return;
    SetHasChanged(true);
    // A selected band frees its selected elements with it.
    QList<QPointer<TVxControl>> doomed(selection.cbegin(), selection.cend());
    m_mover->Detach();
    for (const QPointer<TVxControl> &control : doomed)
        delete control.data();
}

QString TRuntimeComponentEditor::ElementsText(const QList<TVxControl *> &elements)
{
    QByteArray text;
    for (TVxControl *element : elements)
        text += BlockText(element, ElementOwner());
    return QString::fromUtf8(text);
}

bool TRuntimeComponentEditor::CopyToClipboard()
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.isEmpty())
        return false;
    DesignClipboard()->SetText(ElementsText(selection));
    return true;
}

void TRuntimeComponentEditor::CutToClipboard()
{
    if (GetSelectedElements().isEmpty())
        return;
    SetHasChanged(true);
    if (CopyToClipboard())
        DeleteSelectedElements();
}

bool TRuntimeComponentEditor::PasteFromClipboard()
{
    const QString text = DesignClipboard()->Text();
    if (!text.trimmed().startsWith(QLatin1String("object"), Qt::CaseInsensitive))
        return false;
    SetHasChanged(true);
    TVxControl *target = GetValidPasteParent();
    m_mover->Detach();
    PasteText(text, target);
    return true;
}

QList<TVxControl *> TRuntimeComponentEditor::PasteText(const QString &text, TVxControl *target)
{
    if (!target)
        throw EVxError(QStringLiteral("There is no report to paste into"));
    TComponent *owner = ElementOwner();
    const QByteArray data = text.toUtf8();
    QList<TVxControl *> pasted;
    TComponentLoader *loader = ComponentLoader();
    loader->ClearWarnings();
    loader->SetBeforeComponentRead([this](QByteArray &block) { RewriteBlockForReading(block); });
    loader->SetAfterComponentRead(TComponentEvent());
    loader->SetOnReferenceName(TReferenceNameEvent());
    loader->SetOnSetName([this](TComponent *component, QString &name) { ComponentLoader_OnSetName(component, name); });
    loader->SetLookupRoot(owner);
    const auto finish = [&] {
        loader->SetLookupRoot(nullptr);
        loader->SetBeforeComponentRead(TComponentTextEvent());
        if (!pasted.isEmpty())
            SelectionChanged(pasted.first());
    };
    qsizetype offset = 0;
    try {
        for (offset = TTextFormReader::SkipWhiteSpace(data, offset); offset < data.size();
             offset = TTextFormReader::SkipWhiteSpace(data, offset)) {
            TTextFormReader peek(data, offset);
            const TTextObject head = peek.ReadObject();
            TComponent *component = CreateComponentByClassName(head.className, owner);
            if (!component)
                throw EVxError(QStringLiteral("Cannot paste: class %1 is not registered").arg(head.className));
            auto *element = qobject_cast<TVxControl *>(component);
            if (!element || qobject_cast<TCustomVexa *>(element)) {
                delete component;
                throw EVxError(QStringLiteral("Cannot paste: %1 is not a report element").arg(head.className));
            }
            element->SetParent(target);
            try {
                offset = loader->ReadComponent(element, data, offset);
            } catch (...) {
                delete element;
                throw;
            }
            // A name the window already has is replaced by the next free one.
            if (element->Name().isEmpty() && !head.name.isEmpty())
                element->SetName(FindUniqueComponentName(owner, head.name, false));
            AfterPaste(element, target);
            pasted.append(element);
        }
    } catch (const std::exception &e) {
        finish();
        throw EVxError(QStringLiteral("Pasting stopped at block %1: %2")
                           .arg(pasted.size() + 1)
                           .arg(QString::fromUtf8(e.what())));
    }
    finish();
    return pasted;
}

void TRuntimeComponentEditor::AfterPaste(TVxControl *element, TVxControl *target)
{
    // An element below the target's bottom would be invisible there.
    if (element->Top() >= target->Height())
        element->SetTop(std::max(0, target->Height() - element->Height()));
    if (m_enabled)
        m_mover->AttachWithoutEvents(element);
}

// --- Alignment and spacing --------------------------------------------------------

void TRuntimeComponentEditor::AlignSelected(
    const std::function<void(TVxControl *reference, TVxControl *element)> &place)
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.size() < 2)
        return;
    SetHasChanged(true);
    TVxControl *reference = selection.first();
    for (TVxControl *element : selection.mid(1)) {
        if (!GetBoolProp(element, QStringLiteral("BlockMove")))
            place(reference, element);
    }
    SelectionMoved();
}

void TRuntimeComponentEditor::LeftAlignSelectedElements()
{
    AlignSelected([](TVxControl *r, TVxControl *e) { e->SetLeft(r->Left()); });
}

void TRuntimeComponentEditor::RightAlignSelectedElements()
{
    AlignSelected([](TVxControl *r, TVxControl *e) { e->SetLeft(r->Left() + r->Width() - e->Width()); });
}

void TRuntimeComponentEditor::TopAlignSelectedElements()
{
    AlignSelected([](TVxControl *r, TVxControl *e) { e->SetTop(r->Top()); });
}

void TRuntimeComponentEditor::BottomAlignSelectedElements()
{
    AlignSelected([](TVxControl *r, TVxControl *e) { e->SetTop(r->Top() + r->Height() - e->Height()); });
}

void TRuntimeComponentEditor::HorizontalCenterSelectedElements()
{
    AlignSelected([](TVxControl *r, TVxControl *e) { e->SetLeft(r->Left() + r->Width() / 2 - e->Width() / 2); });
}

void TRuntimeComponentEditor::VerticalCenterSelectedElements()
{
    AlignSelected([](TVxControl *r, TVxControl *e) { e->SetTop(r->Top() + r->Height() / 2 - e->Height() / 2); });
}

void TRuntimeComponentEditor::ParentCenter(bool horizontal)
{
    const QList<TVxControl *> selection = GetSelectedElements();
    TVxControl *parent = m_mover->SurfaceParent();
    if (selection.isEmpty() || !parent)
        return;
    SetHasChanged(true);
    const QRect surface = m_mover->BoundsRect();
    if (horizontal) {
        const int left = int(std::lrint((parent->Width() - surface.width()) / 2.0));
        for (TVxControl *element : selection)
            element->SetLeft(element->Left() + left - surface.left());
    } else {
        const int top = parent->Height() / 2 - surface.height() / 2;
        for (TVxControl *element : selection)
            element->SetTop(element->Top() + top - surface.top());
    }
    SelectionMoved();
}

void TRuntimeComponentEditor::HorizontalParentCenterSelectedElements() { ParentCenter(true); }
void TRuntimeComponentEditor::VerticalParentCenterSelectedElements() { ParentCenter(false); }

void TRuntimeComponentEditor::SpaceEqual(bool horizontal)
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.size() < 2)
        return;
    SetHasChanged(true);
    const auto position = [horizontal](const TVxControl *e) { return horizontal ? e->Left() : e->Top(); };
    int lowest = std::numeric_limits<int>::max();
    int highest = std::numeric_limits<int>::min();
    for (const TVxControl *element : selection) {
        lowest = std::min(lowest, position(element));
        highest = std::max(highest, position(element));
    }
    const int step = (highest - lowest) / int(selection.size() - 1);
    for (int i = 0; i < selection.size(); ++i) {
        TVxControl *element = selection.at(i);
        if (GetBoolProp(element, QStringLiteral("BlockMove")))
            continue;
        if (horizontal)
            element->SetLeft(lowest + i * step);
        else
            element->SetTop(lowest + i * step);
    }
    SelectionMoved();
}

void TRuntimeComponentEditor::HorizontalSpaceEqualSelectedElements() { SpaceEqual(true); }
void TRuntimeComponentEditor::VerticalSpaceEqualSelectedElements() { SpaceEqual(false); }

// --- Text and fonts -------------------------------------------------------------

void TRuntimeComponentEditor::SetTextAlignment(int alignment)
{
    if (GetSelectedElements().isEmpty())
        return;
    SetHasChanged(true);
    ForEditableSelected("BlockEdit", [alignment](TVxControl *element) {
        if (PropertyExists(element, QStringLiteral("Alignment"))) {
            SetIntegerProperty(element, QStringLiteral("Alignment"), alignment);
            element->Invalidate();
        }
    });
}

void TRuntimeComponentEditor::TextLeftAlign() { SetTextAlignment(0); }
void TRuntimeComponentEditor::TextRightAlign() { SetTextAlignment(1); }
void TRuntimeComponentEditor::TextCenter() { SetTextAlignment(2); }

void TRuntimeComponentEditor::ApplyFont(const std::function<void(TVxFont *)> &change)
{
    if (!m_enabled)
        return;
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.isEmpty()) {
        if (ParentControl() && ParentControl()->Font()) {
            SetHasChanged(true);
            change(ParentControl()->Font());
            ParentControl()->Invalidate();
        }
        return;
    }
    SetHasChanged(true);
    ForEditableSelected("BlockEdit", [&change](TVxControl *element) {
        if (!PropertyExists(element, QStringLiteral("Font")))
            return;
        if (TVxFont *font = GetFontProperty(element)) {
            change(font);
            element->Invalidate();
        }
    });
}

void TRuntimeComponentEditor::SetSelectedElementsFont(const QString &fontName)
{
    if (fontName.trimmed().isEmpty())
        return;
    ApplyFont([&fontName](TVxFont *font) { font->SetName(fontName); });
}

void TRuntimeComponentEditor::SetSelectedElementsFontSize(int size)
{
    if (size <= 0)
        return;
    ApplyFont([size](TVxFont *font) { font->SetSize(size); });
}

void TRuntimeComponentEditor::SetSelectedElementsFontColor(TColor color)
{
    if (!m_enabled)
        return;
    if (GetSelectedElements().isEmpty()) {
        ApplyFont([color](TVxFont *font) { font->SetColor(color); });
        return;
    }
    SetHasChanged(true);
    ForEditableSelected("BlockEdit", [color](TVxControl *element) {
        if (PropertyExists(element, QStringLiteral("Font"))) {
            if (TVxFont *font = GetFontProperty(element))
                font->SetColor(color);
        } else if (PropertyExists(element, QStringLiteral("Pen"))) {
            SetIntegerProperty(element, QStringLiteral("Pen.Color"), qint64(color));
        }
        element->Invalidate();
    });
}

void TRuntimeComponentEditor::SetSelectedElementsFontStyle(int bold, int underline, int italic)
{
    TFontStyles on;
    TFontStyles off;
    const auto sort = [&](int value, TFontStyle style) {
        if (value > 0)
            on |= style;
        else if (value < 0)
            off |= style;
    };
    sort(bold, TFontStyle::fsBold);
    sort(underline, TFontStyle::fsUnderline);
    sort(italic, TFontStyle::fsItalic);
    ApplyFont([on, off](TVxFont *font) { font->SetStyle((font->Style() | on) & ~off); });
}

// --- Z-order and groups -----------------------------------------------------------

void TRuntimeComponentEditor::BringToFrontSelectedElements()
{
    if (GetSelectedElements().isEmpty() || m_mover->Locked())
        return;
    SetHasChanged(true);
    m_mover->BringToFront();
}

void TRuntimeComponentEditor::SendToBackSelectedElements()
{
    if (GetSelectedElements().isEmpty() || m_mover->Locked())
        return;
    SetHasChanged(true);
    m_mover->SendToBack();
}

int TRuntimeComponentEditor::GroupSelectedElements()
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.isEmpty())
        return 0;
    SetHasChanged(true);
    ++m_groupCounter;
    for (TVxControl *element : selection)
        PropertyAddons()->SetIntProp(element, QStringLiteral("GroupID"), m_groupCounter);
    return m_groupCounter;
}

void TRuntimeComponentEditor::UngroupElement(TVxControl *element)
{
    if (!element)
        return;
    SetHasChanged(true);
    PropertyAddons()->SetIntProp(element, QStringLiteral("GroupID"), 0);
    m_mover->ReleaseChild(element);
}

void TRuntimeComponentEditor::UngroupAllElements()
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.isEmpty())
        return;
    SetHasChanged(true);
    for (TVxControl *element : selection)
        PropertyAddons()->SetIntProp(element, QStringLiteral("GroupID"), 0);
    m_mover->Detach();
}

// --- Loading and clearing -----------------------------------------------------------

void TRuntimeComponentEditor::LoadCompsAndDatamoduleFromStream(QIODevice &stream)
{
    m_mover->Detach();
    const auto reset = [this] {
        m_changed = false;
        const bool hadSnapshots = !m_undo.isEmpty() || !m_redo.isEmpty();
        m_undo.clear();
        m_redo.clear();
        if (hadSnapshots)
            UndoStateChanged();
        // New groups are numbered after the template's own, so that they
        // never join a stored group by accident.
        m_groupCounter = 0;
        if (TComponent *owner = ElementOwner()) {
            for (TComponent *component : owner->ComponentList()) {
                try {
                    m_groupCounter = std::max(m_groupCounter, PropertyAddons()->GetIntProp(component, QStringLiteral("GroupID")));
                } catch (const std::exception &) {
                }
            }
        }
    };
    try {
        TRuntimeComponentLoader::LoadCompsAndDatamoduleFromStream(stream);
    } catch (...) {
        reset();
        throw;
    }
    reset();
}

void TRuntimeComponentEditor::Clear()
{
    m_mover->Detach();
    TRuntimeComponentLoader::Clear();
    m_groupCounter = 0;
    m_changed = false;
    const bool hadSnapshots = !m_undo.isEmpty() || !m_redo.isEmpty();
    m_undo.clear();
    m_redo.clear();
    if (hadSnapshots)
        UndoStateChanged();
}

} // namespace zelmio
