// The Japanese reasons that follow a file message.

#include <gtest/gtest.h>

#include <cerrno>

#include "core/model/file_error_text.h"
#include "core/text/sjis.h"

namespace {

TEST(FileErrorPhrase, CommonReasonsHaveShortJapanesePhrases) {
  EXPECT_EQ(quillmap::FileErrorPhrase(ENOENT), "ﾌｧｲﾙが見つかりません。");
  EXPECT_EQ(quillmap::FileErrorPhrase(EACCES), "ｱｸｾｽが拒否されました。");
  EXPECT_EQ(quillmap::FileErrorPhrase(EPERM), "ｱｸｾｽが拒否されました。");
  EXPECT_EQ(quillmap::FileErrorPhrase(EISDIR), "ﾌｫﾙﾀﾞが指定されました。");
  // Every phrase is shown through Shift-JIS like the rest of the program's texts.
  for (int error : {ENOENT, ENOTDIR, EACCES, EISDIR, EROFS, ENOSPC, EDQUOT, ENAMETOOLONG, EFBIG}) {
    const std::string_view phrase = quillmap::FileErrorPhrase(error);
    ASSERT_FALSE(phrase.empty()) << error;
    const quillmap::text::EncodeResult sjis = quillmap::text::Utf8ToSjis(phrase);
    ASSERT_TRUE(sjis.ok) << error;
    EXPECT_EQ(quillmap::text::SjisToUtf8(sjis.bytes), phrase) << error;
  }
}

TEST(FileErrorPhrase, OtherReasonsGiveNoPhrase) {
  for (int error : {0, EIO, EBADF, EINVAL, -1, 100000}) {
    EXPECT_TRUE(quillmap::FileErrorPhrase(error).empty()) << error;
  }
}

}  // namespace
