#include "ui/res/string_table.h"

#include <string_view>
#include <unordered_map>

#include "core/text/sjis.h"

namespace {

// id -> UTF-8 text. A command's prompt is its status-bar line, then after "\n" its tool tip.
const std::unordered_map<int, std::string_view>& Table() {
  static const std::unordered_map<int, std::string_view> table = {
      {128, "Quillmap Ver.0.0.5.0"},
      {129, "\nQuillmap\nQuillmap\ndcm ﾌｧｲﾙ (*.dcm)\n.dcm\nQuillmapDocument\nQuillmap Document"},
      {130, "\nhtml\nhtml\nhtml ﾌｧｲﾙ (*.htm)\n.htm\nDocHtmlDocument\nHtml Document"},
      {500, "Orrinwerk"},
      {57344, "Quillmap"},
      {57345, "ﾚﾃﾞｨ"},
      {61699, "%1 への変更を保存しますか?"},
      {61728, "予期しないﾌｧｲﾙ形式です。"},
      {61441, "開く"},
      {61442, "すべてのﾌｧｲﾙ (*.*)"},
      {61700, "%1 を開くことができません。"},
      {61705, "%1 に保存できませんでした。元のﾌｧｲﾙは変更されていません。"},
      {40900,
       "文字 '%1' (U+%2) は Shift-JIS で保存できません。\nこの文字を使わずに入力してください。"},
      {40950, "通常のﾌｧｲﾙではありません。"},
      {40951, "読み取り専用のﾌｧｲﾙです。"},
      {40952, "ｼﾝﾎﾞﾘｯｸ ﾘﾝｸの指す先をたどれません。"},
      {40953, "ほかのﾌﾟﾛｸﾞﾗﾑが使用中です。"},
      {40954, "%1 はほかのﾌﾟﾛｸﾞﾗﾑで変更されています。\n上書きしますか?"},
      {40901, "%1 は既に存在します。\n上書きしますか?"},
      {40902, "%1 にhtmlﾄﾞｷｭﾒﾝﾄを出力できませんでした。出力先のﾌｧｲﾙは変更されていません。"},
      {40903, "%1 は編集中のﾄﾞｷｭﾒﾝﾄのﾌｧｲﾙです。\nhtmlﾄﾞｷｭﾒﾝﾄは別のﾌｧｲﾙに出力してください。"},
      {40960, "%1 を読み込んでいます..."},
      {40961, "%1 に保存しています..."},
      {40962, "印刷できるﾌﾟﾘﾝﾀがありません。"},
      {40963, "ﾌﾟﾘﾝﾀ '%1' が見つかりません。"},
      {40964, "%1 を印刷できませんでした。"},
      {40965, "名前を付けて保存"},
      {41200, "直前の変更を元に戻す\n元に戻す"},
      {41201, "元に戻した変更をやり直す\nやり直し"},
      {41202, "%1 '%2' を元に戻す"},
      {41203, "%1 '%2' をやり直す"},
      {41204, "%1の変更"},
      {41205, "構造体の編集"},
      {41206, "%1 を元に戻す"},
      {41207, "%1 をやり直す"},
      {50000, "新規作成"},
      {40000, "関数の追加"},
      {40001, "関数の削除"},
      {40002, "引数の追加"},
      {40003, "引数の削除"},
      {40004, "関数のｺﾋﾟｰ"},
      {40005, "引数のｺﾋﾟｰ"},
      {40006, "関数名の編集"},
      {40007, "引数の編集"},
      {40008, "構造体ﾘｽﾄに構造体を追加\n構造体の追加"},
      {40009, "構造体ﾘｽﾄから構造体を削除\n構造体の削除"},
      {40010, "構造体をｺﾋﾟｰして追加\n構造体のｺﾋﾟｰ"},
      {40012, "ﾒﾝﾊﾞ変数の削除"},
      {40014, "ﾒﾝﾊﾞ変数の編集"},
      {40015, "構造体名の編集\n構造体名の編集"},
      {40016, "履歴の削除"},
      {40100, "すでに存在する関数名です"},
      {40101, "関数を選択してください"},
      {40102, "削除する関数がありません"},
      {40103, "削除する引数がありません"},
      {40104, "削除する引数を選択してください"},
      {40105, "ｺﾋﾟｰする引数を選択してください"},
      {40106, "関数名を入力してください"},
      {40107, "すでに存在する関数名です"},
      {40109, "関数の型を宣言してください"},
      {40110, "削除するﾒﾝﾊﾞがありません"},
      {40111, "ｺﾋﾟｰするﾒﾝﾊﾞがありません"},
      {40112, "削除するﾒﾝﾊﾞを選択してください"},
      {40113, "削除する構造体がありません"},
      {40114, "構造体名を入力してください"},
      {40115, "すでに存在する構造体名です"},
      {40200, "'%s'\nを削除してもよろしいですか？"},
      {32772, "編集中のﾄﾞｷｭﾒﾝﾄの情報を編集\nﾄﾞｷｭﾒﾝﾄの編集"},
      {32774, "htmlﾄﾞｷｭﾒﾝﾄを出力する"},
      {32780, "ﾄﾞｷｭﾒﾝﾄを最新の情報に更新する\n最新の情報に更新"},
      {32782, "関数仕様をﾃｷｽﾄにしてｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ\nｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"},
      {32783, "関数仕様設定\n関数仕様設定を行う"},
      // Framework commands: status-bar prompt, then the tool tip.
      {57600, "新規にﾌｧｲﾙを作成\n新規作成"},
      {57601, "既存のﾌｧｲﾙを開く\n開く"},
      {57602, "作業中のﾌｧｲﾙを閉じる\n閉じる"},
      {57603, "作業中のﾌｧｲﾙを上書きして保存\n上書き保存"},
      {57604, "作業中のﾌｧｲﾙに名前を付けて保存\n名前を付けて保存"},
      {57606, "ﾌﾟﾘﾝﾀと印刷の設定を変更\nﾌﾟﾘﾝﾀの設定"},
      {57607, "作業中のﾌｧｲﾙを印刷\n印刷"},
      {57609, "印刷ｲﾒｰｼﾞを表示\n印刷ﾌﾟﾚﾋﾞｭｰ"},
      {57616, "このﾌｧｲﾙを開く"},
      {57617, "このﾌｧｲﾙを開く"},
      {57618, "このﾌｧｲﾙを開く"},
      {57619, "このﾌｧｲﾙを開く"},
      {57649, "ｱｲｺﾝ化したｳｨﾝﾄﾞｳを整列\nｱｲｺﾝの整列"},
      {57650, "ｳｨﾝﾄﾞｳを重ねて表示\n重ねて表示"},
      {57651, "ｳｨﾝﾄﾞｳを並べて表示\n並べて表示"},
      {57664, "ﾌﾟﾛｸﾞﾗﾑのﾊﾞｰｼﾞｮﾝ情報を表示\nﾊﾞｰｼﾞｮﾝ情報"},
      {57665, "ｱﾌﾟﾘｹｰｼｮﾝを終了\n終了"},
      {57680, "次のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え\n次のﾍﾟｲﾝ"},
      {57681, "前のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え\n前のﾍﾟｲﾝ"},
      {59392, "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰ"},
      {59393, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰ"},
      // Program commands of the Edit menu without a string of their own elsewhere.
      {1025, "関数ﾘｽﾄに関数を追加\n関数の追加"},
      {1026, "関数ﾘｽﾄから関数を削除\n関数の削除"},
      {32778, "関数をｺﾋﾟｰして追加\n関数のｺﾋﾟｰ"},
      {1005, "引数ﾘｽﾄに引数を追加\n引数の追加"},
      {1006, "引数ﾘｽﾄから引数を削除\n引数の削除"},
      {1007, "引数をｺﾋﾟｰして追加\n引数のｺﾋﾟｰ"},
      // Status-bar indicators.
      {59142, "ｶﾅ"},
      {59137, "CAP"},
      {59138, "NUM"},
      {59139, "SCRL"},
  };
  return table;
}

}  // namespace

bool HasString(int id) {
  return Table().count(id) != 0;
}

std::string LoadStringSjis(int id) {
  auto it = Table().find(id);
  return it == Table().end() ? std::string() : quillmap::text::Sjis(it->second);
}

wxString ResourceText(std::string_view utf8) {
  // Shown through the same conversion as every document text, so the screen shows exactly what
  // the Shift-JIS bytes say.
  const std::string shown = quillmap::text::SjisToUtf8(quillmap::text::Sjis(utf8));
  return wxString::FromUTF8(shown.data(), shown.size());
}

wxString LoadWxString(int id) {
  auto it = Table().find(id);
  return it == Table().end() ? wxString() : ResourceText(it->second);
}

wxString LoadWxString(int id, const wxString& argument) {
  wxString text = LoadWxString(id);
  text.Replace(wxS("%1"), argument);
  return text;
}

wxString LoadPrompt(int id) {
  return LoadWxString(id).BeforeFirst('\n');
}

wxString LoadToolTip(int id) {
  const wxString text = LoadWxString(id);
  return text.Find('\n') == wxNOT_FOUND ? wxString() : text.AfterFirst('\n');
}
