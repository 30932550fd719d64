#pragma once
// Translating a window from the interface language file when it is created:
// its caption, and for every named component (widgets, actions, menus, and
// extra components such as the designer core) its caption, hint, item
// list, text lines and message table, under the window's section.

#include <QList>
#include <QObject>
#include <QString>

class QWidget;

namespace zelmio {

class TSpeedyIniFile;

// The translator of one window; owned by the window it translates.
class TLanguageIniFile : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FormName READ FormName WRITE SetFormName)
    Q_PROPERTY(QString IniFileName READ IniFileName WRITE SetIniFileName)
public:
    explicit TLanguageIniFile(QWidget *window);

    QString FormName() const { return m_formName; }
    void SetFormName(const QString &name) { m_formName = name; }
    QString IniFileName() const { return m_iniFileName; }
    void SetIniFileName(const QString &name) { m_iniFileName = name; }
    // Components outside the window's object tree that are translated too.
    void SetExtraComponents(const QList<QObject *> &components) { m_extra = components; }

    // Reads IniFileName and translates; false with Error() when a property
    // is not set or the file cannot be read.
    bool TranslateForm();
    // Translates from a reader already read; false without a FormName.
    bool TranslateFormGlobal(const TSpeedyIniFile &reader);
    QString Error() const { return m_error; }

private:
    QWidget *m_window;
    QString m_formName;
    QString m_iniFileName;
    QList<QObject *> m_extra;
    QString m_error;
};

// Translates the window with the current language file (named by the
// settings) under formName (empty: the window's object name); extra
// components are translated by their names as well. False when there is
// no usable language file: the window keeps its texts.
bool TranslateForm(QWidget *window, const QString &formName, const QList<QObject *> &extraComponents = {});

} // namespace zelmio
