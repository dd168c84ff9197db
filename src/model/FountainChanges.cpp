#include "model/FountainChanges.h"

#include "model/SaveBuffer.h"

#include <algorithm>
#include <cstring>

namespace pluviane {

namespace {

struct Range {
    std::size_t begin;
    std::size_t end; // one past the last byte
};

constexpr std::size_t kPlane = 256;
// In byte order, so the design lies in the gaps between them.
constexpr Range kLiveRanges[] = {
    {161, 173}, // group faders 1..12
    {200, 206}, // view pan and angles
    {offset::GroupColour, offset::GroupColour + 4 * kPlane},
    {offset::GroupLevel, offset::GroupLevel + kPlane},
};

bool sameBytes(const FountainImage& a, const FountainImage& b, std::size_t begin, std::size_t end)
{
    return begin >= end || std::memcmp(a.data() + begin, b.data() + begin, end - begin) == 0;
}

// Compares bytes 0..end-1 gap by gap, each gap in one memcmp.
bool differs(const FountainImage& a, const FountainImage& b, std::size_t end)
{
    std::size_t from = 0;
    for (const Range& live : kLiveRanges) {
        if (!sameBytes(a, b, from, std::min(live.begin, end)))
            return true;
        from = std::max(from, live.end);
    }
    return !sameBytes(a, b, from, end);
}

} // namespace

bool isLiveByte(std::size_t byte)
{
    return std::any_of(std::begin(kLiveRanges), std::end(kLiveRanges),
                       [byte](const Range& r) { return byte >= r.begin && byte < r.end; });
}

bool designDiffers(const FountainImage& a, const FountainImage& b)
{
    return differs(a, b, kFountainFileSize);
}

void takeLiveBytes(FountainImage& design, const FountainImage& live)
{
    for (const Range& r : kLiveRanges)
        std::copy(live.begin() + r.begin, live.begin() + r.end, design.begin() + r.begin);
}

} // namespace pluviane
