#include "designer/VexaDesigner.h"

#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "model/ClassRegistry.h"
#include "model/PropertyAccess.h"
#include "model/VxChildBand.h"
#include "model/VxCustomBand.h"
#include "model/VxCustomLabel.h"
#include "model/VxPicture.h"
#include "model/VxPrintable.h"
#include "platform/DataSet.h"
#include "platform/VxError.h"
#include "storage/DesignClipboard.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentMover.h"
#include "storage/RuntimeDatamodule.h"
#include "storage/UniqueComponentName.h"
#include "storage/VxDCtrlFactory.h"

#include <QBuffer>
#include <QLocale>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zelmio {

namespace {

bool IsBand(const TVxControl *control)
{
    return qobject_cast<const TVxCustomBand *>(control) != nullptr;
}

// The "name=value" entry of a list for name (without regard to case).
QString LookUp(const QStringList &lines, const QString &name)
{
    const QString prefix = name + QLatin1Char('=');
    for (const QString &line : lines) {
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    }
    return QString();
}

} // namespace

TVexaDesigner::TVexaDesigner(TComponent *owner)
    : TRuntimeComponentEditor(owner)
{
    RegisterDesignTimeClasses();
    m_factory = new TVxDCtrlFactory(this);
}

void TVexaDesigner::SetAvailableDatasetNames(const QStringList &names)
{
    m_availableDatasetNames.clear();
    for (const QString &name : names) {
        if (!name.trimmed().isEmpty())
            m_availableDatasetNames.append(name);
    }
}

QString TVexaDesigner::Message(const QString &key, const QString &fallback) const
{
    return RuntimeMessage(key, fallback);
}

bool TVexaDesigner::Ask(const QString &question) const
{
    return !m_onAskQuestion || m_onAskQuestion(question);
}

// --- Insert modes -------------------------------------------------------------

void TVexaDesigner::SetTesmolaState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_onDesignStateChanged(this, state);
    Mover()->SetForwardMouseEvents(state != dsNormal);
}

TVxControl *TVexaDesigner::ReportMouseDown(TVxControl *clicked, QPoint point)
{
    if (m_state == dsNormal || !ParentControl() || !Enabled())
        return nullptr;
    TVxControl *created = nullptr;
    switch (m_state) {
    case dsBand:
    case dsSubdetail:
    case dsGroup:
    case dsChildband:
        created = InsertBand(m_state);
        SetTesmolaState(dsNormal);
        break;
    default:
        created = InsertElement(m_state, clicked ? clicked : ParentControl(), point);
        if (!m_addMultiple)
            SetTesmolaState(dsNormal);
        break;
    }
    return created;
}

TVxControl *TVexaDesigner::InsertBand(int state)
{
    SetHasChanged(true);
    Mover()->Detach();
    TCustomVexa *report = ParentControl();
    TVxControl *band = nullptr;
    switch (state) {
    case dsSubdetail:
        band = m_factory->CreateSubdetail(report, -1);
        break;
    case dsGroup:
        band = m_factory->CreateGroup(report, -1);
        break;
    case dsChildband:
        band = m_factory->CreateChildband(report, -1);
        break;
    default:
        band = m_factory->CreateBand(report, TVxBandType::rbTitle, -1);
        break;
    }
    band->SetName(QString());
    band->SetName(FindUniqueComponentName(ElementOwner(), QStringLiteral("BAND"), false));
    if (PropertyExists(band, QStringLiteral("Caption")))
        SetStringProperty(band, QStringLiteral("Caption"), QString());
    return FinishNewElement(band) ? band : nullptr;
}

TVxControl *TVexaDesigner::CreateStandalone(int state, TVxControl *target, int left, int top)
{
    switch (state) {
    case dsLabel: return m_factory->CreateLabel(target, left, top);
    case dsDBText: return m_factory->CreateDBText(target, left, top);
    case dsExpression: return m_factory->CreateExpr(target, left, top);
    case dsSysdata: return m_factory->CreateSysdata(target, left, top);
    case dsShape: return m_factory->CreateShape(target, left, top);
    case dsImage: return m_factory->CreateImage(target, left, top);
    case dsDBImage: return m_factory->CreateDBImage(target, left, top);
    case dsMemo: return m_factory->CreateMemo(target, left, top);
    case dsRichtext: return m_factory->CreateRichtext(target, left, top);
    case dsDBRichtext: return m_factory->CreateDBRichtext(target, left, top);
    case dsBarcode: return m_factory->CreateBarcode(target, left, top);
    case dsDBBarcode: return m_factory->CreateDBBarcode(target, left, top);
    default: return nullptr; // charts, check boxes, grids: not available
    }
}

