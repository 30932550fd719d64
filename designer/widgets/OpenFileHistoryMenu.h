#pragma once
// Shows a recent-file list in a menu: a separator, then "&1 path" ...
// entries for the list's files, rebuilt whenever the list changes; choosing
// an entry reports its file through the list (SelectFile).

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

namespace zelmio {

class TOpenFileHistory;

class TOpenFileHistoryMenu : public QObject {
    Q_OBJECT
public:
    // Entries are added at the end of the menu, or before `before`.
    TOpenFileHistoryMenu(TOpenFileHistory *history, QMenu *parentMenu, QAction *before = nullptr);
    ~TOpenFileHistoryMenu() override;

    // The entries it added (the separator first when there are files).
    QList<QAction *> MenuItems() const
    {
        QList<QAction *> items;
        for (const QPointer<QAction> &item : m_items)
            if (item)
                items << item;
        return items;
    }
    void Rebuild();

private:
    void RemoveItems();

    TOpenFileHistory *m_history;
    QPointer<QMenu> FParentMenu;
    QPointer<QAction> m_before;
    QList<QPointer<QAction>> m_items;
};

} // namespace zelmio
