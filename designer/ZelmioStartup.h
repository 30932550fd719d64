#pragma once

namespace zelmio {

// Registers what the core needs before any template is read or any report
// is created: the persisted classes by name, the printer's default paper
// for new reports, and the expression functions (the core set, then the
// extended libraries). Safe to call more than once.
void StartZelmioCore();

} // namespace zelmio
