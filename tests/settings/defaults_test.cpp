#include "settings/defaults.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(VersionTest, ThreeHundredTenReadsThreePointOne) {
  EXPECT_EQ(VersionText(), "3.1");
  EXPECT_EQ(TitleString(), "Pictavo 3.1");
}

}  // namespace
}  // namespace pictavo
