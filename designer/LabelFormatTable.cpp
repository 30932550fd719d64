// The label stock table: every manufacturer's heading line followed by its
// sheet lines, as 8-bit text (Windows-1252) with CR LF line ends. It holds
// only sheets whose measurements are known to be right: a wrong sheet prints
// every label off its place. Further sheets are added as their makers'
// measurements are checked; until then "Custom" takes any sheet.
#include "designer/LabelFormats.h"

namespace zelmio {

namespace {

const char kLabelFormats[] =
    "AOne\r\n"
    "APLI\r\n"
    "Avery Standard\r\n"
    "Avery A4/A5\r\n"
    "Devauzet\r\n"
    "ERO\r\n"
    "Formtec\r\n"
    "Herma\r\n"
    "28171;2;1,65;9,02;4,23;2;6;4,23;9,27;;\r\n"
    "28204;0;0;7,42;4,2;4;5;4,2;7,42;A4Q;\r\n"
    "28435;1,27;0;8,56;4,23;3;8;4,23;8,56;B4 JIS;\r\n"
    "28441A;2,5;3,1;14,8;2;1;12;2;;;\r\n"
    "Hisago\r\n"
    "Kokuyo\r\n"
    "MACO/Wilson Jones Standard\r\n"
    "Sigel\r\n"
    "Pimaco\r\n"
    "Rank Xerox\r\n"
    "UNISTAT\r\n"
    "RAJA\r\n"
    "Str\xE5lfors\r\n"
    "Zweckform\r\n"
    "May+Spies\r\n"
    "MACtac\r\n"
    "Leitz\r\n"
    "Inmac\r\n"
    "HP\r\n"
    "Herlitz\r\n"
    "Guilbert\r\n"
    "Durable\r\n"
    "Boeder\r\n"
    "ALFAC-DECAdry\r\n"
    "Agipa\r\n"
    "AE\r\n";

} // namespace

QByteArray LabelFormatsResource()
{
    return QByteArray::fromRawData(kLabelFormats, int(sizeof(kLabelFormats) - 1));
}

} // namespace zelmio
