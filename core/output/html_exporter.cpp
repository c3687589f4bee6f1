#include "core/output/html_exporter.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "core/model/file.h"
#include "core/output/record_lists.h"
#include "core/text/sjis.h"

namespace quillmap {
namespace {

// The page's fixed texts in Shift-JIS, converted once from the UTF-8 of this source.
struct Literals {
  // List fragments.
  std::string list_comment = text::Sjis("<!-- 見出し 2,章見出し -->");
  std::string struct_list_title = text::Sjis("<H3>構造体一覧<HR></H3>\n");
  std::string function_list_title = text::Sjis("<H3>関数一覧<HR></H3>\n");
  std::string list_spacer_cell = text::Sjis("<TD WIDHT=30>　　</TD>\n");
  // Block fragments.
  std::string struct_specs_comment = text::Sjis("\n<!--- 構造体仕様一覧 --->\n\n");
  std::string function_specs_comment = text::Sjis("\n<!--- 関数仕様一覧 --->\n\n");
  std::string struct_specs_title = text::Sjis("<CENTER><U><H2>構造体</H2></U></CENTER><P>\n");
  std::string function_specs_title = text::Sjis("<CENTER><U><H2>関数</H2></U></CENTER><P>\n");
  std::string struct_name_comment = text::Sjis("<!-- 構造体名 -->\n");
  std::string function_name_comment = text::Sjis("<!-- 関数名 -->\n");
  std::string struct_heading_comment = text::Sjis("<!-- 構造体説明 -->\n");
  std::string function_heading_comment = text::Sjis("<!-- 関数説明 -->\n");
  std::string back_cell = text::Sjis("<TD align=right valign=bottom><A HREF=#top>戻る</A></TD>\n");
  // Sections.
  std::string form_head = text::Sjis("<!-- 形式 -->\n<B>形式</B>\n");
  std::string table_head = text::Sjis("<!-- 引数 -->\n<B>引数</B>\n");
  std::string none = text::Sjis("なし\n");
  std::string return_head = text::Sjis("<!-- 返り値 -->\n<B>返り値</B>\n");
  std::string explanation_head = text::Sjis("<!-- 解説 -->\n<B>解説</B>\n");
  std::string note_head = text::Sjis("<!-- 備考 -->\n<B>備考</B>\n");
  std::string links_head = text::Sjis("<!-- 関連項目 -->\n<B>関連項目</B>\n");
  // Tail.
  std::string tail_back = text::Sjis("<A HREF=\"#Top\">戻る</A>");
};

const Literals& L() {
  static const Literals literals;
  return literals;
}

constexpr std::string_view kSectionRule = "<HR NOSHADE ALIGN=left SIZE=2 WIDTH=20%>\n";
constexpr std::string_view kPreOpen = "<BLOCKQUOTE><BLOCKQUOTE>\n<PRE>\n";
constexpr std::string_view kPreClose = "</PRE></BLOCKQUOTE></BLOCKQUOTE>\n";
constexpr std::string_view kQuotesOpen = "<BLOCKQUOTE>\n<BLOCKQUOTE>\n";
constexpr std::string_view kQuotesClose = "</BLOCKQUOTE>\n</BLOCKQUOTE>\n";
constexpr std::string_view kEntrySeparator = "<B> ,</B>";
constexpr std::string_view kPlainTable = "<TABLE CELLPADDING=0 CELLSPACING=0 BORDER=0>\n";

// A fragment goes to the file in pieces of about this size.
constexpr std::size_t kPieceSize = 256 * 1024;

}  // namespace

// The fragment being made. Small pieces are collected; a value as large as a piece goes to the
// file at once, after what was collected, so that no large value is ever copied on its way.
class PageOut {
 public:
  explicit PageOut(std::function<void(std::string_view)> write) : write_(std::move(write)) {
    buffer_.reserve(kPieceSize + 64 * 1024);
  }
  void append(std::string_view piece) {
    if (piece.size() < kPieceSize) {
      buffer_.append(piece);
      return;
    }
    Hand();
    write_(piece);
  }
  PageOut& operator+=(char c) {
    buffer_ += c;
    return *this;
  }
  std::size_t size() const { return buffer_.size(); }
  bool empty() const { return buffer_.empty(); }
  // Hands what was collected to the file.
  void Hand() {
    if (!buffer_.empty()) write_(buffer_);
    buffer_.clear();
  }

