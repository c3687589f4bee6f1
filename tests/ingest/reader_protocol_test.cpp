// What goes between quillmap-cli and its C reader: every field arrives as it was sent, and an
// answer cut short (a reader that stopped while writing) or padded is refused, never read in
// part.
#include "ingest/reader_protocol.h"

#include <gtest/gtest.h>

namespace quillmap::ingest {
namespace {

ReadResult SampleResult() {
  ReadResult result;
  result.ok = true;
  result.errors = {"a.h:1:2: error: one", ""};
  result.file.path = "dir/a.h";
  CodeFunction function;
  function.name = "f";
  function.return_type = "const char*";
  function.arguments = {{"int", "n", 3, {"count", 2}}, {"...", "", 4, {}}};
  function.is_static = true;
  function.line = 7;
  function.comment = {"Does f.\nSecond line \x82\xa0", 6};
  function.is_definition = true;
  function.begin_offset = 0x12345678;
  function.from_macro = true;
  result.file.functions = {function, CodeFunction{}};
  result.file.functions[1].is_inline = true;
  CodeStruct record;
  record.name = "s";
  record.aliases = {"s_t", "S"};
  record.members = {{"int", "x : 1", 9, {"bit", 9}}};
  record.line = 8;
  record.comment = {"A structure.", 7};
  result.file.structs = {record};
  return result;
}

std::string Text(const ReadResult& result) {
  return EncodeResult(result);
}

TEST(ReaderProtocol, ResultArrivesWhole) {
  const ReadResult sent = SampleResult();
  const std::optional<ReadResult> got = DecodeResult(EncodeResult(sent));
  ASSERT_TRUE(got.has_value());
  // Encoding is field by field, so equal encodings of what was decoded mean equal fields; the
  // few below are checked by name as well.
  EXPECT_EQ(Text(*got), Text(sent));
  EXPECT_EQ(got->file.functions[0].begin_offset, 0x12345678u);
  EXPECT_TRUE(got->file.functions[0].from_macro);
  EXPECT_TRUE(got->file.functions[1].is_inline);
  EXPECT_EQ(got->file.structs[0].aliases, (std::vector<std::string>{"s_t", "S"}));
  EXPECT_EQ(got->file.functions[0].comment.text, "Does f.\nSecond line \x82\xa0");
}

TEST(ReaderProtocol, RequestArrivesWholeWithOrWithoutContents) {
  ReadRequest sent{{"-DX=1", "", "-Iinc"}, "a.c", {}};
  std::optional<ReadRequest> got = DecodeRequest(EncodeRequest(sent));
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->compiler_args, sent.compiler_args);
  EXPECT_EQ(got->path, "a.c");
  EXPECT_FALSE(got->options.definitions);
  EXPECT_FALSE(got->options.contents.has_value());

  sent.options.definitions = true;
  sent.options.contents = std::string("int f(void);\0x", 14);
  got = DecodeRequest(EncodeRequest(sent));
  ASSERT_TRUE(got.has_value());
  EXPECT_TRUE(got->options.definitions);
  EXPECT_EQ(got->options.contents, sent.options.contents);
  // Empty text in memory is still text in memory.
  sent.options.contents = "";
  got = DecodeRequest(EncodeRequest(sent));
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->options.contents, std::optional<std::string>(""));
}

TEST(ReaderProtocol, CutPaddedOrAlteredBytesAreRefused) {
  const std::string result = EncodeResult(SampleResult());
  for (std::size_t size = 0; size < result.size(); ++size) {
    EXPECT_FALSE(DecodeResult(std::string_view(result).substr(0, size))) << size;
  }
  EXPECT_FALSE(DecodeResult(result + '\0'));
  const std::string request = EncodeRequest({{"-w"}, "a.h", {true, "x"}});
  for (std::size_t size = 0; size < request.size(); ++size) {
    EXPECT_FALSE(DecodeRequest(std::string_view(request).substr(0, size))) << size;
  }
  // A request is no answer, and the reverse.
  EXPECT_FALSE(DecodeResult(request));
  EXPECT_FALSE(DecodeRequest(result));
  // A count far beyond the bytes that follow fails before anything is made for it.
  std::string huge = EncodeResult(ReadResult{});
  const std::size_t errors_count = huge.find('\0', huge.find('\n')) + 2;
  huge.replace(errors_count, 4, "\xff\xff\xff\x7f");
  EXPECT_FALSE(DecodeResult(huge));
  // A flag is 0 or 1.
  std::string flag = EncodeResult(ReadResult{});
  flag[flag.find('\n') + 1] = '\2';
  EXPECT_FALSE(DecodeResult(flag));
}

}  // namespace
}  // namespace quillmap::ingest