TVxControl *TVexaDesigner::InsertElement(int state, TVxControl *clicked, QPoint point)
{
    const bool barcode = state == dsBarcode || state == dsDBBarcode;
    if ((state < dsLabel || state > dsDBRichtext) && !barcode)
        return nullptr;
    // The band that was clicked, the report itself, or the clicked element's
    // parent; the point goes into the target's coordinates.
    TVxControl *target = clicked;
    if (clicked != ParentControl() && !IsBand(clicked)) {
        target = clicked->Parent() ? clicked->Parent() : ParentControl();
        point += QPoint(clicked->Left(), clicked->Top());
    }
    const int gx = std::max(1, GridSizeX());
    const int gy = std::max(1, GridSizeY());
    const int left = std::max(0, point.x()) / gx * gx;
    const int top = std::max(0, point.y()) / gy * gy;

    TDataSet *dataSet = nullptr;
    if (state == dsDBText || state == dsDBImage || state == dsDBRichtext || state == dsDBBarcode) {
        QList<TDataSet *> sources;
        GetDatasourceList(sources);
        if (m_onSelectDatasource)
            dataSet = m_onSelectDatasource(sources);
        else if (!sources.isEmpty())
            dataSet = sources.first();
        if (!dataSet)
            return nullptr;
    }
    SetHasChanged(true);
    Mover()->Detach();
    TVxControl *element = CreateStandalone(state, target, left, top);
    if (!element)
        return nullptr;
    if (dataSet && PropertyExists(element, QStringLiteral("DataSet")))
        SetPointerProperty(element, QStringLiteral("DataSet"), dataSet);
    return FinishNewElement(element) ? element : nullptr;
}

TVxControl *TVexaDesigner::SwapBands(TVxControl *oldBand, const QString &className, bool recordUndo)
{
    auto *old = qobject_cast<TVxCustomBand *>(oldBand);
    if (!old || old->ClassName() == className)
        return oldBand;
    TComponent *created = CreateComponentByClassName(className, old->Owner());
    auto *band = qobject_cast<TVxCustomBand *>(created);
    if (!band) {
        delete created;
        return oldBand;
    }
    if (recordUndo)
        SetHasChanged(true);
    else
        SetChanged(true);
    const QList<TVxControl *> selection = GetSelectedElements();
    const bool wasSelected = selection.contains(old);
    Mover()->DetachWithoutEvents();

    band->SetParent(old->Parent() ? old->Parent() : ParentControl());
    band->SetHeight(old->Height());
    if (old->Font() && band->Font())
        band->Font()->Assign(old->Font());
    band->SetParentFont(old->ParentFont());
    for (const char *flag : {"BlockDelete", "BlockMove", "BlockResize", "BlockEdit", "BlockChange",
                             "BlockSelection"}) {
        const QString name = QLatin1String(flag);
        if (GetBoolProp(old, name))
            PropertyAddons()->SetBoolProp(band, name, true);
    }
    if (old->Frame() && band->Frame())
        band->Frame()->Assign(old->Frame());
    const QList<TVxControl *> elements = old->ControlList();
    for (TVxControl *element : elements)
        element->SetParent(band);
    if (TCustomVexa *report = old->ParentReport()) {
        for (TVxCustomBand *other : report->BandList()) {
            if (auto *child = qobject_cast<TVxChildBand *>(other); child && child->ParentBand() == old)
                child->SetParentBand(band);
        }
    }
    const QString name = old->Name();
    delete old;
    band->SetName(name);
    if (TCustomVexa *report = band->ParentReport()) {
        report->RebuildBandList();
        report->SetBandValues();
    }
    for (TVxControl *control : selection)
        Mover()->AttachWithoutEvents(control == oldBand ? band : control);
    if (wasSelected || !selection.isEmpty())
        SelectionChanged(GetSelectedElement());
    return band;
}

