// quillmap-cli new, resave and dump, run as a program.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/model/file.h"
#include "core/model/spec_store.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUnexpectedFormat[] = "予期しないﾌｧｲﾙ形式です。";

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Bytes(const quillmap::SpecStore& store) {
  quillmap::File file;
  file.OpenMemoryWrite();
  store.Save(&file);
  return file.MemoryBytes();
}

class DocumentCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmap-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Path(const std::string& name) const { return dir_ / name; }

  Result Run(const std::vector<std::string>& arguments) const {
    std::string command = Quote(QUILLMAP_CLI);
    for (const std::string& argument : arguments) command.append(" ").append(Quote(argument));
    command += " >" + Quote(Path("stdout").string()) + " 2>" + Quote(Path("stderr").string());
    Result result;
    int status = std::system(command.c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadAll(Path("stdout"));
    result.err = ReadAll(Path("stderr"));
    return result;
  }

  fs::path dir_;
};

TEST_F(DocumentCommands, NewWritesTheEmptyDocument) {
  Result result = Run({"new", Path("new.dcm").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  quillmap::SpecStore empty;
  std::string written = ReadAll(Path("new.dcm"));
  EXPECT_EQ(written.size(), 204u);
  EXPECT_EQ(written, Bytes(empty));
}

TEST_F(DocumentCommands, NewReportsPathsItCannotWrite) {
  Result folder = Run({"new", dir_.string()});
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find(dir_.string()), std::string::npos) << folder.err;
  Result missing = Run({"new", Path("no/such.dcm").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no/such.dcm"), std::string::npos) << missing.err;
}

TEST_F(DocumentCommands, ResaveKeepsAWellFormedDocumentByteForByte) {
  quillmap::SpecStore store;
  store.SetDocInfo(quillmap::kDocInfoTitle, "\x8e\x64\x97\x6c");
  store.AddFunction("f");
  quillmap::FunctionSpec function;
  store.GetFunction(0, function);
  function.AddArgument("int", "a", "\x88\xf8\x90\x94");
  function.AddHistory(1000000000, "c");
  store.PutFunction(0, function);
  store.AddStruct("s");
  std::string bytes = Bytes(store);
  WriteAll(Path("in.dcm"), bytes);
  Result result = Run({"resave", Path("in.dcm").string(), Path("out.dcm").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadAll(Path("out.dcm")), bytes);
}

TEST_F(DocumentCommands, ResaveCompletesATruncatedDocument) {
  quillmap::SpecStore store;
  store.AddFunction("f");
  std::string bytes = Bytes(store);
  WriteAll(Path("in.dcm"), bytes.substr(0, 124));  // header and information only
  Result result = Run({"resave", Path("in.dcm").string(), Path("out.dcm").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadAll(Path("out.dcm")), Bytes(quillmap::SpecStore()));
}

TEST_F(DocumentCommands, RefusedFileLeavesTheOutputUntouched) {
  WriteAll(Path("bad.dcm"), std::string("\x0f\0\0\0"
                                        "01PS",
                                        8));
  WriteAll(Path("out.dcm"), "previous");
  Result result = Run({"resave", Path("bad.dcm").string(), Path("out.dcm").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, std::string(kUnexpectedFormat) + "\n");
  EXPECT_EQ(ReadAll(Path("out.dcm")), "previous");

  Result short_file =
      Run({"resave", Path("out.dcm").string(), Path("created.dcm").string()});  // 8 bytes
  EXPECT_EQ(short_file.status, 1);
  EXPECT_FALSE(fs::exists(Path("created.dcm")));
  WriteAll(Path("empty.dcm"), "");
  Result dump = Run({"dump", Path("empty.dcm").string()});
  EXPECT_EQ(dump.status, 1);
  EXPECT_EQ(dump.out, "");
  EXPECT_NE(dump.err.find(kUnexpectedFormat), std::string::npos);
}

TEST_F(DocumentCommands, MissingOrFolderInputIsNamed) {
  Result missing = Run({"dump", Path("none.dcm").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.dcm"), std::string::npos) << missing.err;
  Result folder = Run({"resave", dir_.string(), Path("out.dcm").string()});
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find(dir_.string()), std::string::npos) << folder.err;
  EXPECT_FALSE(fs::exists(Path("out.dcm")));
}

TEST_F(DocumentCommands, ResaveToAnUnwritablePlaceFails) {
  quillmap::SpecStore store;
  WriteAll(Path("in.dcm"), Bytes(store));
  Result result = Run({"resave", Path("in.dcm").string(), Path("missing/out.dcm").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("missing/out.dcm"), std::string::npos) << result.err;
}

TEST_F(DocumentCommands, DumpOfTheNewDocument) {
  Run({"new", Path("new.dcm").string()});
  Result result = Run({"dump", Path("new.dcm").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "{\"info\": [{\"name\": \"title\", \"children\": [{\"name\": \"title\", \"children\": "
            "[]}]}, {\"name\": \"copyright\", \"children\": [{\"name\": \"Copyright\", "
            "\"children\": []}]}],\n\"functions\": [],\n\"structures\": []}\n");
}

TEST_F(DocumentCommands, DumpDecodesNamesEscapesAndShowsData) {
  quillmap::SpecStore store;
  store.SetDocInfo(quillmap::kDocInfoTitle, "\x8e\x64\x97\x6c \"q\" \\ \x01\n");
  store.AddFunction("f1");
  store.AddStruct("s1");
  quillmap::StructSpec structure;
  store.GetStruct(0, structure);
  quillmap::PropertyNode* node = structure.AddChild(nullptr, "raw");
  structure.SetData(node, new unsigned char[3]{0x00, 0xAB, 0x7F}, 3);
  store.PutStruct(0, structure);
  WriteAll(Path("doc.dcm"), Bytes(store));

  Result result = Run({"dump", Path("doc.dcm").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("{\"name\": \"title\", \"children\": [{\"name\": \"仕様 \\\"q\\\" \\\\ "
                            "\\u0001\\n\", \"children\": []}]}"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("\"functions\": [\n[{\"name\": \"name\", \"children\": [{\"name\": "
                            "\"f1\", \"children\": []}]}, {\"name\": \"index\""),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("{\"name\": \"raw\", \"data\": \"00ab7f\", \"children\": []}]\n]}\n"),
            std::string::npos)
      << result.out;
  // Only nodes with data bytes have a "data" member.
  EXPECT_EQ(result.out.find("\"data\""), result.out.rfind("\"data\""));
}

TEST_F(DocumentCommands, DumpNestsDeepTrees) {
  // Nodes nested four deep under a function's "note".
  quillmap::SpecStore store;
  store.AddFunction("f");
  quillmap::FunctionSpec function;
  store.GetFunction(0, function);
  quillmap::PropertyNode* node = function.FindTop("note");
  for (const char* name : {"a", "b", "c", "d"}) node = function.AddChild(node, name);
  function.AddChild(function.FindPath("/note/a/b"), "e");
  store.PutFunction(0, function);
  WriteAll(Path("doc.dcm"), Bytes(store));
  Result result = Run({"dump", Path("doc.dcm").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(
      result.out.find("{\"name\": \"note\", \"children\": [{\"name\": \"\", \"children\": "
                      "[]}, {\"name\": \"a\", \"children\": [{\"name\": \"b\", \"children\": "
                      "[{\"name\": \"c\", \"children\": [{\"name\": \"d\", \"children\": "
                      "[]}]}, {\"name\": \"e\", \"children\": []}]}]}]}, {\"name\": \"link\""),
      std::string::npos)
      << result.out;
}

TEST_F(DocumentCommands, WrongUsageShowsTheUsageText) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{},
                                             {"unknown"},
                                             {"new"},
                                             {"new", "a", "b"},
                                             {"resave", "a"},
                                             {"dump"},
                                             {"dump", "a", "b"}}) {
    Result result = Run(arguments);
    EXPECT_EQ(result.status, 2);
    for (const char* command :
         {"new FILE.dcm", "resave IN.dcm OUT.dcm", "dump FILE.dcm", "parse 'PROTOTYPE'",
          "add FILE.dcm 'PROTOTYPE' ...", "export FILE.dcm OUT.htm [--attributes LIST]",
          "clip FILE.dcm NAME [--flags N] [--sjis]"}) {
      EXPECT_NE(result.err.find(command), std::string::npos) << command;
    }
  }
  EXPECT_FALSE(fs::exists("a"));
}

}  // namespace
