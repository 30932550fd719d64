#pragma once
// Label sheet settings of the label-capable report: the position of the
// first label to use on the first sheet (from 1; 0 for a report that is no
// label sheet, -1 for "ask before printing") and how many copies the label
// loop prints.

#include "model/Persistent.h"

namespace zelmio {

class TLabelSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int FirstLabel READ FirstLabel WRITE SetFirstLabel)
    Q_PROPERTY(int LabelCount READ LabelCount WRITE SetLabelCount)
public:
    explicit TLabelSettings(TPersistent *owner = nullptr)
        : TPersistent(owner)
        , m_owner(owner)
    {
    }

    TPersistent *GetOwner() const override { return m_owner; }

    int FirstLabel() const { return m_firstLabel; }
    void SetFirstLabel(int value) { m_firstLabel = value; }
    int LabelCount() const { return m_labelCount; }
    void SetLabelCount(int value) { m_labelCount = value; }

private:
    TPersistent *m_owner;
    int m_firstLabel = 0;
    int m_labelCount = 0;
};

} // namespace zelmio
