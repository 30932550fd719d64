#pragma once
// The messages a report printer exchanges with the windows that watch it.
// They are always posted to the receiving window's event queue (never
// delivered by a direct call), so a printer generating on a worker thread
// never touches a window. A window receives them as TVxPrinterMessage events.

#include <QEvent>
#include <QPointer>

class QObject;

namespace zelmio {

class TVxPrinter;

inline constexpr int CM_VXPROGRESSUPDATE = 1024; // WParam: progress in percent
inline constexpr int CM_VXPAGEAVAILABLE = 1025;  // WParam: number of completed pages
inline constexpr int CM_VXPRINT = 1026;
inline constexpr int CM_VXPREVIEWCLOSE = 1028;   // LParam: the printer

class TVxPrinterMessage : public QEvent {
public:
    TVxPrinterMessage(int msg, qintptr wParam, TVxPrinter *lParam);

    // The event type every printer message carries.
    static QEvent::Type EventType();

    int Msg() const { return m_msg; }
    qintptr WParam() const { return m_wParam; }
    // The printer, while it exists.
    TVxPrinter *LParam() const;

private:
    int m_msg;
    qintptr m_wParam;
    QPointer<QObject> m_lParam;
};

// Posts a message to a window; nothing happens when there is none.
void PostPrinterMessage(QObject *window, int msg, qintptr wParam, TVxPrinter *lParam = nullptr);

} // namespace zelmio
