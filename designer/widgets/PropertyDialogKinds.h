#pragma once
// The dialog of each kind (used by the dispatch in PropertyDialogs.cpp).

#include "designer/widgets/PropertyDialogs.h"

namespace zelmio {

std::unique_ptr<TPropertyDialog> CreateReportDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateBandDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateGroupDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateSubdetailDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateChildBandDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateLabelDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateDataTextDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateExpressionDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateMemoDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateShapeDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateSystemDataDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateImageDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateDataImageDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateRichTextDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateDataRichTextDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateBarcodeDialog(TVexaDesigner *, QWidget *, TComponent *);
std::unique_ptr<TPropertyDialog> CreateDataBarcodeDialog(TVexaDesigner *, QWidget *, TComponent *);

} // namespace zelmio
