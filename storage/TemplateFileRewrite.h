#pragma once
// The rewrite a template file gets before it is read: class and property
// names of an older data access layer are brought up to date ("TQuery" ->
// "TFDQuery", "TTable" -> "TFDTable", "Macros = <" -> "MacroData = <",
// "ParamType = ptInput" and "ParamType = ptUnknown" removed, "object _1:
// TPropertyAddons" -> "object TPropertyAddons"), ignoring case.
//
// It is applied to the text in memory, never to the file on disk, and only
// outside quoted strings and to whole words, so that the user's texts and
// longer names (ptInputOutput) stay as they are. Text in UTF-16 or in the
// binary form is returned unchanged.

#include <QByteArray>

namespace zelmio {

QByteArray RewriteTemplateFileText(const QByteArray &text);

// Replaces every occurrence of from by to, ignoring ASCII case, outside
// quoted string pieces (the loaders' rewrite hooks).
QByteArray ReplaceOutsideQuotes(const QByteArray &text, const QByteArray &from, const QByteArray &to);

} // namespace zelmio
