#include "model/FountainChanges.h"

#include "model/SaveBuffer.h"

#include <algorithm>

namespace pluviane {

namespace {

struct Range {
    std::size_t begin;
    std::size_t end; // one past the last byte
};

constexpr std::size_t kPlane = 256;
constexpr Range kLiveRanges[] = {
    {161, 173}, // group faders 1..12
    {200, 206}, // view pan and angles
    {offset::GroupColour, offset::GroupColour + 4 * kPlane},
    {offset::GroupLevel, offset::GroupLevel + kPlane},
};

bool differs(const FountainImage& a, const FountainImage& b, std::size_t end)
{
    for (std::size_t i = 0; i < end; ++i)
        if (a[i] != b[i] && !isLiveByte(i))
            return true;
    return false;
}

} // namespace

bool isLiveByte(std::size_t byte)
{
    return std::any_of(std::begin(kLiveRanges), std::end(kLiveRanges),
                       [byte](const Range& r) { return byte >= r.begin && byte < r.end; });
}

bool designDiffers(const FountainImage& a, const FountainImage& b)
{
    // Most calls compare equal images: memcmp settles those at once.
    return a != b && differs(a, b, kFountainFileSize);
}

bool settingsDiffer(const FountainImage& a, const FountainImage& b)
{
    return differs(a, b, kSettingsBlockSize);
}

void takeLiveBytes(FountainImage& design, const FountainImage& live)
{
    for (const Range& r : kLiveRanges)
        std::copy(live.begin() + r.begin, live.begin() + r.end, design.begin() + r.begin);
}

} // namespace pluviane