bool TVexaDesigner::FinishNewElement(TVxControl *element)
{
    m_afterCreated(element);
    TComponent *edited = element;
    // Without a property dialog there is nothing to cancel: the element stays.
    if (m_autoEditAfterInsert && m_onEditProperties && !EditProperties(edited)) {
        delete element;
        return false;
    }
    Mover()->DetachWithoutEvents();
    SelectElement(false, element);
    return true;
}

bool TVexaDesigner::EditProperties(TComponent *&control)
{
    if (!control)
        return false;
    if (SelectedCount() >= 2) {
        m_onEditSeveral(this, GetSelectedElements());
        return true;
    }
    const QByteArray before = UndoEnabled() && ParentControl() ? ReportSnapshot() : QByteArray();
    bool result = false;
    m_onEditProperties(this, control, result);
    if (result) {
        CommitChange(before);
        if (auto *edited = qobject_cast<TVxControl *>(control))
            edited->Invalidate();
        Mover()->RecalcSize();
        UpdateInfoPanel();
    }
    return result;
}

bool TVexaDesigner::EditCurrentProperties()
{
    TComponent *control = GetSelectedElement();
    if (!control)
        control = ParentControl();
    return EditProperties(control);
}

bool TVexaDesigner::ControlDoubleClicked(TVxControl *control)
{
    if (!control || GetBoolProp(control, QStringLiteral("BlockEdit")))
        return false;
    TComponent *edited = control;
    return EditProperties(edited);
}

// --- Delete and clipboard --------------------------------------------------------

TVxControl *TVexaDesigner::GetValidPasteParent()
{
    TVxControl *first = GetSelectedElement();
    if (!first)
        return ParentControl();
    if (IsBand(first))
        return first;
    return first->Parent() ? first->Parent() : ParentControl();
}

void TVexaDesigner::DeleteSelectedElements()
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.isEmpty())
        return;
    if (!m_onDeleteElement && IsBand(selection.first())) {
        if (selection.size() == 1 && GetBoolProp(selection.first(), QStringLiteral("BlockDelete")))
            return;
        const QString question = selection.size() == 1
            ? Message(QStringLiteral("Delete band"), QStringLiteral("Delete selected band and all elements on it?"))
            : Message(QStringLiteral("Delete selected bands"), QStringLiteral("Delete all selected bands?"));
        if (!Ask(question))
            return;
    }
    SetHasChanged(true);
    // A band takes its elements along: they are followed by guarded pointers.
    const QList<QPointer<TVxControl>> doomed(selection.cbegin(), selection.cend());
    Mover()->Detach();
    for (const QPointer<TVxControl> &element : doomed) {
        if (!element || GetBoolProp(element, QStringLiteral("BlockDelete")))
            continue;
        bool doDelete = true;
        m_onDeleteElement(this, element, doDelete);
        if (!doDelete || !element)
            continue;
        if (IsBand(element) && ElementOwner()) {
            for (TComponent *component : ElementOwner()->ComponentList()) {
                if (component != element && PropertyExists(component, QStringLiteral("ParentBand"))
                    && GetPointerProperty(component, QStringLiteral("ParentBand")) == element.data())
                    SetPointerProperty(component, QStringLiteral("ParentBand"), nullptr);
            }
        }
        delete element.data();
    }
}

bool TVexaDesigner::CopyToClipboard()
{
    const QList<TVxControl *> selection = GetSelectedElements();
    if (selection.isEmpty())
        return false;
    bool doCopy = true;
    m_onBeforeCopy(selection, doCopy);
    if (!doCopy)
        return false;
    m_pasteEnabled = true;
    return TRuntimeComponentEditor::CopyToClipboard();
}

