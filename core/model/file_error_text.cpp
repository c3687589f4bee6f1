#include "core/model/file_error_text.h"

#include <cerrno>

namespace quillmap {

std::string_view FileErrorPhrase(int error_number) {
  switch (error_number) {
    case ENOENT:
      return "ﾌｧｲﾙが見つかりません。";
    case ENOTDIR:
      return "ﾊﾟｽが見つかりません。";
    case EACCES:
    case EPERM:
      return "ｱｸｾｽが拒否されました。";
    case EISDIR:
      return "ﾌｫﾙﾀﾞが指定されました。";
    case EROFS:
      return "読み取り専用の場所です。";
    case ENOSPC:
    case EDQUOT:
      return "ﾃﾞｨｽｸの空き容量が足りません。";
    case ENAMETOOLONG:
      return "ﾌｧｲﾙ名が長すぎます。";
    case EFBIG:
      return "ﾌｧｲﾙが大きすぎます。";
    default:
      return {};
  }
}

}  // namespace quillmap
