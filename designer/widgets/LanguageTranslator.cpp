#include "designer/widgets/LanguageTranslator.h"

#include "designer/LanguageFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSet>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QWidget>

namespace zelmio {

namespace {

// A menu made without a name gets one from its built-in title, once, so
// that a language file can address it: "&Equal space" -> "EqualSpaceMenu".
void NameMenuFromTitle(QMenu *menu)
{
    if (!menu->objectName().isEmpty())
        return;
    QString name;
    bool wordStart = true;
    for (const QChar c : menu->title()) {
        if (c.isLetterOrNumber()) {
            name += wordStart ? c.toUpper() : c;
            wordStart = false;
        } else if (c != QLatin1Char('&')) {
            wordStart = true;
        }
    }
    if (!name.isEmpty())
        menu->setObjectName(name + QStringLiteral("Menu"));
}

class TTranslation {
public:
    TTranslation(const TSpeedyIniFile &reader, const QString &section) : m_reader(reader), m_section(section) {}

    // The key's value when it is not empty.
    bool Text(const QString &key, QString &value) const
    {
        value = m_reader.ReadString(m_section, key, QString());
        return !value.isEmpty();
    }
    bool Exists(const QString &key) const { return m_reader.KeyExists(m_section, key); }
    const TSpeedyIniFile &Reader() const { return m_reader; }
    const QString &Section() const { return m_section; }

private:
    const TSpeedyIniFile &m_reader;
    QString m_section;
};

void TranslateComponent(QObject *object, const TTranslation &t)
{
    const QString name = object->objectName();
    QString text;
    const QString caption = name + QStringLiteral(".Caption");
    const QString hint = name + QStringLiteral(".Hint");
    const auto item = [&name](int i) { return name + QStringLiteral(".Item") + QString::number(i); };

    if (auto *action = qobject_cast<QAction *>(object)) {
        if (t.Text(caption, text))
            action->setText(text);
        if (t.Text(hint, text)) {
            action->setToolTip(text);
            action->setStatusTip(text);
        }
    } else if (auto *widget = qobject_cast<QWidget *>(object)) {
        if (t.Text(caption, text)) {
            if (auto *menu = qobject_cast<QMenu *>(widget))
                menu->setTitle(text);
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                button->setText(text);
            else if (auto *label = qobject_cast<QLabel *>(widget))
                label->setText(text);
            else if (auto *group = qobject_cast<QGroupBox *>(widget))
                group->setTitle(text);
            else if (qobject_cast<QToolBar *>(widget) || qobject_cast<QDockWidget *>(widget))
                widget->setWindowTitle(text);
        }
        if (t.Text(hint, text))
            widget->setToolTip(text);
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                if (t.Text(item(i + 1), text))
                    combo->setItemText(i, text);
            }
        } else if (auto *list = qobject_cast<QListWidget *>(widget)) {
            for (int i = 0; i < list->count(); ++i) {
                if (t.Text(item(i + 1), text))
                    list->item(i)->setText(text);
            }
        } else if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (t.Text(item(i + 1), text))
                    tabs->setTabText(i, text);
            }
        } else if (qobject_cast<QPlainTextEdit *>(widget) || qobject_cast<QTextEdit *>(widget)) {
            // Lines are replaced as a whole, and only by a text that has any.
            auto *plain = qobject_cast<QPlainTextEdit *>(widget);
            const bool hasLines = plain ? !plain->toPlainText().isEmpty()
                                        : !qobject_cast<QTextEdit *>(widget)->toPlainText().isEmpty();
            if (hasLines && t.Exists(item(1))) {
                QStringList lines;
                for (int i = 1; t.Exists(item(i)); ++i)
                    lines.append(t.Reader().ReadString(t.Section(), item(i), QString()));
                if (plain)
                    plain->setPlainText(lines.join(QLatin1Char('\n')));
                else
                    qobject_cast<QTextEdit *>(widget)->setPlainText(lines.join(QLatin1Char('\n')));
            }
        }
    }
    // A message table ("RuntimeMessages") on any component.
    const QVariant messages = object->property("RuntimeMessages");
    if (messages.isValid() && messages.canConvert<QStringList>()) {
        QStringList table = messages.toStringList();
        if (!table.isEmpty()) {
            TranslateMessageTable(table, t.Reader(), t.Section(), name);
            object->setProperty("RuntimeMessages", table);
        }
    }
}

} // namespace

TLanguageIniFile::TLanguageIniFile(QWidget *window)
    : QObject(window), m_window(window), m_formName(window ? window->objectName() : QString())
{
}

bool TLanguageIniFile::TranslateForm()
{
    m_error.clear();
    if (m_formName.isEmpty()) {
        m_error = QStringLiteral("Property \"FormName\" not set!");
        return false;
    }
    if (m_iniFileName.isEmpty()) {
        m_error = QStringLiteral("Property \"IniFileName\" not set!");
        return false;
    }
    TSpeedyIniFile reader;
    if (!reader.ReadIniFile(m_iniFileName)) {
        m_error = reader.Error();
        return false;
    }
    return TranslateFormGlobal(reader);
}

bool TLanguageIniFile::TranslateFormGlobal(const TSpeedyIniFile &reader)
{
    m_error.clear();
    if (m_formName.isEmpty()) {
        m_error = QStringLiteral("Property \"FormName\" not set!");
        return false;
    }
    const TTranslation t(reader, m_formName);
    if (!m_window)
        return true;
    QString caption;
    if (t.Text(m_formName + QStringLiteral(".Caption"), caption))
        m_window->setWindowTitle(caption);
    QList<QObject *> components = m_window->findChildren<QObject *>();
    components += m_extra;
    QSet<QObject *> done;
    for (QObject *object : std::as_const(components)) {
        if (!object || done.contains(object) || object == this)
            continue;
        done.insert(object);
        if (auto *menu = qobject_cast<QMenu *>(object))
            NameMenuFromTitle(menu);
        if (!object->objectName().isEmpty())
            TranslateComponent(object, t);
    }
    return true;
}

bool TranslateForm(QWidget *window, const QString &formName, const QList<QObject *> &extraComponents)
{
    const TSpeedyIniFile *reader = CurrentLanguageReader();
    if (!reader || !window)
        return false;
    TLanguageIniFile translator(window);
    if (!formName.isEmpty())
        translator.SetFormName(formName);
    translator.SetExtraComponents(extraComponents);
    return translator.TranslateFormGlobal(*reader);
}

} // namespace zelmio