 private:
  std::function<void(std::string_view)> write_;
  std::string buffer_;
};

namespace {

// Appends any number of pieces to a fragment.
template <typename... Pieces>
void Put(PageOut& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

// The text of the list fragments and block fragments that differ between the two kinds.
struct KindTexts {
  const std::string& list_title;
  const std::string& specs_comment;
  const std::string& specs_title;
  const std::string& name_comment;
  const std::string& heading_comment;
};

void PutListHead(PageOut& out, const KindTexts& kind, bool comment_line_feed) {
  Put(out, L().list_comment);
  if (comment_line_feed) out += '\n';
  Put(out, "<HR NOSHADE SIZE=5>\n", "<A NAME=\"Heading2\">\n", kind.list_title, "<blockquote>\n\n",
      "<TABLE CELLPADDING=0 WIDHT=80%>\n");
}

void PutListRow(PageOut& out, std::string_view name, std::string_view heading) {
  Put(out, "<TR>\n", "<TD></TD>\n", "<TD WIDHT=40%><A HREF=#", name, ">", name, "</A><BR></TD>\n",
      L().list_spacer_cell, "<TD WIDTH=55%>", heading, "</TD>\n", "</TR>\n");
}

// What a list row shows of a record (and of a function its attribute), read without the rest of
// the record.
constexpr std::array<std::string_view, 2> kStructListKeys = {key::kName, key::kIndex};
constexpr std::array<std::string_view, 3> kFunctionListKeys = {key::kName, key::kIndex,
                                                               key::kFuncAttr};

void PutListTail(PageOut& out) {
  Put(out, "</TABLE>", "</blockquote><BR>\n");
}

void PutSpecsHead(PageOut& out, const KindTexts& kind) {
  Put(out, kind.specs_comment, "<HR border=1 width=100%><BR><BR>\n", kind.specs_title);
}

void PutBlockHead(PageOut& out, const KindTexts& kind, const RecordKeys& record,
                  std::string_view name) {
  Put(out, "<A NAME = ", name, ">\n", "<HR NOSHADE SIZE=8>\n", kind.name_comment,
      "<TABLE BORDER=0 WIDTH=100% CELLSPACING=0 CELLPADDING=0>\n", "<TR>\n",
      "<TD VALIGN=BOTTOM><H1>", name, "</H1></TD>\n", L().back_cell, "</TR>\n", "<TR>\n",
      "<TD colspan=2 bgcolor=#336699 HEIGHT=4></TD>\n", "</TR>\n", "</TABLE>\n",
      kind.heading_comment, "<DIV ALIGN=right>", record.Value(key::kIndex), "</DIV><P>\n");
}

// The entries of a prototype or typedef, one a line: "    type <I>name", the separator unless
// last, "</I>"; the given text when there are none.
void PutFormEntries(PageOut& out, const std::vector<ListEntry>& entries, std::string_view none) {
  if (entries.empty()) {
    Put(out, none);
    return;
  }
  out += '\n';
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Put(out, "    ", entries[i].type, " <I>", entries[i].name);
    if (i + 1 < entries.size()) Put(out, kEntrySeparator);
    Put(out, "</I>\n");
  }
}

void PutFunctionForm(PageOut& out, const RecordKeys& function, std::string_view name,
                     const std::vector<ListEntry>& arguments) {
  Put(out, L().form_head, kSectionRule, kPreOpen, function.Value(key::kReturn), " <B>", name,
      "</B>", "(");
  PutFormEntries(out, arguments, " <I>void</I> ");
  Put(out, ")\n", kPreClose);
}

void PutStructForm(PageOut& out, std::string_view name, const std::vector<ListEntry>& members) {
  Put(out, L().form_head, kSectionRule, kPreOpen, "typedef struct{");
  PutFormEntries(out, members, " <I>?{/I> ");
  Put(out, "} ", "<B>", name, "</B>\n", kPreClose);
}

// The argument or member table; the given text when there are none.
void PutEntryTable(PageOut& out, const std::vector<ListEntry>& entries, std::string_view none) {
  Put(out, L().table_head, kSectionRule, kQuotesOpen);
  if (entries.empty()) {
    Put(out, none);
  } else {
    Put(out, kPlainTable);
    for (const ListEntry& entry : entries) {
      Put(out, "<TR>\n", "<TD><I>", entry.name, "<I>", "</TD>\n", "<TD WIDTH=64></TD>\n", "<TD><I>",
          entry.description, "<I>", "</TD>\n", "</TR>\n");
    }
    Put(out, "</TABLE>\n");
  }
  Put(out, kQuotesClose);
}

void PutTextSection(PageOut& out, const std::string& head, std::string_view value) {
  Put(out, head, kSectionRule, "<BLOCKQUOTE><BLOCKQUOTE><PRE>\n", value, "\n</PRE>\n",
      "</BLOCKQUOTE></BLOCKQUOTE>\n");
}

// Explanation, note (only when not empty) and related items. links is reused storage.
void PutCommonSections(PageOut& out, const RecordKeys& record,
                       std::vector<std::string_view>& links) {
  PutTextSection(out, L().explanation_head, record.Value(key::kExplanation));
  if (const std::string_view note = record.Value(key::kNote); !note.empty()) {
    PutTextSection(out, L().note_head, note);
  }
  Put(out, L().links_head, kSectionRule, kQuotesOpen);
  record.ReadNames(key::kLink, links);
  if (links.empty()) {
    Put(out, L().none);
  } else {
    Put(out, kPlainTable, "<TR><TD WIDTH=480>");
    for (std::size_t i = 0; i < links.size(); ++i) {
      Put(out, "<A HREF=#", links[i], ">", links[i], "</A>");
      if (i + 1 < links.size()) Put(out, ",  ");
    }
    Put(out, "</TD></TR></TABLE>\n");
  }
  Put(out, kQuotesClose);
}

KindTexts StructTexts() {
  return {L().struct_list_title, L().struct_specs_comment, L().struct_specs_title,
          L().struct_name_comment, L().struct_heading_comment};
}

KindTexts FunctionTexts() {
  return {L().function_list_title, L().function_specs_comment, L().function_specs_title,
          L().function_name_comment, L().function_heading_comment};
}

}  // namespace

// ---- SpecExporter ------------------------------------------------------------------------------

namespace {

const RecordTable& EmptyTable() {
  static const RecordTable empty;
  return empty;
}

}  // namespace

SpecExporter::~SpecExporter() = default;

bool SpecExporter::Write(File* file) {
  return store_ != nullptr && file != nullptr;
}

bool SpecExporter::Attach(const SpecStore* store) {
  if (store == nullptr) return false;
  store_ = store;
  records_ = store->Snapshot();
  attribute_flags_.fill(1);
  return true;
}

bool SpecExporter::SetAttributeFlag(unsigned slot, int value) {
  if (slot >= attribute_flags_.size()) return false;
  attribute_flags_[slot] = value;
  return true;
}

int SpecExporter::IsAttributeEnabled(unsigned slot) const {
  return slot < attribute_flags_.size() ? attribute_flags_[slot] : 0;
}

std::string SpecExporter::GetDocInfo(int kind) const {
  return store_ != nullptr ? store_->GetDocInfo(kind) : std::string();
}

const RecordTable& SpecExporter::Functions() const {
  return records_.functions ? *records_.functions : EmptyTable();
}

const RecordTable& SpecExporter::Structures() const {
  return records_.structures ? *records_.structures : EmptyTable();
}

std::uint32_t SpecExporter::GetFunctionCount() const {
  return static_cast<std::uint32_t>(Functions().Count());
}

std::uint32_t SpecExporter::GetStructCount() const {
  return static_cast<std::uint32_t>(Structures().Count());
}

bool SpecExporter::GetFunction(std::uint32_t index, FunctionSpec& out) const {
  const StoredTree* record = store_ != nullptr ? Functions().At(index) : nullptr;
  if (record == nullptr) return false;
  record->BuildInto(out);
  return true;
}

bool SpecExporter::GetStruct(std::uint32_t index, StructSpec& out) const {
  const StoredTree* record = store_ != nullptr ? Structures().At(index) : nullptr;
  if (record == nullptr) return false;
  record->BuildInto(out);
  return true;
}

// ---- HtmlExporter ------------------------------------------------------------------------------

HtmlExporter::~HtmlExporter() = default;

void HtmlExporter::WriteFragment(File& file, std::string_view fragment) {
  file.Write(fragment);
}

void HtmlExporter::Spill(File&, PageOut& out, bool end_of_fragment) {
  if (out.size() < kPieceSize && !(end_of_fragment && !out.empty())) return;
  out.Hand();
}

bool HtmlExporter::Write(File* file) {
  if (file == nullptr) return false;
  PageOut out([this, file](std::string_view fragment) { WriteFragment(*file, fragment); });
  WriteHead(*file, out);
  WriteStructList(*file, out);
  WriteFunctionList(*file, out);
  WriteStructSpecs(*file, out);
  WriteFunctionSpecs(*file, out);
  WriteTail(*file, out);
  return true;
}

void HtmlExporter::WriteHead(File& file, PageOut& out) {
  const std::string title = GetDocInfo(kDocInfoTitle);
  const std::string copyright = GetDocInfo(kDocInfoCopyright);
  Put(out, "<HTML><HEAD>\n",
      "<META http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n",
      "<META NAME=\"GENERATOR\" content=\"Quillmap 1.0\">\n", "<TITLE>", title, "</TITLE></HEAD>\n",
      "<BODY BGCOLOR=#FFFFFF>\n\n", "<TABLE WIDTH=100%>\n", "<TR><TD>\n", "<H4>", copyright,
      "</H4>\n", "</TD><TD ALIGN=right>", "</TD></TR></TABLE>", "<HR NOSHADE SIZE=5>\n",
      "<DIV align=center><H1>", title, "</H1></DIV>", "<P>\n", "</TR></TABLE>\n\n");
  Spill(file, out, true);
}

void HtmlExporter::WriteStructList(File& file, PageOut& out) {
  PutListHead(out, StructTexts(), true);
  const RecordTable& structures = Structures();
  for (std::size_t i = 0; i < structures.Count(); ++i) {
    TopValues<2> values(kStructListKeys);
    structures.At(i)->Read(values);
    PutListRow(out, values.value(0), values.value(1));
    Spill(file, out);
  }
  PutListTail(out);
  Spill(file, out, true);
}

void HtmlExporter::WriteFunctionList(File& file, PageOut& out) {
  PutListHead(out, FunctionTexts(), false);
  const RecordTable& functions = Functions();
  for (std::size_t i = 0; i < functions.Count(); ++i) {
    TopValues<3> values(kFunctionListKeys);
    functions.At(i)->Read(values);
    if (IsAttributeEnabled(static_cast<unsigned>(FuncAttributeCode(values.value(2))))) {
      PutListRow(out, values.value(0), values.value(1));
    }
    Spill(file, out);
  }
  PutListTail(out);
  Spill(file, out, true);
}

void HtmlExporter::WriteStructSpecs(File& file, PageOut& out) {
  const KindTexts kind = StructTexts();
  PutSpecsHead(out, kind);
  std::vector<ListEntry> members;
  std::vector<std::string_view> links;
  const RecordTable& structures = Structures();
  for (std::size_t i = 0; i < structures.Count(); ++i) {
    record_.Assign(*structures.At(i));
    const RecordKeys keys(record_);
    const std::string_view name = keys.Value(key::kName);
    keys.ReadEntries(key::kMemberList, members);
    PutBlockHead(out, kind, keys, name);
    PutStructForm(out, name, members);
    PutEntryTable(out, members, "nomember ( is error )\n");
    PutCommonSections(out, keys, links);
    out += '\n';
    Spill(file, out);
  }
  Spill(file, out, true);
}

void HtmlExporter::WriteFunctionSpecs(File& file, PageOut& out) {
  const KindTexts kind = FunctionTexts();
  PutSpecsHead(out, kind);
  std::vector<ListEntry> arguments;
  std::vector<std::string_view> links;
  const RecordTable& functions = Functions();
  for (std::size_t i = 0; i < functions.Count(); ++i) {
    record_.Assign(*functions.At(i));
    const RecordKeys keys(record_);
    if (!IsAttributeEnabled(static_cast<unsigned>(keys.Attribute()))) continue;
    const std::string_view name = keys.Value(key::kName);
    keys.ReadEntries(key::kArgvList, arguments);
    PutBlockHead(out, kind, keys, name);
    PutFunctionForm(out, keys, name, arguments);
    PutEntryTable(out, arguments, L().none);
    PutTextSection(out, L().return_head, keys.Value(key::kReturn, 1));
    PutCommonSections(out, keys, links);
    out += '\n';
    Spill(file, out);
  }
  Spill(file, out, true);
}

void HtmlExporter::WriteTail(File& file, PageOut& out) {
  const std::string copyright = GetDocInfo(kDocInfoCopyright);
  Put(out, L().tail_back, "<HR><DIV ALIGN=right>\n", copyright, "</DIV>", "</BODY></HTML>\n");
  Spill(file, out, true);
}

}  // namespace quillmap