bool TVexaDesigner::PasteFromClipboard()
{
    if (!ParentControl())
        return false;
    const QString text = DesignClipboard()->Text();
    if (text.trimmed().startsWith(QLatin1String("object"), Qt::CaseInsensitive))
        return TRuntimeComponentEditor::PasteFromClipboard();
    const QImage image = text.isEmpty() ? DesignClipboard()->Image() : QImage();
    if (text.isEmpty() && image.isNull())
        return false;
    TVxControl *target = GetValidPasteParent();
    SetHasChanged(true);
    Mover()->Detach();
    TVxControl *element = nullptr;
    if (!text.isEmpty() && (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))) {
        element = m_factory->CreateMemo(target, 0, 0);
        QString lines = text;
        lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        element->setProperty("Lines", lines.split(QLatin1Char('\n')));
    } else if (!text.isEmpty()) {
        element = m_factory->CreateLabel(target, 0, 0);
        SetStringProperty(element, QStringLiteral("Caption"), text);
        SetBooleanProperty(element, QStringLiteral("AutoSize"), true);
    } else {
        element = m_factory->CreateImage(target, 0, 0);
        if (auto *picture = qobject_cast<TVxPicture *>(GetPointerProperty(element, QStringLiteral("Picture"))))
            picture->SetImage(image);
        element->SetWidth(std::min(image.width(), target->Width()));
        element->SetHeight(std::min(image.height(), target->Height()));
    }
    m_afterCreated(element);
    SelectElement(false, element);
    return true;
}

void TVexaDesigner::AfterPaste(TVxControl *element, TVxControl *target)
{
    TRuntimeComponentEditor::AfterPaste(element, target);
    m_afterCreated(element);
}

void TVexaDesigner::SelectionChanged(TVxControl *control)
{
    UpdateInfoPanel();
    TRuntimeComponentEditor::SelectionChanged(control);
}

bool TVexaDesigner::CommandEnabled(TDesignerCommand command) const
{
    const QList<TVxControl *> selection = GetSelectedElements();
    const int n = int(selection.size());
    const auto grouped = [&] {
        try {
            return n > 0 && PropertyAddons()->GetIntProp(selection.first(), QStringLiteral("GroupID")) != 0;
        } catch (const std::exception &) {
            return false;
        }
    };
    using C = TDesignerCommand;
    switch (command) {
    case C::Copy:
    case C::Cut:
    case C::Delete:
    case C::BringToFront:
    case C::SendToBack:
    case C::HorizontalParentCenter:
    case C::VerticalParentCenter:
    case C::TextAlign:
        return n > 0;
    case C::LeftAlign:
    case C::RightAlign:
    case C::TopAlign:
    case C::BottomAlign:
    case C::HorizontalCenter:
    case C::VerticalCenter:
    case C::Group:
        return n > 1;
    case C::HorizontalSpaceEqual:
    case C::VerticalSpaceEqual:
        return n > 2;
    case C::Ungroup:
    case C::UngroupAll:
        return grouped();
    case C::Paste:
        return Enabled() && ParentControl() && (m_pasteEnabled || DesignClipboard()->HasContent());
    case C::Undo:
        return CanUndo();
    case C::Redo:
        return CanRedo();
    case C::Font:
        return Enabled();
    }
    return false;
}

// --- Element menu ----------------------------------------------------------------

namespace {

QString EnabledProperty(const TVxControl *control)
{
    if (PropertyExists(control, QStringLiteral("EditorEnabled")))
        return QStringLiteral("EditorEnabled");
    if (PropertyExists(control, QStringLiteral("Enabled")))
        return QStringLiteral("Enabled");
    return QString();
}

} // namespace

QList<TElementMenuEntry> TVexaDesigner::ElementMenu(const TVxControl *clicked) const
{
    using E = TElementMenuEntry;
    const int count = SelectedCount();
    if (count == 0)
        return ScriptsAllowed() ? QList<E>{E::Edit, E::Separator, E::Scripts} : QList<E>{};
    if (clicked && PropertyAddons() &&
        PropertyAddons()->GetStringProp(clicked, QStringLiteral("GroupID"), QString()).toInt() != 0)
        return {E::Enabled, E::Separator, E::Edit,  E::Options, E::Separator,
                E::BringToFront, E::SendToBack, E::Separator, E::Group, E::Ungroup, E::UngroupAll};
    if (count > 1)
        return {E::Edit, E::Options, E::Separator, E::BringToFront, E::SendToBack, E::Separator, E::Group};
    const TVxControl *element = GetSelectedElement();
    if (ScriptsAllowed() && PropertyExists(element, QStringLiteral("DesignBackground")))
        return {E::Enabled, E::Separator, E::Edit,        E::Options, E::Separator,
                E::Scripts, E::Separator, E::BringToFront, E::SendToBack};
    return {E::Enabled, E::Separator, E::Edit, E::Options, E::Separator, E::BringToFront, E::SendToBack};
}

