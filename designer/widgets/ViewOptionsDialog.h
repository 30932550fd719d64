#pragma once
// The designer's view options ("Options"): band names and element frames on
// the design surface, the report's units and band ruler, and the grid and
// keyboard steps. "OK" applies them to the report and the designer; the
// settings file keeps them when the designer closes.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace zelmio {

class TVexaDesigner;

class TViewOptionsDialog : public QDialog {
    Q_OBJECT
public:
    TViewOptionsDialog(TVexaDesigner *designer, QWidget *parent = nullptr);

    // Writes the dialog's values into the report and the designer.
    void Apply();

private:
    TVexaDesigner *m_designer;
    QCheckBox *m_bandNames = nullptr;
    QCheckBox *m_frames = nullptr;
    QRadioButton *m_solid = nullptr;
    QRadioButton *m_dashed = nullptr;
    QRadioButton *m_dotted = nullptr;
    QComboBox *m_units = nullptr;
    QCheckBox *m_ruler = nullptr;
    QSpinBox *m_gridX = nullptr;
    QSpinBox *m_gridY = nullptr;
    QSpinBox *m_keyX = nullptr;
    QSpinBox *m_keyY = nullptr;
    int m_bandNameColor = 0;
    int m_frameColor = 0;
};

// The modal dialog; true when the user chose "OK".
bool EditViewOptions(QWidget *parent, TVexaDesigner *designer);

} // namespace zelmio
