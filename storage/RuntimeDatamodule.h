#pragma once
// The data module of a template: a non-visual container whose owned
// components are its children in the template (the template's own data
// sets). It counts as an application data module for the global name lookup
// while it exists.
//
// ParamPromptList holds "DataSet.Param" entries for query parameters asked
// from the user before printing; ExpressionSQL holds "DataSet=SQL" entries
// with line breaks written as "\~n", the unexpanded text of SQL statements
// that contain expressions. Both follow their data sets: an entry goes when
// its data set is freed and is renamed with it.

#include "model/Component.h"
#include "model/Hook.h"

#include <QHash>
#include <QStringList>

namespace zelmio {

class TDataSet;

class TRuntimeDatamodule : public TComponent {
    Q_OBJECT
    // The module's window position in the designers that wrote it: kept, so
    // that loading and saving gives the template back as it was.
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(QStringList ParamPromptList READ ParamPromptList WRITE SetParamPromptList)
    Q_PROPERTY(QStringList ExpressionSQL READ ExpressionSQL WRITE SetExpressionSQL)
    Q_CLASSINFO("default:Left", "0")
    Q_CLASSINFO("default:Top", "0")
    Q_CLASSINFO("default:Height", "0")
    Q_CLASSINFO("default:Width", "0")
    Q_CLASSINFO("default:ParamPromptList", "")
    Q_CLASSINFO("default:ExpressionSQL", "")
public:
    explicit TRuntimeDatamodule(TComponent *owner = nullptr);
    ~TRuntimeDatamodule() override;

    int Left() const { return m_left; }
    void SetLeft(int value) { m_left = value; }
    int Top() const { return m_top; }
    void SetTop(int value) { m_top = value; }
    int Height() const { return m_height; }
    void SetHeight(int value) { m_height = value; }
    int Width() const { return m_width; }
    void SetWidth(int value) { m_width = value; }
    QStringList ParamPromptList() const { return m_paramPromptList; }
    void SetParamPromptList(const QStringList &list) { m_paramPromptList = list; }
    QStringList ExpressionSQL() const { return m_expressionSQL; }
    void SetExpressionSQL(const QStringList &list) { m_expressionSQL = list; }

    // Called when loading of the module has finished.
    TNotifyEvent OnLoaded() const { return m_onLoaded; }
    void SetOnLoaded(const TNotifyEvent &hook) { m_onLoaded = hook; }
    void Loaded() override;

    // The record sets the module owns, in creation order.
    QList<TDataSet *> DataSets() const;

    // The SQL text kept for a data set ("\~n" turned into line breaks), and
    // whether there is one.
    bool HasExpressionSQL(const QString &dataSetName) const;
    QString ExpressionSQLText(const QString &dataSetName) const;
    void SetExpressionSQLText(const QString &dataSetName, const QString &sql);

    // Entries beginning with "old." begin with "new." afterwards (at most 255
    // characters after the prefix are kept).
    void RedirectParamReferences(const QString &oldName, const QString &newName);
    // Removes prompts whose data set is missing, has no query interface or
    // whose parameter cannot be read. The record sets of this system offer
    // no query interface, so every prompt goes.
    void CleanupParamReferences();

protected:
    void childEvent(QChildEvent *event) override;

private:
    int m_left = 0;
    int m_top = 0;
    int m_height = 0;
    int m_width = 0;
    void ChildDestroyed(const QString &name);
    void ChildRenamed(QObject *child, const QString &newName);

    QStringList m_paramPromptList;
    QStringList m_expressionSQL;
    TNotifyEvent m_onLoaded;
    QHash<QObject *, QString> m_childNames;
};

// Line breaks of stored texts: CR LF (or LF) <-> the three characters "\~n".
QString EncodeLineBreaks(const QString &text);
QString DecodeLineBreaks(const QString &text);

} // namespace zelmio