QString TVexaDesigner::ElementMenuCaption(TElementMenuEntry entry) const
{
    switch (entry) {
    case TElementMenuEntry::Enabled: return Message(QStringLiteral("PopupMenuEnabled"), QStringLiteral("Enabled"));
    case TElementMenuEntry::Edit: return Message(QStringLiteral("PopupMenuProperties"), QStringLiteral("Edit"));
    case TElementMenuEntry::Options: return Message(QStringLiteral("PopupMenuOptions"), QStringLiteral("Options"));
    case TElementMenuEntry::Scripts: return Message(QStringLiteral("PopupMenuScripts"), QStringLiteral("Scripts"));
    case TElementMenuEntry::BringToFront:
        return Message(QStringLiteral("PopupMenuBringToFront"), QStringLiteral("Bring to front"));
    case TElementMenuEntry::SendToBack:
        return Message(QStringLiteral("PopupMenuSendToBack"), QStringLiteral("Send to back"));
    case TElementMenuEntry::Group: return Message(QStringLiteral("PopupMenuGroup"), QStringLiteral("Group elements"));
    case TElementMenuEntry::Ungroup:
        return Message(QStringLiteral("PopupMenuUngroup"), QStringLiteral("Ungroup element"));
    case TElementMenuEntry::UngroupAll:
        return Message(QStringLiteral("PopupMenuUngroupAll"), QStringLiteral("Ungroup all elements"));
    case TElementMenuEntry::Separator: break;
    }
    return QString();
}

bool TVexaDesigner::ElementMenuChecked(TElementMenuEntry entry, const TVxControl *clicked) const
{
    const TVxControl *element = clicked ? clicked : GetSelectedElement();
    if (entry != TElementMenuEntry::Enabled || !element)
        return false;
    const QString property = EnabledProperty(element);
    return !property.isEmpty() && GetBooleanProperty(element, property);
}

bool TVexaDesigner::ElementMenuEnabled(TElementMenuEntry entry, const TVxControl *clicked) const
{
    const TVxControl *element = clicked ? clicked : GetSelectedElement();
    switch (entry) {
    case TElementMenuEntry::Enabled:
        return element && !EnabledProperty(element).isEmpty();
    case TElementMenuEntry::Edit:
        // Properties are edited through the window's property dialog.
        return bool(m_onEditProperties);
    case TElementMenuEntry::Options:
    case TElementMenuEntry::Scripts:
        // The block dialog and the script editor are not part of the window yet.
        return false;
    default:
        return true;
    }
}

bool TVexaDesigner::RunElementMenuEntry(TElementMenuEntry entry, TVxControl *clicked)
{
    TVxControl *element = clicked ? clicked : GetSelectedElement();
    switch (entry) {
    case TElementMenuEntry::Enabled: {
        if (!element || GetBoolProp(element, QStringLiteral("BlockEdit")))
            return false;
        const QString property = EnabledProperty(element);
        if (property.isEmpty())
            return false;
        SetHasChanged(true);
        SetBooleanProperty(element, property, !GetBooleanProperty(element, property));
        element->Invalidate();
        return true;
    }
    case TElementMenuEntry::Edit: {
        if (element && GetBoolProp(element, QStringLiteral("BlockEdit")))
            return false;
        SetHasChanged(true);
        TComponent *edited = element ? static_cast<TComponent *>(element) : ParentControl();
        if (EditProperties(edited) && SelectedCount() <= 1) {
            if (auto *control = qobject_cast<TVxControl *>(edited); control && control != ParentControl()) {
                Mover()->Detach();
                SelectElement(false, control);
            }
        }
        return true;
    }
    case TElementMenuEntry::BringToFront:
        BringToFrontSelectedElements();
        SetChanged(true);
        return true;
    case TElementMenuEntry::SendToBack:
        SendToBackSelectedElements();
        SetChanged(true);
        return true;
    case TElementMenuEntry::Group:
        GroupSelectedElements();
        return true;
    case TElementMenuEntry::Ungroup:
        if (!element)
            return false;
        UngroupElement(element);
        return true;
    case TElementMenuEntry::UngroupAll:
        UngroupAllElements();
        return true;
    case TElementMenuEntry::Options:
    case TElementMenuEntry::Scripts:
    case TElementMenuEntry::Separator:
        break;
    }
    return false;
}

