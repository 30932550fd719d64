#include "platform/PacketValues.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace zelmio::packet {

namespace {

std::string_view trimmed(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool digits(std::string_view s, std::size_t pos, std::size_t count, int &value)
{
    if (pos + count > s.size())
        return false;
    int v = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        const char c = s[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

bool equalsNoCase(std::string_view a, const char *b)
{
    const std::size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != b[i])
            return false;
    }
    return true;
}

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468;
}

// The time part: hh:mm[:ss[zzz|.zzz]] as a fraction of a day.
bool parseTimeOfDay(std::string_view s, double &value)
{
    int h, m, sec = 0, ms = 0;
    if (!digits(s, 0, 2, h) || s.size() < 5 || s[2] != ':' || !digits(s, 3, 2, m))
        return false;
    std::size_t pos = 5;
    if (pos < s.size()) {
        if (s[pos] != ':' || !digits(s, pos + 1, 2, sec))
            return false;
        pos += 3;
        if (pos < s.size()) {
            if (s[pos] == '.')
                ++pos;
            if (!digits(s, pos, 3, ms) || pos + 3 != s.size())
                return false;
        }
    }
    if (h > 23 || m > 59 || sec > 59 || ms > 999)
        return false;
    value = (((h * 60 + m) * 60 + sec) * 1000.0 + ms) / 86400000.0;
    return true;
}

} // namespace

bool ParseInt64(std::string_view text, std::int64_t &value)
{
    std::string_view s = trimmed(text);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool ParseDouble(std::string_view text, double &value)
{
    std::string_view s = trimmed(text);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    // from_chars would also take "inf" and "nan"; a packet never means them.
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value,
                                   std::chars_format::general);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(value);
}

bool ParseBoolean(std::string_view text, bool &value)
{
    const std::string_view s = trimmed(text);
    if (equalsNoCase(s, "TRUE") || s == "1") {
        value = true;
        return true;
    }
    if (equalsNoCase(s, "FALSE") || s == "0") {
        value = false;
        return true;
    }
    return false;
}

bool EncodePacketDate(int year, int month, int day, double &date)
{
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int limit = monthDays[month - 1] + (month == 2 && leap ? 1 : 0);
    if (day > limit)
        return false;
    // 1970-01-01 is day 25569 of the 1899-12-30 epoch.
    date = double(daysFromCivil(year, unsigned(month), unsigned(day)) + 25569);
    return true;
}

double CombineDateTime(double date, double time)
{
    return date < 0 ? date - time : date + time;
}

bool ParseDate(std::string_view text, double &value)
{
    const std::string_view s = trimmed(text);
    int y, m, d;
    if (!digits(s, 0, 4, y) || !digits(s, 4, 2, m) || !digits(s, 6, 2, d))
        return false;
    if (s.size() > 8) {
        double t;
        if (s[8] != 'T' || !parseTimeOfDay(s.substr(9), t))
            return false;
    }
    return EncodePacketDate(y, m, d, value);
}

bool ParseTime(std::string_view text, double &value)
{
    return parseTimeOfDay(trimmed(text), value);
}

bool ParseDateTime(std::string_view text, double &value)
{
    const std::string_view s = trimmed(text);
    int y, m, d;
    if (!digits(s, 0, 4, y) || !digits(s, 4, 2, m) || !digits(s, 6, 2, d))
        return false;
    double date, time = 0;
    if (!EncodePacketDate(y, m, d, date))
        return false;
    if (s.size() > 8 && (s[8] != 'T' || !parseTimeOfDay(s.substr(9), time)))
        return false;
    value = CombineDateTime(date, time);
    return true;
}

bool DecodeBase64(std::string_view text, std::string &out)
{
    static const auto table = [] {
        struct T { signed char v[256]; } t{};
        for (int i = 0; i < 256; ++i)
            t.v[i] = -1;
        const char *alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i)
            t.v[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
        return t;
    }();
    out.reserve(out.size() + text.size() / 4 * 3 + 3);
    std::uint32_t acc = 0;
    int bits = 0;        // characters gathered in the current quantum
    int padding = 0;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int v = table.v[c];
        if (v < 0 || padding)
            return false;   // a stray character, or data after the padding
        acc = (acc << 6) | std::uint32_t(v);
        if (++bits == 4) {
            out.push_back(char(acc >> 16));
            out.push_back(char(acc >> 8));
            out.push_back(char(acc));
            acc = 0;
            bits = 0;
        }
    }
    switch (bits) {
    case 0:
        return padding == 0;
    case 2:
        out.push_back(char(acc >> 4));
        return padding == 0 || padding == 2;
    case 3:
        out.push_back(char(acc >> 10));
        out.push_back(char(acc >> 2));
        return padding == 0 || padding == 1;
    default:
        return false;
    }
}

std::size_t FindInvalidUtf8(const char *data, std::size_t size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    std::size_t i = 0;
    while (i < size) {
        // ASCII eight bytes at a time.
        if (i + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t n;
        std::uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            cp = c & 0x07;
        } else {
            return i;
        }
        for (std::size_t k = 1; k <= n; ++k) {
            if (i + k >= size || (p[i + k] & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)))
            || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return i;
        i += n + 1;
    }
    return std::string_view::npos;
}

std::size_t Utf16Length(std::string_view utf8)
{
    std::size_t n = 0;
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c & 0xC0) != 0x80)
            n += c >= 0xF0 ? 2 : 1;
    }
    return n;
}

} // namespace zelmio::packet
