// The compiler arguments the C reader hands libclang: the language C unless one is named, and
// no warnings unless a warning option asks for them.
#include "ingest/compiler_args.h"

#include <gtest/gtest.h>

namespace quillmap::ingest {
namespace {

TEST(ReaderCompilerArgs, LanguageAndWarnings) {
  struct Case {
    std::vector<std::string> user;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {{}, {"-xc", "-w"}},
      {{"-DX", "-Iinc"}, {"-xc", "-w", "-DX", "-Iinc"}},
      {{"-Wall"}, {"-xc", "-Wall"}},
      {{"-Wno-unknown-attributes"}, {"-xc", "-Wno-unknown-attributes"}},
      {{"-Werror"}, {"-xc", "-Werror"}},
      // Options handed to the linker, assembler or preprocessor are no warning options.
      {{"-Wl,-z,now", "-Wa,--noexecstack", "-Wp,-DX"},
       {"-xc", "-w", "-Wl,-z,now", "-Wa,--noexecstack", "-Wp,-DX"}},
      {{"-xc++", "-std=c++17"}, {"-w", "-xc++", "-std=c++17"}},
      {{"-x", "c-header"}, {"-w", "-x", "c-header"}},
      {{"--language=c"}, {"-w", "--language=c"}},
      // "-w" given by the user stays as well.
      {{"-w"}, {"-xc", "-w", "-w"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReaderCompilerArgs(c.user), c.expected) << ::testing::PrintToString(c.user);
  }
}

}  // namespace
}  // namespace quillmap::ingest
