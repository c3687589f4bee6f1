// Writes examples/sample.dcm: a small Japanese function document of a buffered file
// library, built with the core's own API. Usage: quillmap-make-sample [OUT.dcm]
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "core/model/file.h"
#include "core/model/spec_store.h"
#include "core/text/sjis.h"

namespace {

using quillmap::LocalMidnight;
using quillmap::text::Sjis;

struct Argument {
  const char* type;
  const char* name;
  const char* description;  // UTF-8
};

struct History {
  std::time_t date;
  const char* comment;  // UTF-8
};

struct FunctionText {
  const char* name;
  const char* heading;
  quillmap::FuncAttribute attribute;
  std::vector<Argument> arguments;
  const char* return_type;
  const char* return_text;
  const char* explanation;
  const char* note;
  std::vector<const char*> links;
  std::vector<History> history;
};

struct StructText {
  const char* name;
  const char* heading;
  const char* explanation;
  std::vector<Argument> members;
  std::vector<const char*> links;
};

void AddFunction(quillmap::SpecStore& store, const FunctionText& text) {
  quillmap::FunctionSpec function;
  function.SetRecordName(text.name);
  function.SetIndex(Sjis(text.heading));
  function.SetAttribute(text.attribute);
  for (const Argument& argument : text.arguments) {
    function.AddArgument(argument.type, argument.name, Sjis(argument.description));
  }
  function.SetReturnType(text.return_type);
  function.SetReturnText(Sjis(text.return_text));
  function.SetExplanation(Sjis(text.explanation));
  function.SetNote(Sjis(text.note));
  for (const char* link : text.links) function.AddLink(link);
  for (const History& entry : text.history) function.AddHistory(entry.date, Sjis(entry.comment));
  std::int32_t index = static_cast<std::int32_t>(store.AddFunction(text.name)) - 1;
  store.PutFunction(index, function);
}

void AddStruct(quillmap::SpecStore& store, const StructText& text) {
  quillmap::StructSpec structure;
  structure.SetRecordName(text.name);
  structure.SetIndex(Sjis(text.heading));
  structure.SetExplanation(Sjis(text.explanation));
  for (const Argument& member : text.members) {
    structure.AddMember(member.type, member.name, Sjis(member.description));
  }
  for (const char* link : text.links) structure.AddLink(link);
  std::int32_t index = static_cast<std::int32_t>(store.AddStruct(text.name)) - 1;
  store.PutStruct(index, structure);
}

void BuildSample(quillmap::SpecStore& store) {
  store.SetDocInfo(quillmap::kDocInfoTitle,
                   Sjis("QFile バッファ付きファイル入出力ライブラリ 関数仕様書"));
  store.SetDocInfo(quillmap::kDocInfoCopyright,
                   Sjis("Copyright (C) 2026 オリンヴェルク株式会社 開発部"));

  AddFunction(store,
              {"qf_open",
               "ファイルを開く",
               quillmap::kAttrPublic,
               {{"const char*", "path", "開くファイルのパス名"},
                {"int", "mode", "QF_READ（読み込み）または QF_WRITE（書き込み）"}},
               "QFILE*",
               "成功したときは QFILE 構造体へのポインタ、失敗したときは NULL",
               "path で指定したファイルを mode に従って開き、\n"
               "入出力用のバッファを確保する。\n"
               "QF_WRITE を指定したとき、既存のファイルは長さ 0 に切り詰める。",
               "返されたポインタは、使い終わったら必ず qf_close で閉じること。",
               {"qf_close", "qf_read", "qf_write"},
               {{LocalMidnight(2026, 4, 1), "新規作成"},
                {LocalMidnight(2026, 5, 12), "QF_WRITE で既存ファイルを切り詰めるように変更"}}});
  AddFunction(store, {"qf_close",
                      "ファイルを閉じる",
                      quillmap::kAttrPublic,
                      {{"QFILE*", "fp", "qf_open で開いたファイル"}},
                      "int",
                      "成功したときは 0、書き出しに失敗したときは -1",
                      "バッファに残っているデータを書き出してからファイルを閉じ、\n"
                      "QFILE 構造体とバッファを解放する。",
                      "戻り値が -1 でも fp は解放済みなので、再び使ってはいけない。",
                      {"qf_open", "qf_write"},
                      {{LocalMidnight(2026, 4, 1), "新規作成"}}});
  AddFunction(store,
              {"qf_read",
               "データを読み込む",
               quillmap::kAttrPublic,
               {{"QFILE*", "fp", "読み込むファイル"},
                {"void*", "buffer", "読み込んだデータを受け取る領域"},
                {"size_t", "size", "読み込むバイト数"}},
               "size_t",
               "実際に読み込んだバイト数。ファイルの終わりでは 0",
               "fp から最大 size バイトを buffer に読み込む。\n"
               "内部バッファが空になると qf_fill_buffer で補充する。",
               "エラーの有無は QFILE 構造体の error で確認すること。",
               {"qf_open", "qf_fill_buffer"},
               {{LocalMidnight(2026, 4, 1), "新規作成"},
                {LocalMidnight(2026, 4, 20), "size が 0 のときの扱いを修正"},
                {LocalMidnight(2026, 6, 3), "大きな読み込みでバッファを経由しないように高速化"}}});
  AddFunction(store, {"qf_write",
                      "データを書き出す",
                      quillmap::kAttrPublic,
                      {{"QFILE*", "fp", "書き出すファイル"},
                       {"const void*", "buffer", "書き出すデータ"},
                       {"size_t", "size", "書き出すバイト数"}},
                      "size_t",
                      "書き出したバイト数。エラーのときは size より小さい",
                      "buffer の size バイトを内部バッファに溜め、\n"
                      "バッファが一杯になったときにファイルへ書き出す。",
                      "",
                      {"qf_close"},
                      {{LocalMidnight(2026, 4, 1), "新規作成"}}});
  AddFunction(store, {"qf_fill_buffer",
                      "内部バッファを補充する",
                      quillmap::kAttrStatic,
                      {{"QFILE*", "fp", "補充するファイル"}},
                      "int",
                      "読み込んだバイト数。ファイルの終わりでは 0、エラーのときは -1",
                      "ファイルから buffer_size バイトまでを内部バッファに読み込み、\n"
                      "position を先頭に戻す。",
                      "ライブラリ内部専用。外部から呼び出さないこと。",
                      {"qf_read"},
                      {{LocalMidnight(2026, 4, 1), "新規作成"}}});

  AddStruct(store, {"QFILE",
                    "開いているファイル",
                    "qf_open が確保し、qf_close が解放する。\n利用者はメンバを直接変更しないこと。",
                    {{"int", "fd", "ファイル記述子"},
                     {"unsigned char*", "buffer", "内部バッファ"},
                     {"size_t", "buffer_size", "内部バッファの大きさ（バイト）"},
                     {"size_t", "position", "内部バッファ内の現在位置"},
                     {"int", "mode", "QF_READ または QF_WRITE"},
                     {"int", "error", "最後に起きたエラーの番号。エラーがなければ 0"}},
                    {"qf_open", "qf_close"}});
  AddStruct(store, {"QF_STAT",
                    "ファイルの情報",
                    "ファイルの大きさと更新日時を受け渡す。",
                    {{"size_t", "size", "ファイルの大きさ（バイト）"},
                     {"time_t", "modified", "最終更新日時"},
                     {"int", "is_directory", "フォルダのとき 1、それ以外は 0"}},
                    {"QFILE"}});
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : "examples/sample.dcm";
  quillmap::SpecStore store;
  BuildSample(store);
  try {
    quillmap::SaveStoreToPath(store, path);
  } catch (const quillmap::FileError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
