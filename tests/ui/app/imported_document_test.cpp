// A document that quillmap-cli import made from real headers (the C library's stdio.h and
// string.h, and structures of a test header) opens in the editor with every function and
// structure listed, and each function shows in the form.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include <wx/file.h>

#include "core/model/spec_store.h"
#include "tests/ui/app/app_fixture.h"
#include "ui/doc/func_doc.h"
#include "ui/view/func_view.h"
#include "ui/widgets/sjis_field.h"

namespace {

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Exit status of quillmap-cli with the arguments; its standard error goes to err_path.
int RunCli(const std::string& arguments, const std::string& err_path) {
  const std::string command =
      ShellQuote(QUILLMAP_CLI) + " " + arguments + " >/dev/null 2>" + ShellQuote(err_path);
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const wxString& path) {
  wxFile file(path);
  wxString text;
  file.ReadAll(&text, wxConvUTF8);
  return text.utf8_string();
}

TEST_F(AppTest, ImportedHeadersOpenWithEveryFunctionAndStructure) {
  const wxString shapes = Path(wxS("shapes.h"));
  WriteBytes(shapes,
             "/** A point. */\nstruct point { int x; /* across */ int y; };\n"
             "typedef struct { unsigned flags : 3; struct point at; } mark_t;\n");
  const std::string doc = Path(wxS("libc.dcm")).utf8_string();
  const std::string err = Path(wxS("err.txt")).utf8_string();
  ASSERT_EQ(RunCli("new " + ShellQuote(doc), err), 0);
  const int imported =
      RunCli("import " + ShellQuote(doc) + " /usr/include/stdio.h /usr/include/string.h " +
                 ShellQuote(shapes.utf8_string()),
             err);
  if (imported != 0 && ReadText(err).find("built without libclang") != std::string::npos) {
    GTEST_SKIP() << "quillmap-cli was built without libclang";
  }
  ASSERT_EQ(imported, 0) << ReadText(err);

  quillmap::SpecStore store;
  ASSERT_TRUE(quillmap::LoadStoreFromPath(store, doc));
  ASSERT_GT(store.GetFunctionCount(), 50u);
  EXPECT_GE(store.FindFunction("printf"), 0);
  EXPECT_GE(store.FindFunction("strlen"), 0);
  ASSERT_EQ(store.GetStructCount(), 2u);

  ASSERT_TRUE(Start(wxString::FromUTF8(doc)));
  ASSERT_EQ(Documents().size(), 1u);
  auto* func_doc = wxDynamicCast(Documents()[0], CFuncDoc);
  ASSERT_NE(func_doc, nullptr);
  auto* view = wxDynamicCast(func_doc->GetFirstView(), CFuncView);
  ASSERT_NE(view, nullptr);
  SjisListCtrl* functions = view->FunctionList();
  ASSERT_EQ(functions->GetItemCount(), static_cast<int>(store.GetFunctionCount()));
  for (std::uint32_t i = 0; i < store.GetFunctionCount(); ++i) {
    quillmap::FunctionSpec record;
    ASSERT_TRUE(store.GetFunction(static_cast<std::int32_t>(i), record));
    EXPECT_EQ(functions->GetCellBytes(static_cast<long>(i), 0), record.GetRecordName());
    // Every function shows in the form with its heading and arguments.
    ASSERT_TRUE(view->ShowFunction(static_cast<int>(i)));
    EXPECT_EQ(view->NameEdit()->GetValue().utf8_string(), record.GetRecordName());
    EXPECT_EQ(view->ArgumentList()->GetItemCount(), static_cast<int>(record.GetArgumentCount()))
        << record.GetRecordName();
  }
  SjisListCtrl* structures = view->StructureList();
  ASSERT_EQ(structures->GetItemCount(), 2);
  EXPECT_EQ(structures->GetCellBytes(0, 0), "point");
  EXPECT_EQ(structures->GetCellBytes(1, 0), "mark_t");
}

}  // namespace
