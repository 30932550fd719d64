#pragma once
// Parsing of the value texts of an XML data packet (the packet's own fixed
// forms, independent of the user's locale) and the byte-level checks the
// packet reader needs. All functions are pure.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelmio::packet {

// Decimal integer with an optional sign; blanks around it are allowed.
bool ParseInt64(std::string_view text, std::int64_t &value);
// "." as decimal separator, optional exponent ("1.5E-5"); finite values only.
bool ParseDouble(std::string_view text, double &value);
// "TRUE" / "FALSE" in any case (also "1" / "0").
bool ParseBoolean(std::string_view text, bool &value);
// yyyymmdd; a time part after "T" is accepted and dropped.
bool ParseDate(std::string_view text, double &value);
// hh:mm:ss followed by three millisecond digits ("14:30:05000"); also
// hh:mm:ss, hh:mm:ss.zzz and hh:mm. A leading date part is not accepted.
bool ParseTime(std::string_view text, double &value);
// yyyymmddThh:mm:ss + milliseconds as above; a date alone means midnight.
bool ParseDateTime(std::string_view text, double &value);

// Days since 30 December 1899 of a calendar date; false when the date does
// not exist (years 1 to 9999).
bool EncodePacketDate(int year, int month, int day, double &date);
// A date and a time of day into one value; before 30 December 1899 the time
// is subtracted, as the date format requires (-1.25 is 29 Dec 1899 06:00).
double CombineDateTime(double date, double time);

// Appends the decoded bytes; blanks between the characters are skipped, the
// "=" padding may be left out. False on any other character.
bool DecodeBase64(std::string_view text, std::string &out);

// Offset of the first byte that breaks UTF-8, or npos when all is valid.
std::size_t FindInvalidUtf8(const char *data, std::size_t size);
// Length in UTF-16 code units of valid UTF-8 text.
std::size_t Utf16Length(std::string_view utf8);

} // namespace zelmio::packet
