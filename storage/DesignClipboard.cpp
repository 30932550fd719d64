#include "storage/DesignClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zelmio {

namespace {

class TApplicationClipboard : public TDesignClipboard {
public:
    QString Text() const override
    {
        if (QClipboard *clipboard = Clipboard())
            return clipboard->text();
        return m_memory.Text();
    }
    void SetText(const QString &text) override
    {
        if (QClipboard *clipboard = Clipboard())
            clipboard->setText(text);
        else
            m_memory.SetText(text);
    }
    QImage Image() const override
    {
        if (QClipboard *clipboard = Clipboard()) {
            const QMimeData *data = clipboard->mimeData();
            return data && data->hasImage() ? clipboard->image() : QImage();
        }
        return m_memory.Image();
    }

private:
    static QClipboard *Clipboard()
    {
        return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
    }
    TMemoryClipboard m_memory;
};

TDesignClipboard *g_installed = nullptr;

} // namespace

TDesignClipboard *DesignClipboard()
{
    static TApplicationClipboard application;
    return g_installed ? g_installed : &application;
}

void InstallDesignClipboard(TDesignClipboard *clipboard)
{
    g_installed = clipboard;
}

} // namespace zelmio
