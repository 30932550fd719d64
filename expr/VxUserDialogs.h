#pragma once
// The message and input boxes that the expression functions OKBOX,
// OKCANCELBOX, YESNOBOX and INPUTBOX show. The windows library installs the
// real dialogs at start; until then, in headless programs and without a
// display, no box can be shown and each function takes the answer that lets
// the report go on (see the functions), so that a report run never waits for
// a user who is not there.

#include <QString>
#include <functional>

namespace zelmio {

enum class TVxMessageBoxKind { Ok, OkCancel, YesNo };

struct TVxUserDialogs {
    // Shows the text as an information message with the kind's buttons;
    // true for OK or Yes.
    std::function<bool(TVxMessageBoxKind kind, const QString &text)> MessageBox;
    // Asks for a text: the caption, the prompt above the edit field and the
    // field's initial text, which holds the entered text afterwards; true
    // when confirmed.
    std::function<bool(const QString &title, const QString &prompt, QString &text)> InputBox;
};

// The installed dialogs (empty members: none installed).
TVxUserDialogs &GlobalUserDialogs();

} // namespace zelmio
