#include "model/SettingsBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace pluviane;

namespace {

// Controls by name; a name not in the map does not exist.
struct FakeControls : SettingControls {
    std::map<std::string, int> values;
    std::vector<std::size_t> writtenBytes;

    bool read(const SettingField& field, int& value) const override
    {
        auto it = values.find(std::string(field.control));
        if (it == values.end())
            return false;
        value = it->second;
        return true;
    }

    void write(const SettingField& field, int value) override
    {
        auto it = values.find(std::string(field.control));
        if (it == values.end())
            return;
        it->second = value;
        writtenBytes.push_back(field.byte);
    }
};

std::unique_ptr<FountainImage> filledImage(Byte value)
{
    auto image = std::make_unique<FountainImage>();
    image->fill(value);
    return image;
}

} // namespace

TEST(SettingsEncoding, AnglesPansBarsAndChecks)
{
    double angle = -10;
    EXPECT_EQ(encodeAngle(angle), 175);
    EXPECT_DOUBLE_EQ(angle, 350); // the live variable itself is moved
    EXPECT_DOUBLE_EQ(decodeAngle(175), 350);

    angle = 91.3;
    EXPECT_EQ(encodeAngle(angle), 46);
    EXPECT_DOUBLE_EQ(angle, 91.3);
    EXPECT_DOUBLE_EQ(decodeAngle(46), 92);

    angle = 511; // ceiling 511 div 2 = 255
    EXPECT_EQ(encodeAngle(angle), 255);
    angle = 600; // 300, low 8 bits
    EXPECT_EQ(encodeAngle(angle), 44);
    angle = -1000; // once +360 gives -640, div 2 = -320, low 8 bits 192
    EXPECT_EQ(encodeAngle(angle), 192);
    EXPECT_DOUBLE_EQ(angle, -640);

    EXPECT_EQ(encodePan(-12), 88);
    EXPECT_EQ(encodePan(3.2), 104);
    EXPECT_EQ(encodePan(-100), 0);
    EXPECT_EQ(encodePan(155), 255);
    EXPECT_EQ(encodePan(156), 0);
    EXPECT_EQ(encodePan(-101), 255);
    EXPECT_DOUBLE_EQ(decodePan(88), -12);
    // A runaway drag must still give a byte, not undefined behaviour.
    EXPECT_EQ(encodePan(1e300), encodePan(1e300));
    EXPECT_EQ(encodePan(std::numeric_limits<double>::quiet_NaN()), 0);

    EXPECT_EQ(encodeBar(300), 44);
    EXPECT_EQ(encodeBar(255), 255);
    EXPECT_EQ(encodeCheck(true), 1);
    EXPECT_EQ(encodeCheck(false), 0);
    EXPECT_TRUE(decodeCheck(7));
    EXPECT_FALSE(decodeCheck(0));
}

TEST(SettingsBlock, TableCoversEveryWrittenByteOnce)
{
    std::vector<int> seen(256, 0);
    std::size_t last = 0;
    for (const SettingField& field : settingFields()) {
        EXPECT_GE(field.byte, last) << "apply order is byte order";
        last = field.byte;
        ++seen[field.byte];
    }
    const std::vector<std::size_t> expected = {
        130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 150, 151, 152, 153,
        154, 155, 156, 157, 158, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171,
        172, 200, 201, 203, 204, 205, 206, 207, 210, 211, 212, 213, 215, 216, 217, 218};
    for (int b = 0; b < 256; ++b) {
        const bool written = std::find(expected.begin(), expected.end(), b) != expected.end();
        EXPECT_EQ(seen[b], written ? 1 : 0) << "byte " << b;
    }
}

