#pragma once
// Design-time field text: the engine element with the designer's anchoring
// switches (move down or grow with the band's growth), value map and suppression of repeated values.

// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxDBText.h"

#include <QStringList>

namespace zelmio {

class TTesmolaDBText : public TVxDBText {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool SuppressRepeatedValues READ SuppressRepeatedValues WRITE SetSuppressRepeatedValues)
    Q_PROPERTY(bool ReprintOnNewPage READ ReprintOnNewPage WRITE SetReprintOnNewPage)
    Q_PROPERTY(bool ReprintOnNewGroup READ ReprintOnNewGroup WRITE SetReprintOnNewGroup)
    Q_PROPERTY(bool BlankIfZero READ BlankIfZero WRITE SetBlankIfZero)
    Q_PROPERTY(QStringList MapList READ MapList WRITE SetMapList)
    Q_CLASSINFO("default:SuppressRepeatedValues", "False")
    Q_CLASSINFO("default:ReprintOnNewPage", "False")
    Q_CLASSINFO("default:ReprintOnNewGroup", "False")
    Q_CLASSINFO("default:BlankIfZero", "False")
    Q_CLASSINFO("default:MapList", "")
public:
    explicit TTesmolaDBText(TComponent *owner = nullptr);

    bool FixBottomPosition() const { return m_fixBottomPosition; }
    void SetFixBottomPosition(bool value) { m_fixBottomPosition = value; }
    bool StretchHeightWithBand() const { return m_stretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { m_stretchHeightWithBand = value; }
    bool SuppressRepeatedValues() const { return m_suppressRepeatedValues; }
    void SetSuppressRepeatedValues(bool value) { m_suppressRepeatedValues = value; }
    bool ReprintOnNewPage() const { return m_reprintOnNewPage; }
    void SetReprintOnNewPage(bool value) { m_reprintOnNewPage = value; }
    bool ReprintOnNewGroup() const { return m_reprintOnNewGroup; }
    void SetReprintOnNewGroup(bool value) { m_reprintOnNewGroup = value; }
    bool BlankIfZero() const { return m_blankIfZero; }
    void SetBlankIfZero(bool value) { m_blankIfZero = value; }
    // Value map: per line the display text, a TAB, the field value.
    QStringList MapList() const { return m_mapList; }
    void SetMapList(const QStringList &lines) { m_mapList = lines; }

    // Run-time: the text and page of the previous print.
    QString LastValue() const { return m_lastValue; }
    void SetLastValue(const QString &value) { m_lastValue = value; }
    int LastPage() const { return m_lastPage; }
    void SetLastPage(int page) { m_lastPage = page; }

    // Prints with the value map, the suppression of repeated values and
    // BlankIfZero applied to the text (before the element's own OnPrint).
    void Print(long double ofsX, long double ofsY) override;
    // The text as it will print: mapped, suppressed or blanked.
    void DBTextOnPrint(QString &text);

private:
    bool m_fixBottomPosition = false;
    bool m_stretchHeightWithBand = false;
    bool m_suppressRepeatedValues = false;
    bool m_reprintOnNewPage = false;
    bool m_reprintOnNewGroup = false;
    bool m_blankIfZero = false;
    QStringList m_mapList;
    QString m_lastValue;
    int m_lastPage = 0;
};

} // namespace zelmio
