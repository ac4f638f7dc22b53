#include "app/number_values.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <limits>

namespace pictavo {
namespace {

TEST(ReadIntegerValueTest, ReadsDecimalHexadecimalAndBinaryPrefixes) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"80", 80},
      {"-50", -50},
      {"+7", 7},
      {" \t 12", 12},  // blanks and tabs before the number
      {"50%", 50},     // stops at the first character that does not fit
      {"$64", 100},    // hexadecimal
      {"$ff", 255},
      {"-$10", -16},
      {"%101", 5},  // binary
      {"%102", 2},
      {"12abc", 12},
      {"abc", 0},  // no digits
      {"", 0},
      {"-", 0},
      {"$", 0},
      {"1 2", 1},
      {"- 5", 0},    // the sign must touch the digits
      {"300", 300},  // no range check
      {"2147483647", 2147483647},
      {"2147483648", std::numeric_limits<int32_t>::min()},  // wraps to 32 bits
      {"4294967297", 1},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"$FFFFFFFF", -1},
      {"3.9", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadIntegerValue(c.text), c.value) << c.text;
}

TEST(ReadDecimalValueTest, ReadsLikeScanfPercentFInTheCLocale) {
  struct Case {
    const char* text;
    float value;
  };
  const Case cases[] = {
      {"1.5", 1.5f},    {"-0.25", -0.25f},
      {"+2", 2.0f},     {"  2.2", 2.2f},
      {".5", 0.5f},     {"3.", 3.0f},
      {"1,5", 1.0f},  // a decimal comma ends the number
      {"1e2", 100.0f},  {"1E-1", 0.1f},
      {"2e", 2.0f},  // an exponent needs digits
      {"2e+", 2.0f},    {"0.01", 0.01f},
      {"9.99x", 9.99f}, {"abc", 0.0f},
      {"", 0.0f},       {".", 0.0f},
      {"-", 0.0f},      {"1e40", std::numeric_limits<float>::infinity()},  // beyond float
  };
  for (const Case& c : cases) EXPECT_EQ(ReadDecimalValue(c.text), c.value) << c.text;
}

TEST(ReadDecimalValueTest, ReadsInfinityAndNaNInAnyCase) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(ReadDecimalValue("+Infinity"), inf);
  EXPECT_EQ(ReadDecimalValue("-INFINITY"), -inf);
  EXPECT_EQ(ReadDecimalValue("infinity"), inf);
  EXPECT_TRUE(std::isnan(ReadDecimalValue("NaN")));
  EXPECT_TRUE(std::isnan(ReadDecimalValue("nan")));
  EXPECT_EQ(ReadDecimalValue("Infinit"), inf);  // "%f" takes "inf" and stops
}

TEST(ReadDecimalValueTest, IgnoresAProcessLocaleWithADecimalComma) {
  // Only meaningful where such a locale is installed; the reading must not
  // change either way.
  locale_t german = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(0));
  if (german == static_cast<locale_t>(0)) GTEST_SKIP() << "no de_DE.UTF-8 locale installed";
  locale_t previous = uselocale(german);
  EXPECT_EQ(ReadDecimalValue("1.5"), 1.5f);
  EXPECT_EQ(ReadDecimalValue("1,5"), 1.0f);
  uselocale(previous);
  freelocale(german);
}

}  // namespace
}  // namespace pictavo
