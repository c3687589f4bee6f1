#pragma once
// A folder of C headers and documents for the tests of import and check, the records of a
// document as text, and the built quillmap-cli to run on them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/model/file.h"
#include "core/model/history.h"
#include "core/model/spec_store.h"
#include "core/text/sjis.h"
#include "tests/cli/cli_run.h"

namespace cli_test {

class CodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-code-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    today_ = quillmap::FormatHistoryDate(std::time(nullptr));
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }

  std::string NewDocument(const std::string& name) const {
    const CliResult result = RunCli({"new", Path(name)});
    EXPECT_EQ(result.status, 0) << result.err;
    return Path(name);
  }

  quillmap::SpecStore& Load(const std::string& path) {
    store_ = std::make_unique<quillmap::SpecStore>();
    EXPECT_TRUE(quillmap::LoadStoreFromPath(*store_, path));
    return *store_;
  }

  // The expected text of a record in Shift-JIS, "TODAY" standing for today's history date.
  std::string Expected(const std::string& utf8) const {
    std::string text = utf8;
    for (std::size_t at; (at = text.find("TODAY")) != std::string::npos;) {
      text.replace(at, 5, today_);
    }
    return quillmap::text::Sjis(text);
  }

  // Every node of a record, in order, one line per top-level key: its values in quotes and
  // each list entry in parentheses. Bytes as the record holds them.
  static std::string RecordText(const quillmap::PropertyTree& record) {
    auto name = [&](const quillmap::PropertyNode* node) {
      std::string text;
      record.GetName(node, text);
      std::string quoted = "\"";
      for (char c : text) quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
      return quoted + "\"";
    };
    std::string text;
    for (auto* key = record.FirstChild(record.Root()); key; key = record.NextSibling(key)) {
      std::string key_name;
      record.GetName(key, key_name);
      text += key_name;
      for (auto* value = record.FirstChild(key); value; value = record.NextSibling(value)) {
        if (record.FirstChild(value) == nullptr) {
          text += " ";
          text += name(value);
          continue;
        }
        text += " (";
        for (auto* part = record.FirstChild(value); part; part = record.NextSibling(part)) {
          if (part != record.FirstChild(value)) text += " ";
          text += name(part);
        }
        text += ")";
      }
      text += "\n";
    }
    return text;
  }

  std::string FunctionText(const std::string& name) const {
    quillmap::FunctionSpec record;
    const std::int32_t index = store_->FindFunction(quillmap::text::Sjis(name));
    if (index < 0 || !store_->GetFunction(index, record)) return "no function " + name;
    return RecordText(record);
  }

  std::string StructText(const std::string& name) const {
    quillmap::StructSpec record;
    const std::int32_t index = store_->FindStruct(quillmap::text::Sjis(name));
    if (index < 0 || !store_->GetStruct(index, record)) return "no structure " + name;
    return RecordText(record);
  }

  // Skips a test whose records were dated across midnight.
  void SkipIfTheDateChanged() {
    if (quillmap::FormatHistoryDate(std::time(nullptr)) != today_) GTEST_SKIP() << "midnight";
  }

  std::filesystem::path dir_;
  std::string today_;
  std::unique_ptr<quillmap::SpecStore> store_;
};

}  // namespace cli_test
