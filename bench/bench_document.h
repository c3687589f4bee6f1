#pragma once
// A large, realistic document for benchmarks: by default 10,000 functions (8 arguments,
// 3 history entries, 3 related functions and a three-line explanation each) and 1,000
// structures (6 members each), with Japanese Shift-JIS texts mixed with ASCII. Deterministic:
// the same sizes always give the same bytes.

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "core/model/spec_store.h"
#include "core/text/sjis.h"

namespace quillmap::bench {

struct BenchDocumentSize {
  int functions = 10000;
  int arguments = 8;
  int history_entries = 3;
  int links = 3;
  int structures = 1000;
  int members = 6;
};

namespace detail {

// The Japanese phrases, converted to Shift-JIS once.
struct Phrases {
  std::vector<std::string> nouns;
  std::vector<std::string> verbs;
  std::vector<std::string> notes;
  std::string title;
  std::string copyright;

  Phrases() {
    using text::Sjis;
    for (const char* noun : {"バッファ", "ファイル", "文字列", "ウィンドウ", "リスト", "構造体",
                             "接続", "設定値", "タイマー", "画像"}) {
      nouns.push_back(Sjis(noun));
    }
    for (const char* verb : {"を初期化する", "を解放する", "を読み込む", "を書き出す", "を検索する",
                             "を更新する", "を比較する", "を複製する"}) {
      verbs.push_back(Sjis(verb));
    }
    for (const char* note : {"スレッドセーフではありません。", "戻り値は必ず確認すること。",
                             "NULLを渡してはいけない。", "旧版との互換のために残しています。"}) {
      notes.push_back(Sjis(note));
    }
    title = Sjis("ベンチマーク用 関数仕様書");
    copyright = Sjis("Copyright (C) 2026 株式会社オリンヴェルク");
  }
};

inline const Phrases& GetPhrases() {
  static const Phrases phrases;
  return phrases;
}

inline const char* const kTypes[] = {"int",           "const char*",  "void*",  "size_t",
                                     "unsigned long", "struct node*", "double", "BOOL"};

}  // namespace detail

inline std::string BenchFunctionName(int i) {
  return "Qm_Function" + std::to_string(i);
}
inline std::string BenchStructName(int i) {
  return "QM_STRUCT_" + std::to_string(i);
}

inline void FillBenchDocument(SpecStore& store, const BenchDocumentSize& size = {}) {
  const detail::Phrases& p = detail::GetPhrases();
  store.SetDocInfo(kDocInfoTitle, p.title);
  store.SetDocInfo(kDocInfoCopyright, p.copyright);
  const std::time_t base_date = 946684800;  // 2000-01-01
  for (int i = 0; i < size.functions; ++i) {
    const std::string& noun = p.nouns[i % p.nouns.size()];
    const std::string& verb = p.verbs[i % p.verbs.size()];
    FunctionSpec function;
    function.SetRecordName(BenchFunctionName(i));
    function.SetIndex(noun + verb);
    function.SetExplanation(noun + verb + "\r\n" + "Returns the " + std::to_string(i) + "th " +
                            noun + ".\r\n" + p.notes[i % p.notes.size()]);
    function.SetNote(p.notes[(i + 1) % p.notes.size()]);
    function.SetAttribute(i % kFuncAttributeCount);
    for (int a = 0; a < size.arguments; ++a) {
      function.AddArgument(detail::kTypes[(i + a) % 8], "arg" + std::to_string(a),
                           p.nouns[(i + a) % p.nouns.size()] + " (" + std::to_string(a) + ")");
    }
    function.SetReturnType(detail::kTypes[i % 8]);
    function.SetReturnText(p.notes[i % p.notes.size()]);
    for (int h = 0; h < size.history_entries; ++h) {
      function.AddHistory(base_date + 86400LL * (i % 3000 + h * 30), p.verbs[h % p.verbs.size()]);
    }
    for (int l = 1; l <= size.links; ++l) {
      function.AddLink(BenchFunctionName((i + l * 7) % size.functions));
    }
    store.AddFunction(BenchFunctionName(i));
    store.PutFunction(static_cast<std::int32_t>(i), function);
  }
  for (int i = 0; i < size.structures; ++i) {
    StructSpec structure;
    structure.SetRecordName(BenchStructName(i));
    structure.SetIndex(p.nouns[i % p.nouns.size()] + " information");
    structure.SetExplanation(p.notes[i % p.notes.size()]);
    for (int m = 0; m < size.members; ++m) {
      structure.AddMember(detail::kTypes[(i + m) % 8], "member" + std::to_string(m),
                          p.nouns[(i + m) % p.nouns.size()]);
    }
    structure.AddLink(BenchFunctionName(i % (size.functions > 0 ? size.functions : 1)));
    store.AddStruct(BenchStructName(i));
    store.PutStruct(static_cast<std::int32_t>(i), structure);
  }
}

inline std::unique_ptr<SpecStore> MakeBenchDocument(const BenchDocumentSize& size = {}) {
  auto store = std::make_unique<SpecStore>();
  FillBenchDocument(*store, size);
  return store;
}

}  // namespace quillmap::bench
