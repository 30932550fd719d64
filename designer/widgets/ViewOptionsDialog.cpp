#include "designer/widgets/ViewOptionsDialog.h"

#include "designer/VexaDesigner.h"
#include "designer/widgets/LanguageTranslator.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "model/VxPage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zelmio {

namespace {

// The units combo's entries and the report units they stand for.
const TVxUnit kUnits[] = {TVxUnit::MM, TVxUnit::Inches, TVxUnit::Characters};

QSpinBox *Spin(QWidget *parent, const QString &name, int value)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(1, 100);
    spin->setValue(value);
    return spin;
}

QPushButton *ColorButton(QWidget *parent, const QString &name, const QString &text, int *color)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    QObject::connect(button, &QPushButton::clicked, parent, [parent, color] {
        const QColor chosen = QColorDialog::getColor(ColorToQColor(TColor(*color)), parent);
        if (chosen.isValid())
            *color = QColorToColor(chosen);
    });
    return button;
}

} // namespace

TViewOptionsDialog::TViewOptionsDialog(TVexaDesigner *designer, QWidget *parent)
    : QDialog(parent)
    , m_designer(designer)
    , m_bandNameColor(designer->BandNameFontColor())
    , m_frameColor(designer->ComponentFrameColor())
{
    setObjectName(QStringLiteral("ViewOptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    auto *column = new QVBoxLayout(this);

    auto *names = new QHBoxLayout;
    m_bandNames = new QCheckBox(QStringLiteral("Show band-names"), this);
    m_bandNames->setObjectName(QStringLiteral("ShowBandNames"));
    m_bandNames->setChecked(designer->ShowBandNames());
    names->addWidget(m_bandNames);
    names->addWidget(ColorButton(this, QStringLiteral("BandNameFontButton"), QStringLiteral("&Font..."),
                                 &m_bandNameColor));
    column->addLayout(names);

    auto *frames = new QGroupBox(this);
    auto *framesLayout = new QVBoxLayout(frames);
    m_frames = new QCheckBox(QStringLiteral("Show component frames at design time"), frames);
    m_frames->setObjectName(QStringLiteral("ShowComponentFrames"));
    m_frames->setChecked(designer->ShowComponentFrames());
    framesLayout->addWidget(m_frames);
    auto *line = new QGroupBox(QStringLiteral("Line"), frames);
    line->setObjectName(QStringLiteral("LineGroup"));
    auto *lineLayout = new QHBoxLayout(line);
    m_solid = new QRadioButton(QStringLiteral("Solid"), line);
    m_dashed = new QRadioButton(QStringLiteral("Dashed"), line);
    m_dotted = new QRadioButton(QStringLiteral("Dotted"), line);
    m_solid->setObjectName(QStringLiteral("LineSolid"));
    m_dashed->setObjectName(QStringLiteral("LineDashed"));
    m_dotted->setObjectName(QStringLiteral("LineDotted"));
    (designer->ComponentFrameStyle() == 0 ? m_solid : designer->ComponentFrameStyle() == 1 ? m_dashed : m_dotted)
        ->setChecked(true);
    lineLayout->addWidget(m_solid);
    lineLayout->addWidget(m_dashed);
    lineLayout->addWidget(m_dotted);
    framesLayout->addWidget(line);
    framesLayout->addWidget(ColorButton(frames, QStringLiteral("FrameColorButton"), QStringLiteral("&Color..."),
                                        &m_frameColor));
    column->addWidget(frames);

    auto *units = new QHBoxLayout;
    m_units = new QComboBox(this);
    m_units->setObjectName(QStringLiteral("UnitsComboBox"));
    m_units->addItems({QStringLiteral("MM"), QStringLiteral("Inches"), QStringLiteral("Characters")});
    m_units->setCurrentIndex(-1);
    TCustomVexa *report = designer->ParentControl();
    if (report && PropertyExists(report, QStringLiteral("Units"))) {
        const auto current = TVxUnit(GetIntegerProperty(report, QStringLiteral("Units")));
        for (int i = 0; i < 3; ++i) {
            if (kUnits[i] == current)
                m_units->setCurrentIndex(i);
        }
    }
    units->addWidget(m_units);
    m_ruler = new QCheckBox(QStringLiteral("Show band-ruler"), this);
    m_ruler->setObjectName(QStringLiteral("ShowBandRuler"));
    m_ruler->setChecked(report && report->Page() && report->Page()->Ruler());
    units->addWidget(m_ruler);
    column->addLayout(units);

    auto *grid = new QGroupBox(QStringLiteral("Automatically align elements to grid:"), this);
    grid->setObjectName(QStringLiteral("GridGroup"));
    auto *form = new QFormLayout(grid);
    m_gridX = Spin(grid, QStringLiteral("GridSizeX"), designer->GridSizeX());
    m_gridY = Spin(grid, QStringLiteral("GridSizeY"), designer->GridSizeY());
    m_keyX = Spin(grid, QStringLiteral("KeyboardGridX"), designer->KeyboardMoveX());
    m_keyY = Spin(grid, QStringLiteral("KeyboardGridY"), designer->KeyboardMoveY());
    form->addRow(QStringLiteral("Grid size &X:"), m_gridX);
    form->addRow(QStringLiteral("Grid size &Y:"), m_gridY);
    form->addRow(QStringLiteral("Keyboard grid size X:"), m_keyX);
    form->addRow(QStringLiteral("Keyboard grid size Y:"), m_keyY);
    for (QSpinBox *spin : {m_gridX, m_gridY, m_keyX, m_keyY})
        form->labelForField(spin)->setObjectName(spin->objectName() + QStringLiteral("Label"));
    column->addWidget(grid);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    TranslateForm(this, QStringLiteral("ViewOptionsForm"));
}

void TViewOptionsDialog::Apply()
{
    TVexaDesigner *d = m_designer;
    d->SetShowBandNames(m_bandNames->isChecked());
    d->SetBandNameFontColor(TColor(m_bandNameColor));
    d->SetShowComponentFrames(m_frames->isChecked());
    d->SetComponentFrameColor(TColor(m_frameColor));
    d->SetComponentFrameStyle(m_solid->isChecked() ? 0 : m_dashed->isChecked() ? 1 : 2);
    d->SetGridSizeX(m_gridX->value());
    d->SetGridSizeY(m_gridY->value());
    d->SetKeyboardMoveX(m_keyX->value());
    d->SetKeyboardMoveY(m_keyY->value());
    if (TCustomVexa *report = d->ParentControl()) {
        if (m_units->currentIndex() >= 0 && PropertyExists(report, QStringLiteral("Units")))
            SetIntegerProperty(report, QStringLiteral("Units"), qint64(kUnits[m_units->currentIndex()]));
        if (report->Page())
            report->Page()->SetRuler(m_ruler->isChecked());
        report->Invalidate();
    }
}

bool EditViewOptions(QWidget *parent, TVexaDesigner *designer)
{
    TViewOptionsDialog dialog(designer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Apply();
    return true;
}

} // namespace zelmio
