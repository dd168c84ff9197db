#include "model/FountainChanges.h"
#include "model/SaveBuffer.h"

#include <gtest/gtest.h>

using namespace pluviane;

TEST(FountainChanges, OnlyTheDesignCountsAndApplyingKeepsTheLiveBytes)
{
    FountainImage file{};
    FountainImage now = file;
    // The camera, the group faders, colours and levels move by themselves.
    for (std::size_t byte : {161u, 172u, 200u, 205u})
        now[byte] = 9;
    now[offset::GroupColour + 3 * 256 + 7] = 9;
    now[offset::GroupLevel + 255] = 9;
    EXPECT_FALSE(designDiffers(file, now));

    // Just beside them, and in the part no save wrote before, the design begins.
    for (std::size_t byte : {std::size_t{160}, std::size_t{173}, std::size_t{206}, offset::JetFoam, kFountainFileSize - 1}) {
        FountainImage edited = now;
        edited[byte] = 1;
        EXPECT_TRUE(designDiffers(now, edited)) << byte;
    }

    FountainImage design = file;
    design[offset::JetFoam] = 4;
    takeLiveBytes(design, now);
    EXPECT_EQ(design[200], 9);
    EXPECT_EQ(design[offset::GroupLevel + 255], 9);
    EXPECT_EQ(design[offset::JetFoam], 4);
}