// --- Info panel ------------------------------------------------------------------

QString TVexaDesigner::ElementDescription(const TComponent *component) const
{
    if (!component)
        return QString();
    static const std::pair<const char *, const char *> kinds[] = {
        {"zelmio::TVxChildBand", "Childband"}, {"zelmio::TVxSubDetail", "Subdetailband"},
        {"zelmio::TVxGroup", "Groupband"}, {"zelmio::TVxLoopBand", "BandLoopband"},
        {"zelmio::TVxStringsBand", "BandStringsband"}, {"zelmio::TVxCustomBand", "Band"},
        {"zelmio::TVxDBRichText", "Richtext datafield"}, {"zelmio::TVxRichText", "Richtext"},
        {"zelmio::TVxDBImage", "Image datafield"}, {"zelmio::TVxImage", "Image"},
        {"zelmio::TVxDBBarcode", "Barcode datafield"}, {"zelmio::TVxBarcode", "Barcode"},
        {"zelmio::TVxDBText", "Datafield"}, {"zelmio::TVxExpr", "Expression"},
        {"zelmio::TVxSysData", "Sysdata"}, {"zelmio::TVxMemo", "Memo"},
        {"zelmio::TVxLabel", "Label"}, {"zelmio::TVxShape", "Shape"},
    };
    QString kind = component->ClassName();
    for (const auto &[className, key] : kinds) {
        if (component->inherits(className)) {
            const QString name = QLatin1String(key);
            kind = Message(name, name == QLatin1String("Datafield") ? QStringLiteral("Data field") : name);
            break;
        }
    }
    return component->Name().isEmpty() ? kind : kind + QStringLiteral(": ") + component->Name();
}

void TVexaDesigner::UpdateInfoPanel()
{
    const QList<TVxControl *> selection = GetSelectedElements();
    m_infoX.clear();
    m_infoY.clear();
    m_infoDivider = false;
    QString info;
    if (selection.size() != 1) {
        m_onShowInfo(nullptr, info);
        m_infoText = info;
        return;
    }
    TVxControl *element = selection.first();
    const auto *printable = qobject_cast<const TVxPrintable *>(element);
    if (printable && !IsBand(element) && printable->Size()) {
        QString suffix;
        switch (ParentControl() ? ParentControl()->GetUnits() : TVxUnit::Pixels) {
        case TVxUnit::MM: suffix = QStringLiteral(" mm"); break;
        case TVxUnit::Inches: suffix = QStringLiteral(" Inches"); break;
        case TVxUnit::Characters: suffix = QStringLiteral(" Chars"); break;
        default: break;
        }
        const QLocale locale;
        const auto label = [&](int pixels, long double units) {
            return QString::number(pixels) + QStringLiteral(" (") + locale.toString(double(units), 'f', 2) + suffix
                + QLatin1Char(')');
        };
        m_infoX = label(element->Left(), printable->Size()->Left());
        m_infoY = label(element->Top(), printable->Size()->Top());
        m_infoDivider = true;
    }
    info = ElementDescription(element);
    m_onShowInfo(element, info);
    m_infoText = info;
}

// --- Data field list -----------------------------------------------------------------

QString TVexaDesigner::FieldLabel(const TField *field) const
{
    QString label = LookUp(m_fieldDisplayLabels, field->FieldName());
    if (label.isEmpty() && field->DataSet())
        label = LookUp(m_fieldDisplayLabels,
                       QLatin1Char('"') + field->DataSet()->objectName() + QStringLiteral("\".") + field->FieldName());
    return label.isEmpty() ? field->FieldName() : label;
}

