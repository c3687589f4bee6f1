// Documentation comments: their text without marks, and heading and explanation.
#include "ingest/doc_comment.h"

#include <gtest/gtest.h>

namespace quillmap::ingest {
namespace {

TEST(DocComment, KindsOfComments) {
  EXPECT_TRUE(ClassifyComment("/** Opens. */").doc);
  EXPECT_TRUE(ClassifyComment("/*! Opens. */").doc);
  EXPECT_TRUE(ClassifyComment("/// Opens.").doc);
  EXPECT_TRUE(ClassifyComment("//! Opens.").doc);
  EXPECT_TRUE(ClassifyComment("/// Opens.").line);
  EXPECT_FALSE(ClassifyComment("/* Opens. */").doc);
  EXPECT_FALSE(ClassifyComment("// Opens.").doc);
  EXPECT_FALSE(ClassifyComment("/**/").doc);
  EXPECT_FALSE(ClassifyComment("//// ruler").doc);
  EXPECT_FALSE(ClassifyComment("/****************/").doc);
  EXPECT_TRUE(ClassifyComment("/**< count */").trailing);
  EXPECT_TRUE(ClassifyComment("///< count").trailing);
  EXPECT_FALSE(ClassifyComment("/** count */").trailing);
}

TEST(DocComment, TextLosesMarksAndStarColumnButKeepsLines) {
  EXPECT_EQ(CommentText({"/**\n * Opens a file.\n *\n * Details\n *   indented\n */"}),
            "Opens a file.\n\nDetails\n  indented");
  EXPECT_EQ(CommentText({"/* Remove file FILENAME.  */"}), "Remove file FILENAME.");
  EXPECT_EQ(CommentText({"/// First.", "/// Second."}), "First.\nSecond.");
  EXPECT_EQ(CommentText({"/**< count of items */"}), "count of items");
  EXPECT_EQ(CommentText({"//!< flags"}), "flags");
  // Decoration and blank lines at either end go; the first kept line is reported.
  std::size_t skipped = 0;
  EXPECT_EQ(CommentText({"/******\n *\n * Body.\n ******/"}, &skipped), "Body.");
  EXPECT_EQ(skipped, 2u);
  EXPECT_EQ(CommentText({"/**/"}), "");
}

TEST(DocComment, HeadingIsTheFirstSentence) {
  HeadingSplit split = SplitHeading("Opens a file. Creates it when missing.\nSee close.");
  EXPECT_EQ(split.heading, "Opens a file");
  EXPECT_EQ(split.explanation, "Creates it when missing.\nSee close.");

  // A sentence over two lines is joined; a dot inside a word doesn't end it.
  split = SplitHeading("Reads version 1.2 files\nfrom disk.\n\nSlow.");
  EXPECT_EQ(split.heading, "Reads version 1.2 files from disk");
  EXPECT_EQ(split.explanation, "Slow.");

  // Without a full stop the first paragraph is the heading.
  split = SplitHeading("Frobnicates\nthe widget\n\nMore text");
  EXPECT_EQ(split.heading, "Frobnicates the widget");
  EXPECT_EQ(split.explanation, "More text");

  split = SplitHeading("Only a heading.");
  EXPECT_EQ(split.heading, "Only a heading");
  EXPECT_EQ(split.explanation, "");
}

TEST(DocComment, JapaneseSentencesEndAtTheIdeographicStop) {
  const HeadingSplit split = SplitHeading("ファイルを\n開く。失敗すると\n-1を返す。");
  EXPECT_EQ(split.heading, "ファイルを開く");  // no blank between Japanese lines
  EXPECT_EQ(split.explanation, "失敗すると\n-1を返す。");
}

TEST(DocComment, BriefParagraphIsTheHeading) {
  HeadingSplit split = SplitHeading("@brief Opens. Really\nopens.\n\n@param p path");
  EXPECT_EQ(split.heading, "Opens. Really opens");
  EXPECT_EQ(split.explanation, "@param p path");
  split = SplitHeading("\\brief Closes it.");
  EXPECT_EQ(split.heading, "Closes it");
}

TEST(DocComment, FileCommentsDocumentNoDeclaration) {
  EXPECT_TRUE(IsFileComment("@file io.h\nInput and output."));
  EXPECT_TRUE(IsFileComment("\\defgroup io Input"));
  EXPECT_FALSE(IsFileComment("Opens the @filename given."));
  EXPECT_EQ(JoinLines("count of\n  items"), "count of items");
}

}  // namespace
}  // namespace quillmap::ingest
