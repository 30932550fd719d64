#pragma once
// The clipboard the designer copies to and pastes from: plain text (the
// template text form of the copied elements) or a picture.
//
// By default it is the application clipboard when the program runs a
// QGuiApplication (the windows and the offscreen platform alike, so that
// elements travel between designer windows and into text editors), and a
// clipboard of this process only otherwise (a core-only program has no
// clipboard, and asking Qt for one there would crash). A program or a test
// may install its own.

#include <QImage>
#include <QString>

namespace zelmio {

class TDesignClipboard {
public:
    virtual ~TDesignClipboard() = default;
    virtual QString Text() const = 0;
    virtual void SetText(const QString &text) = 0;
    virtual QImage Image() const = 0;
    bool HasContent() const { return !Text().isEmpty() || !Image().isNull(); }
};

// The clipboard in use; never null.
TDesignClipboard *DesignClipboard();
// Installs a clipboard (not owned); null goes back to the default.
void InstallDesignClipboard(TDesignClipboard *clipboard);

// A clipboard of this process only.
class TMemoryClipboard : public TDesignClipboard {
public:
    QString Text() const override { return m_text; }
    void SetText(const QString &text) override { m_text = text; m_image = QImage(); }
    QImage Image() const override { return m_image; }
    void SetImage(const QImage &image) { m_image = image; m_text.clear(); }

private:
    QString m_text;
    QImage m_image;
};

} // namespace zelmio
