#pragma once
// A printer's settings as one record, with a mask of the fields the printer
// understands. Codes follow the conventional device-mode values, so that
// hooks written for them and values stored in templates (paper, bin, duplex
// codes) keep their meaning:
//   Orientation   1 portrait, 2 landscape
//   PaperSize     paper code (1 Letter ... 9 A4 ... 68), 256 a custom size
//   PaperLength,
//   PaperWidth    tenths of a millimetre, portrait
//   DefaultSource paper source (bin) code: 1 upper ... 7 automatic ... 14 cassette
//   PrintQuality  dots per inch when positive
//   Color         1 monochrome, 2 colour
//   Duplex        1 one-sided, 2 long edge, 3 short edge
//   Collate       0 off, 1 on

#include <QString>
#include <QtGlobal>

namespace zelmio {

inline constexpr quint32 DM_ORIENTATION = 0x00000001;
inline constexpr quint32 DM_PAPERSIZE = 0x00000002;
inline constexpr quint32 DM_PAPERLENGTH = 0x00000004;
inline constexpr quint32 DM_PAPERWIDTH = 0x00000008;
inline constexpr quint32 DM_COPIES = 0x00000100;
inline constexpr quint32 DM_DEFAULTSOURCE = 0x00000200;
inline constexpr quint32 DM_PRINTQUALITY = 0x00000400;
inline constexpr quint32 DM_COLOR = 0x00000800;
inline constexpr quint32 DM_DUPLEX = 0x00001000;
inline constexpr quint32 DM_COLLATE = 0x00008000;

inline constexpr int DMPAPER_USER = 256;

struct TPrinterDeviceMode {
    QString DeviceName;
    quint32 Fields = 0; // which of the fields below are valid
    int Orientation = 1;
    int PaperSize = 0;
    int PaperLength = 0;
    int PaperWidth = 0;
    int Copies = 1;
    int DefaultSource = 0;
    int PrintQuality = 0;
    int Color = 0;
    int Duplex = 1;
    int Collate = 0;
};

} // namespace zelmio