bool TVexaDesigner::FieldShown(TField *field)
{
    bool show = !field->objectName().startsWith(QLatin1String("__"));
    m_onShowDatafield(field, show);
    return show;
}

void TVexaDesigner::GetDatasourceList(QList<TDataSet *> &list)
{
    QList<TDataSet *> all;
    TRuntimeComponentEditor::GetDatasourceList(all);
    TRuntimeDatamodule *module = Datamodule();
    for (TDataSet *dataSet : all) {
        const QString name = dataSet->objectName();
        if (!m_availableDatasetNames.isEmpty()) {
            const QString qualified = dataSet->parent() ? dataSet->parent()->objectName() + QLatin1Char('.') + name : name;
            const bool listed = std::any_of(m_availableDatasetNames.cbegin(), m_availableDatasetNames.cend(),
                                            [&](const QString &entry) {
                                                const QString e = entry.trimmed();
                                                return e.compare(name, Qt::CaseInsensitive) == 0
                                                    || e.compare(qualified, Qt::CaseInsensitive) == 0;
                                            });
            if (!listed)
                continue;
        }
        const bool ownClosed = module && dataSet->parent() == module && !dataSet->Active();
        bool anyShown = false;
        for (TField *field : dataSet->Fields()) {
            if (FieldShown(field)) {
                anyShown = true;
                break;
            }
        }
        if (ownClosed || anyShown)
            list.append(dataSet);
    }
}

QList<TDatafieldNode> TVexaDesigner::DatafieldTree()
{
    QList<TDatafieldNode> tree;
    if (!m_showDatafieldListbox)
        return tree;
    QList<TDataSet *> sources;
    GetDatasourceList(sources);
    for (TDataSet *dataSet : sources) {
        TDatafieldNode node;
        node.dataSet = dataSet;
        const QString label = LookUp(m_datasetDisplayLabels, dataSet->objectName());
        node.title = (label.isEmpty() ? dataSet->objectName() : label).toUpper();
        QList<std::pair<QString, TField *>> fields;
        for (TField *field : dataSet->Fields()) {
            if (FieldShown(field))
                fields.append({FieldLabel(field), field});
        }
        if (m_datafieldsSorted)
            std::stable_sort(fields.begin(), fields.end(), [](const auto &a, const auto &b) {
                return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
            });
        for (const auto &[text, field] : fields) {
            node.labels.append(text);
            node.fields.append(field);
        }
        tree.append(node);
    }
    return tree;
}

QStringList TVexaDesigner::FieldLabels(TDataSet *dataSet)
{
    QStringList labels;
    if (dataSet) {
        for (TField *field : dataSet->Fields()) {
            if (FieldShown(field))
                labels.append(FieldLabel(field));
        }
    }
    return labels;
}

TField *TVexaDesigner::FieldByLabel(TDataSet *dataSet, const QString &label)
{
    if (dataSet) {
        for (TField *field : dataSet->Fields()) {
            if (FieldShown(field) && FieldLabel(field) == label)
                return field;
        }
    }
    return nullptr;
}

TVxControl *TVexaDesigner::DropDatafield(TField *field, QPoint point)
{
    TVxControl *first = GetSelectedElement();
    if (!field || !first)
        return nullptr;
    TVxControl *target = first;
    if (!IsBand(first)) {
        target = first->Parent();
        point += QPoint(first->Left(), first->Top());
    }
    if (!target)
        return nullptr;
    SetHasChanged(true);
    Mover()->Detach();
    const bool picture = field->DataType() == TFieldType::ftGraphic;
    TVxControl *element = picture ? m_factory->CreateDBImage(target, point.x(), point.y())
                                  : m_factory->CreateDBText(target, point.x(), point.y());
    try {
        SetPointerProperty(element, QStringLiteral("DataSet"), field->DataSet());
        SetStringProperty(element, QStringLiteral("DataField"), field->FieldName());
        // A data text keeps its design caption unpublished.
        if (auto *text = qobject_cast<TVxCustomLabel *>(element))
            text->SetCaption(FieldLabel(field));
        else if (PropertyExists(element, QStringLiteral("Caption")))
            SetStringProperty(element, QStringLiteral("Caption"), FieldLabel(field));
        if (PropertyExists(element, QStringLiteral("AutoSize")))
            SetBooleanProperty(element, QStringLiteral("AutoSize"), true);
        element->SetHeight(20);
        element->SetWidth(60);
        m_afterCreated(element);
    } catch (...) {
        delete element;
        throw;
    }
    SelectElement(false, element);
    return element;
}

