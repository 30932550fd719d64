#pragma once
// The real dialogs of the expression functions OKBOX, OKCANCELBOX, YESNOBOX
// and INPUTBOX: message boxes and a small input dialog, modal on the
// user-interface thread. Without a display, and for a report running on a
// worker thread, they are not shown and the functions take their silent
// answers.

#include <QString>

namespace zelmio {

// Installs the dialogs into GlobalUserDialogs(); the windows library calls it
// at start.
void InstallExtendedFunctionDialogs();

// The input dialog itself: caption, prompt and the edit field's text (at
// most 255 characters), which holds the entered text when confirmed.
bool ShowVxInputBox(const QString &title, const QString &prompt, QString &text);

} // namespace zelmio
