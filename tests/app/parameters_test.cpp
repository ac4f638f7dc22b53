#include "app/parameters.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(OptionNameTest, NamesShortAndLongOptionsInUpperCase) {
  struct Case {
    const char* parameter;
    const char* name;
  };
  const Case cases[] = {
      {"-i", "-I"},
      {"-I", "-I"},
      {"-?", "-?"},
      {"-ifile.psd", "-IFILE.PSD"},  // a short option must stand alone
      {"-q=1", "-Q=1"},              // only long options split at "="
      {"--jpg-quality=95", "--JPG-QUALITY"},
      {"--Jpg-Quality", "--JPG-QUALITY"},
      {"--wm-text=a=b", "--WM-TEXT"},
      {"--invert=", "--INVERT"},
      {"file.psd", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(OptionName(c.parameter), c.name) << c.parameter;
}

TEST(OptionValueTest, TakesTheTextAfterTheFirstEqualsSignOfALongOption) {
  struct Case {
    const char* parameter;
    const char* value;
  };
  const Case cases[] = {
      {"--jpg-quality=95", "95"},
      {"--wm-text=a=b", "a=b"},
      {"--WM-Text=Mixed Case", "Mixed Case"},
      {"--brightness=-50", "-50"},
      {"--width=", ""},
      {"--input", "--input"},  // no "=": the parameter itself
      {"-i", "-i"},
      {"/tmp/in/", "/tmp/in/"},
      {"-x=1", "-x=1"},
  };
  for (const Case& c : cases) EXPECT_EQ(OptionValue(c.parameter), c.value) << c.parameter;
}

TEST(ParametersFromArgvTest, DropsQuotesAndOuterBlanksAndSkipsTheProgramName) {
  char program[] = "pictavo";
  char quoted[] = "\"/tmp/my pictures/\"";
  char long_quoted[] = "--wm-text=\"Hello world\"";
  char padded[] = "  -q  ";
  char empty[] = "";
  char* argv[] = {program, quoted, long_quoted, padded, empty};
  const std::vector<std::string> expected = {"/tmp/my pictures/", "--wm-text=Hello world", "-q",
                                             ""};
  EXPECT_EQ(ParametersFromArgv(5, argv), expected);
}

TEST(ParameterAtTest, YieldsAnEmptyTextBeyondTheLast) {
  const std::vector<std::string> parameters = {"-i", "a.psd"};
  EXPECT_EQ(ParameterAt(parameters, 1), "a.psd");
  EXPECT_EQ(ParameterAt(parameters, 2), "");
}

}  // namespace
}  // namespace pictavo
