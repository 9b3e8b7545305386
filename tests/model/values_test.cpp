#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "model/model.h"

namespace {

class SchemeColors : public ::testing::Test {
 protected:
  void TearDown() override { SetSchemeColorResolver({}); }
};

}  // namespace

TEST_F(SchemeColors, ColourValueHasSixUpperCaseDigitsBlueFirst) {
  EXPECT_EQ(ColorValue(0x000000FFu), "$0000FF");  // red
  EXPECT_EQ(ColorValue(0x00FF0000u), "$FF0000");  // blue
  EXPECT_EQ(ColorValue(0x00000000u), "$000000");
  EXPECT_EQ(ColorValue(0x00ABCDEFu), "$ABCDEF");
  EXPECT_EQ(ColorValue(0x0100000Au), "$100000A");  // more digits when the value needs them
}

TEST_F(SchemeColors, ClassicValuesResolveSchemeColours) {
  EXPECT_EQ(ColorValue(clBtnShadow), "$808080");
  EXPECT_EQ(ColorValue(clBtnHighlight), "$FFFFFF");
  EXPECT_EQ(ResolveColor(0x8000000Fu), 0x00C0C0C0u);  // button face
  EXPECT_EQ(ResolveColor(0x80000008u), 0x00000000u);  // window text
  EXPECT_EQ(ResolveColor(0x80000002u), 0x00800000u);  // active caption, navy
  EXPECT_EQ(ResolveColor(0x00123456u), 0x00123456u);
}

TEST_F(SchemeColors, InstalledResolverIsAskedForSchemeColoursOnly) {
  std::vector<uint32_t> asked;
  SetSchemeColorResolver([&asked](uint32_t index) {
    asked.push_back(index);
    return TColor{0x00102030u + index};
  });
  EXPECT_EQ(ColorValue(clBtnShadow), "$102040");
  EXPECT_EQ(FontValue({"Arial", 10, clBtnHighlight, false, false, false, false}),
            "Arial,10,$102044");
  EXPECT_EQ(ColorValue(0x000000FFu), "$0000FF");
  EXPECT_EQ(asked, (std::vector<uint32_t>{16, 20}));

  SetSchemeColorResolver({});
  EXPECT_EQ(ColorValue(clBtnShadow), "$808080");
}

TEST_F(SchemeColors, FontValueWritesFaceSizeColourAndBoldItalicOnly) {
  EXPECT_EQ(FontValue({"Times New Roman", 26, 0x00FFFF00u, true, false, false, false}),
            "Times New Roman,26,$FFFF00,B");
  EXPECT_EQ(FontValue({"Arial", 10, 0, false, true, false, false}), "Arial,10,$0I");
  EXPECT_EQ(FontValue({"Arial", 12, 0x0000FFu, true, true, true, true}), "Arial,12,$FF,BI");
  EXPECT_EQ(FontValue({"Courier New", 8, 0x80000008u, false, false, true, true}),
            "Courier New,8,$0");
}

TEST(CataloguePath, LiesBesideTheRunningProgram) {
  const std::filesystem::path path = CataloguePath();
  EXPECT_EQ(path.filename(), "version.ini");
#ifdef _WIN32
  const std::filesystem::path program = _pgmptr;  // the full name the program was started by
#else
  const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe");
#endif
  EXPECT_EQ(path.parent_path(), program.parent_path());
}
