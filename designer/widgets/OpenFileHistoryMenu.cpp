#include "designer/widgets/OpenFileHistoryMenu.h"

#include "designer/OpenFileHistory.h"

#include <QAction>
#include <QMenu>

namespace zelmio {

TOpenFileHistoryMenu::TOpenFileHistoryMenu(TOpenFileHistory *history, QMenu *parentMenu, QAction *before)
    // Owned by the history, not the menu: a child of the menu would run its
    // destructor while the menu is half destroyed.
    : QObject(history), m_history(history), FParentMenu(parentMenu), m_before(before)
{
    connect(history, &TOpenFileHistory::Changed, this, &TOpenFileHistoryMenu::Rebuild);
    Rebuild();
}

TOpenFileHistoryMenu::~TOpenFileHistoryMenu()
{
    RemoveItems();
}

void TOpenFileHistoryMenu::RemoveItems()
{
    // Deleting an action takes it off the menu; those the menu already
    // freed are gone from the list's guarded pointers.
    for (const QPointer<QAction> &action : std::as_const(m_items))
        delete action.data();
    m_items.clear();
}

void TOpenFileHistoryMenu::Rebuild()
{
    RemoveItems();
    if (!FParentMenu)
        return;
    const QStringList files = m_history->FileNames();
    if (files.isEmpty())
        return;
    const auto add = [this](QAction *action) {
        FParentMenu->insertAction(m_before, action);
        m_items.append(action);
    };
    auto *separator = new QAction(FParentMenu);
    separator->setSeparator(true);
    add(separator);
    for (int i = 0; i < files.size() && i < m_history->MaxCount(); ++i) {
        auto *entry = new QAction(m_history->MenuCaption(i), FParentMenu);
        entry->setObjectName(QStringLiteral("History") + QString::number(i + 1));
        entry->setToolTip(files.at(i));
        connect(entry, &QAction::triggered, this, [this, i] { m_history->SelectFile(i); });
        add(entry);
    }
}

} // namespace zelmio
