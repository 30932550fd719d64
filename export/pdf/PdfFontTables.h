#pragma once
// Font character sets and the single-byte code pages the PDF writer names
// glyphs from.

namespace zelmio {

// The code page of a font character set (186 Baltic → 1257, 204 Russian →
// 1251 ...); 1252 for any set without one of its own, the system OEM code
// page for 255.
int CodePageOfCharset(int charset);

// The OEM code page that character set 255 stands for. There is no system
// OEM code page on this platform, so it is a process-wide setting; 437 (the
// default OEM code page of Windows) until set.
int SystemOemCodePage();
void SetSystemOemCodePage(int codePage);

} // namespace zelmio
