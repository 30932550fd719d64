// The value texts of a data packet, read in the packet's own fixed forms.
#include "platform/PacketValues.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace zelmio::packet;

TEST(ClientDataSetValues, NumbersDatesAndTimes)
{
    struct Row {
        const char *text;
        bool (*parse)(std::string_view, double &);
        bool valid;
        double value;
    };
    auto int64 = [](std::string_view s, double &v) {
        std::int64_t i;
        const bool ok = ParseInt64(s, i);
        v = double(i);
        return ok;
    };
    const Row rows[] = {
        {"42", int64, true, 42},
        {" +7 ", int64, true, 7},
        {"-0", int64, true, 0},
        {"1e3", int64, false, 0},
        {"12.0", int64, false, 0},
        {"99999999999999999999", int64, false, 0},
        {"0.99", ParseDouble, true, 0.99},
        {"-0.25E2", ParseDouble, true, -25},
        {".5", ParseDouble, true, 0.5},
        {"1,5", ParseDouble, false, 0},
        {"inf", ParseDouble, false, 0},
        {"nan", ParseDouble, false, 0},
        {"1e999", ParseDouble, false, 0},
        {"20240229", ParseDate, true, 45351},          // a leap day
        {"20230229", ParseDate, false, 0},
        {"18991230", ParseDate, true, 0},
        {"20261208T10:00:00000", ParseDate, true, 46364},   // the time is dropped
        {"2026128", ParseDate, false, 0},
        {"14:30:05000", ParseTime, true, (14 * 3600 + 30 * 60 + 5) / 86400.0},
        {"14:30:05.250", ParseTime, true, (14 * 3600 + 30 * 60 + 5.25) / 86400.0},
        {"14:30", ParseTime, true, (14 * 60 + 30) / 1440.0},
        {"24:00:00000", ParseTime, false, 0},
        {"14:30:05000x", ParseTime, false, 0},
        {"20261208T12:00:00000", ParseDateTime, true, 46364.5},
        {"20261208", ParseDateTime, true, 46364},
        {"18991229T06:00:00000", ParseDateTime, true, -1.25},   // before the epoch the time counts down
        {"20261208 12:00:00000", ParseDateTime, false, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        double v = 0;
        EXPECT_EQ(r.parse(r.text, v), r.valid);
        if (r.valid) {
            EXPECT_NEAR(v, r.value, 1e-9);
        }
    }
}

TEST(ClientDataSetValues, Base64)
{
    struct Row {
        const char *text;
        bool valid;
        const char *bytes;
    };
    const Row rows[] = {
        {"TWFu", true, "Man"},
        {"TWE=", true, "Ma"},
        {"TQ==", true, "M"},
        {"TWE", true, "Ma"},            // padding left out
        {"TW Fu\nTQ ==", true, "ManM"}, // blanks between characters
        {"", true, ""},
        {"TWFuT", false, ""},           // one character too many
        {"TQ==TQ==", false, ""},        // data after the padding
        {"TW*u", false, ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        std::string out;
        EXPECT_EQ(DecodeBase64(r.text, out), r.valid);
        if (r.valid) {
            EXPECT_EQ(out, r.bytes);
        }
    }
}

TEST(ClientDataSetValues, Utf8Checks)
{
    const std::string valid = "Ābols \xF0\x9F\x98\x80 ok";
    EXPECT_EQ(FindInvalidUtf8(valid.data(), valid.size()), std::string::npos);
    EXPECT_EQ(Utf16Length(valid), 11u);   // the emoji takes two code units
    const struct {
        std::string text;
        std::size_t badAt;
    } rows[] = {
        {"abcdefgh\xC2", 8},               // cut short at the end
        {"a\xC0\xAF", 1},                  // overlong
        {"ab\xED\xA0\x80", 2},             // a surrogate
        {"\xF4\x90\x80\x80", 0},           // beyond U+10FFFF
        {"12345678\x80xyz", 8},            // a stray continuation byte after an ASCII run
    };
    for (const auto &r : rows)
        EXPECT_EQ(FindInvalidUtf8(r.text.data(), r.text.size()), r.badAt) << r.badAt;
}
