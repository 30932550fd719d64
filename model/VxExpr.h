#pragma once
// The value of an expression for the current record, formatted by its kind:
// numbers through Mask (a float mask, or for floats a "%m" money format),
// texts and error texts as they are, booleans as "True" or "False". An
// expression with aggregates hears of every record of its master's data loop
// and takes it into its sums; ResetAfterPrint starts them again after each
// print.

#include "model/VxCustomLabel.h"
#include "model/VxFont.h"

#include <QPointer>
#include <memory>

namespace zelmio {

class TVxEvaluator;
struct TVxEvResult;

class TVxExpr : public TVxCustomLabel {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AlignToBand READ AlignToBand WRITE SetAlignToBand)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool AutoStretch READ AutoStretch WRITE SetAutoStretch)
    Q_PROPERTY(zelmio::VxElementTypes::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(bool ParentBiDiMode READ ParentBiDiMode WRITE SetParentBiDiMode)
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(zelmio::TVxFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(zelmio::VxElementTypes::TWrapStyle WrapStyle READ WrapStyle WRITE SetWrapStyle)
    Q_PROPERTY(zelmio::VxElementTypes::TExportType ExportAs READ ExportAs WRITE SetExportAs)
    Q_PROPERTY(zelmio::TVxLabelPrintEvent OnPrint READ OnPrint WRITE SetOnPrint)
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(QString Mask READ Mask WRITE SetMask)
    Q_PROPERTY(zelmio::TComponent *Master READ Master WRITE SetMaster)
    Q_PROPERTY(bool ResetAfterPrint READ ResetAfterPrint WRITE SetResetAfterPrint)
    Q_CLASSINFO("default:AutoSize", "True")
    Q_CLASSINFO("default:AutoStretch", "False")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("stored:Font", "IsFontStored")
    Q_CLASSINFO("default:ParentFont", "True")
    Q_CLASSINFO("default:WordWrap", "True")
public:
    explicit TVxExpr(TComponent *owner = nullptr);
    ~TVxExpr() override;

    QString Expression() const { return m_expression; }
    void SetExpression(const QString &expression);
    QString Mask() const { return m_mask; }
    void SetMask(const QString &mask) { m_mask = mask; }
    // The data loop whose records the aggregates follow: a report or a
    // sub-detail; anything else is refused.
    TComponent *Master() const { return m_master; }
    void SetMaster(TComponent *master);
    bool ResetAfterPrint() const { return m_resetAfterPrint; }
    void SetResetAfterPrint(bool value) { m_resetAfterPrint = value; }

    TVxEvaluator *Evaluator() const { return m_evaluator.get(); }

    // The text a value prints as, by its kind and the mask.
    static QString FormatValue(const TVxEvResult &value, const QString &mask);
    // The current value's text; evaluation failures give their message.
    QString ValueText();

    void Prepare() override;
    void UnPrepare() override;
    void Print(long double ofsX, long double ofsY) override;
    void VXNotification(TComponent *sender, TVxNotifyOperation operation) override;
    void Notification(TComponent *component, TOperation operation) override;

protected:
    void NameChanged(const QString &oldName, const QString &newName) override;

private:
    void UpdateCaption();
    void RegisterForRecords();

    std::unique_ptr<TVxEvaluator> m_evaluator;
    QString m_expression;
    QString m_mask;
    QPointer<TComponent> m_master;
    bool m_resetAfterPrint = false;
};

} // namespace zelmio
