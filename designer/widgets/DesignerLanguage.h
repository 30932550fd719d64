#pragma once
// The designer window in the interface language: its menus, tool bars,
// property bar and the designer's message table (element menu, property
// bar lists, questions), under the section "RepFormDB".

namespace zelmio {

class TReportDesignerForm;

// False when there is no usable language file (the window stays English).
bool TranslateDesignerForm(TReportDesignerForm *window);

} // namespace zelmio