TEST(SettingsBlock, WritesHeaderAndControlsAndCarriesTheRest)
{
    FountainState state;
    state.ViewPanX = 2.5;
    state.ViewPanY = -12;
    state.ViewAngleY = -10;
    state.ViewAngleZ = 91.3;
    state.ViewAngleX = 0;
    FakeControls controls;
    controls.values = {{"CheckBoxCup", 1},  {"CheckBoxLoadCup", 0}, {"ScrollBarX", 77},
                       {"ColorGridDno", 8}, {"ScrollBarGroup12", 200}, {"ScrollBarZoom", 85},
                       {"ScrollBarLen", 300}};
    auto image = filledImage(0xAB);

    ToBufCup(state, controls, *image);

    EXPECT_EQ((*image)[0], 15);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image->data() + 1), 31),
              "V 1.5 Pluviane                 ");
    EXPECT_EQ((*image)[130], 1);
    EXPECT_EQ((*image)[131], 0);
    EXPECT_EQ((*image)[140], 77);
    EXPECT_EQ((*image)[155], 8);
    EXPECT_EQ((*image)[172], 200);
    EXPECT_EQ((*image)[200], 103);
    EXPECT_EQ((*image)[201], 88);
    EXPECT_EQ((*image)[203], 175);
    EXPECT_DOUBLE_EQ(state.ViewAngleY, 350);
    EXPECT_EQ((*image)[204], 46);
    EXPECT_EQ((*image)[205], 0);
    EXPECT_EQ((*image)[206], 85);
    EXPECT_EQ((*image)[213], 85);
    EXPECT_EQ((*image)[217], 44);
    // Controls that do not exist keep their bytes, and so do the unwritten ranges.
    for (std::size_t b : {132, 141, 150, 210, 211, 212, 215, 216, 218})
        EXPECT_EQ((*image)[b], 0xAB) << "byte " << b;
    for (std::size_t b = 32; b < 130; ++b)
        ASSERT_EQ((*image)[b], 0xAB) << "byte " << b;
    for (std::size_t b = 219; b < kFountainFileSize; ++b)
        ASSERT_EQ((*image)[b], 0xAB) << "byte " << b;
}

TEST(SettingsBlock, AppliesInByteOrderWithTheSecondZoomLast)
{
    FountainState state;
    FakeControls controls;
    controls.values = {{"CheckBoxCup", 0}, {"CheckBoxNight", 1}, {"ScrollBarZoom", 85},
                       {"ColorGridUp", 6}, {"ScrollBarMaxScen", 3}};
    auto image = filledImage(0);
    (*image)[130] = 9;   // any nonzero byte checks the box
    (*image)[133] = 0;
    (*image)[157] = 12;
    (*image)[200] = 0;
    (*image)[201] = 255;
    (*image)[203] = 175;
    (*image)[204] = 255;
    (*image)[205] = 1;
    (*image)[206] = 10;
    (*image)[210] = 40;
    (*image)[213] = 120;

    FromBufCup(*image, state, controls);

    EXPECT_EQ(controls.values["CheckBoxCup"], 1);
    EXPECT_EQ(controls.values["CheckBoxNight"], 0);
    EXPECT_EQ(controls.values["ColorGridUp"], 12);
    EXPECT_EQ(controls.values["ScrollBarMaxScen"], 40);
    EXPECT_EQ(controls.values["ScrollBarZoom"], 120);
    EXPECT_DOUBLE_EQ(state.ViewPanX, -100);
    EXPECT_DOUBLE_EQ(state.ViewPanY, 155);
    EXPECT_DOUBLE_EQ(state.ViewAngleY, 350);
    EXPECT_DOUBLE_EQ(state.ViewAngleZ, 510);
    EXPECT_DOUBLE_EQ(state.ViewAngleX, 2);
    const std::vector<std::size_t> order = {130, 133, 157, 206, 210, 213};
    EXPECT_EQ(controls.writtenBytes, order);
}

TEST(SettingsBlock, ApplyingOnlyTheChangedBytesKeepsBarsBeyondAByte)
{
    FakeControls controls;
    controls.values = {{"ScrollBarLen", 300}, {"ScrollBarCupWidthX", 150}};
    FountainState state;
    state.ViewAngleY = 33;
    auto now = filledImage(0);
    ToBufCup(state, controls, *now);
    FountainImage target = *now;
    target[152] = 90;
    applyChangedSettings(*now, target, state, controls);
    EXPECT_EQ(controls.values["ScrollBarCupWidthX"], 90);
    EXPECT_EQ(controls.values["ScrollBarLen"], 300);
    EXPECT_EQ(controls.writtenBytes, std::vector<std::size_t>{152});
    EXPECT_DOUBLE_EQ(state.ViewAngleY, 33);
}
