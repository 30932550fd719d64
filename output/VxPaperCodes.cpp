#include "output/VxPaperCodes.h"


#include <array>

namespace zelmio {

namespace {

constexpr std::array<std::pair<TVxBin, int>, 14> BinCodes{{
    {TVxBin::First, 1}, {TVxBin::Upper, 1}, {TVxBin::Lower, 2}, {TVxBin::Middle, 3},
    {TVxBin::Manual, 4}, {TVxBin::Envelope, 5}, {TVxBin::EnvManual, 6}, {TVxBin::Auto, 7},
    {TVxBin::Tractor, 8}, {TVxBin::SmallFormat, 9}, {TVxBin::LargeFormat, 10},
    {TVxBin::LargeCapacity, 11}, {TVxBin::Cassette, 14}, {TVxBin::Last, 14},
}};

} // namespace

int PaperCode(TVxPaperSize size)
{
    return size == TVxPaperSize::Custom ? 256 : int(size);
}

std::optional<TVxPaperSize> PaperSizeOfCode(int code)
{
    for (int n = 0; n < PaperSizeCount; ++n) {
        const auto size = TVxPaperSize(n);
        if (PaperCode(size) == code)
            return size;
    }
    return std::nullopt;
}

int BinCode(TVxBin bin)
{
    for (const auto &[b, code] : BinCodes)
        if (b == bin)
            return code;
    return 7;
}

std::optional<TVxBin> BinOfCode(int code)
{
    for (const auto &[b, c] : BinCodes)
        if (c == code)
            return b;
    return std::nullopt;
}

} // namespace zelmio