// --- Documents -------------------------------------------------------------------

void TVexaDesigner::LoadCompsAndDatamoduleFromStream(QIODevice &stream)
{
    const int format = PeekFormatWord(stream);
    const auto leave = [this] { SetTesmolaState(dsNormal); };
    if (format >= 0 && format <= kOldFormatIdentifier) {
        leave();
        throw EVxError(QStringLiteral(
            "Loading reports from older Tesmola versions not supported with current TESMOLA.INC settings."));
    }
    try {
        TRuntimeComponentEditor::LoadCompsAndDatamoduleFromStream(stream);
    } catch (...) {
        leave();
        throw;
    }
    leave();
    UpdateInfoPanel();
}

bool TVexaDesigner::LoadReport(const QString &fileName)
{
    m_lastError.clear();
    if (fileName.isEmpty()) {
        m_lastError = QStringLiteral("No template file named");
        return false;
    }
    try {
        LoadCompsAndDatamoduleFromFile(fileName);
    } catch (const std::exception &e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

bool TVexaDesigner::SaveReport(const QString &fileName)
{
    m_lastError.clear();
    if (fileName.isEmpty()) {
        m_lastError = QStringLiteral("No template file named");
        return false;
    }
    try {
        SaveTemplateToFile(fileName, m_saveBackupFiles ? m_backupFileExtension : QString());
    } catch (const std::exception &e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

bool TVexaDesigner::LoadReport_FromStream(QIODevice &stream)
{
    m_lastError.clear();
    try {
        LoadCompsAndDatamoduleFromStream(stream);
    } catch (const std::exception &e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

bool TVexaDesigner::SaveReport_ToStream(QIODevice &stream)
{
    m_lastError.clear();
    try {
        SaveTemplateToStream(stream);
    } catch (const std::exception &e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

bool TVexaDesigner::LoadReport_FromBlobField(const TField *field)
{
    m_lastError.clear();
    try {
        LoadCompsAndDatamoduleFromBlobfield(field);
    } catch (const std::exception &e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

bool TVexaDesigner::ConfirmNoSave()
{
    return !Changed()
        || Ask(Message(QStringLiteral("Report not saved"),
                       QStringLiteral("You have not saved the current report! Continue anyway?")));
}

void TVexaDesigner::Clear()
{
    Mover()->Detach();
    if (auto *report = qobject_cast<TDesignVexa *>(ParentControl()))
        report->Clear();
    TRuntimeComponentEditor::Clear();
    UpdateInfoPanel();
}

void TVexaDesigner::NewReport()
{
    Clear();
    SetFileName(QString());
    SetTesmolaState(dsNormal);
}

void TVexaDesigner::RestoreSnapshot(const QByteArray &snapshot)
{
    // Report properties at their defaults are not in the snapshot.
    if (auto *report = qobject_cast<TDesignVexa *>(ParentControl()))
        report->Clear();
    TRuntimeComponentEditor::RestoreSnapshot(snapshot);
}

// --- Zoom ---------------------------------------------------------------------------

int TVexaDesigner::Zoom() const
{
    return ParentControl() ? ParentControl()->Zoom() : 100;
}

void TVexaDesigner::SetZoom(int zoom)
{
    if (zoom <= 10 || !ParentControl())
        return;
    ParentControl()->SetZoom(std::min(zoom, 300));
    Mover()->RecalcSize();
}

void TVexaDesigner::ZoomOut()
{
    SetZoom(int(std::lrint(Zoom() / 2.0)));
}

} // namespace zelmio
