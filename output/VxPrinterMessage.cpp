#include "output/VxPrinterMessage.h"

#include "output/VxPrinter.h"

#include <QCoreApplication>

namespace zelmio {

TVxPrinterMessage::TVxPrinterMessage(int msg, qintptr wParam, TVxPrinter *lParam)
    : QEvent(EventType())
    , m_msg(msg)
    , m_wParam(wParam)
    , m_lParam(lParam)
{
}

QEvent::Type TVxPrinterMessage::EventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

TVxPrinter *TVxPrinterMessage::LParam() const
{
    return static_cast<TVxPrinter *>(m_lParam.data());
}

void PostPrinterMessage(QObject *window, int msg, qintptr wParam, TVxPrinter *lParam)
{
    if (window)
        QCoreApplication::postEvent(window, new TVxPrinterMessage(msg, wParam, lParam));
}

} // namespace zelmio
