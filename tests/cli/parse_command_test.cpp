#include <gtest/gtest.h>

#include <string>

#include "tests/cli/cli_run.h"

namespace {

using cli_test::RunCli;

void ExpectParse(const std::string& prototype, const std::string& json) {
  const auto result = RunCli({"parse", prototype});
  EXPECT_EQ(result.status, 0) << prototype << "\n" << result.err;
  EXPECT_EQ(result.out, json + "\n") << prototype;
  EXPECT_EQ(result.err, "") << prototype;
}

TEST(ParseCommand, PrintsTheSplitAsJson) {
  ExpectParse("unsigned long int Calc(unsigned int n, char ** pp, int &r)",
              R"({"return": "unsigned long int", "name": "Calc", "args": [["unsigned int", "n"], )"
              R"(["char**", "pp"], ["int&", "r"]]})");
  ExpectParse("Calc", R"({"return": "", "name": "Calc", "args": []})");
  ExpectParse("int f(void, int)",
              R"({"return": "int", "name": "f", "args": [["void", ""], ["int", ""]]})");
  ExpectParse(
      "int g(char*p, char**q)",
      R"({"return": "int", "name": "g", "args": [["char*p", "argv0"], ["char**q", "argv1"]]})");
  ExpectParse("", R"({"return": "", "name": "", "args": []})");
}

TEST(ParseCommand, JapaneseTextGoesThroughShiftJis) {
  // 表 and ソ have 5C and 7E as their second bytes.
  ExpectParse("表示 *計算ソ(ﾃｷｽﾄ 引数①)",
              R"({"return": "表示*", "name": "計算ソ", "args": [["ﾃｷｽﾄ", "引数①"]]})");
}

TEST(ParseCommand, EscapesJsonStrings) {
  // Carriage return and other control bytes are word characters of the parser.
  ExpectParse("int \"q\\\r\x01(char \x7f\x1f)",
              R"({"return": "int", "name": "\"q\\\r\u0001", "args": [["char", ")"
              "\x7f"
              R"(\u001f"]]})");
}

TEST(ParseCommand, PrivateUseCodePointsStandForRawBytes) {
  // U+F780 carries the byte 80 through Shift-JIS and comes back as the same code point.
  ExpectParse("x \xEF\x9E\x80()",
              "{\"return\": \"x\", \"name\": \"\xEF\x9E\x80\", \"args\": [[\"\", \"argv0\"]]}");
}

TEST(ParseCommand, RefusesTextShiftJisCannotHold) {
  for (const char* text : {"int caf\xC3\xA9()", "int f(\xE2\x82\xAC x)", "bad \xC3"}) {
    const auto result = RunCli({"parse", text});
    EXPECT_EQ(result.status, 1) << text;
    EXPECT_EQ(result.out, "") << text;
    EXPECT_NE(result.err, "") << text;
  }
}

TEST(ParseCommand, WrongUsage) {
  for (const auto& args :
       {std::vector<std::string>{"parse"}, std::vector<std::string>{"parse", "int f()", "extra"}}) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
  }
}

}  // namespace
