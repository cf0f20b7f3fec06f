// Matching of the help search: case and width do not matter, and matches point at the original text.

#include "platform/qt/HelpSearch.h"

#include <gtest/gtest.h>

namespace vantle {
namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

std::vector<TextRange> find(const char* text, const char* query) {
    const FoldedText folded = foldForSearch(u8(text));
    const QStringList words = searchWords(u8(query));
    return words.isEmpty() ? std::vector<TextRange>{} : findMatches(folded, words.first());
}

TEST(HelpSearch, HalfWidthKatakanaFindsFullWidthAndBack) {
    // "ﾌｧｲﾙ" is four half-width characters, "ファイル" four full-width ones.
    EXPECT_EQ(find("このファイルを開く", "ﾌｧｲﾙ"), (std::vector<TextRange>{{2, 6}}));
    EXPECT_EQ(find("ﾌｧｲﾙ(&F)", "ファイル"), (std::vector<TextRange>{{0, 4}}));
}

TEST(HelpSearch, SoundMarksOfHalfWidthKatakanaMatchTheComposedCharacter) {
    // "ﾎﾟｲﾝﾀ" holds a separate sound mark; the match covers it.
    EXPECT_EQ(find("ﾏｳｽﾎﾟｲﾝﾀ", "ポインタ"), (std::vector<TextRange>{{3, 8}}));
    EXPECT_EQ(find("マウスポインタ", "ﾎﾟｲﾝﾀ"), (std::vector<TextRange>{{3, 7}}));
}

TEST(HelpSearch, CaseAndFullWidthLettersDoNotMatter) {
    EXPECT_EQ(find("共通表示Ｒａｔｅ", "rate"), (std::vector<TextRange>{{4, 8}}));
    EXPECT_EQ(find("Vantle and VANTLE", "vantle"), (std::vector<TextRange>{{0, 6}, {11, 17}}));
}

TEST(HelpSearch, QueryIsSplitAtBlanksIncludingTheIdeographicSpace) {
    EXPECT_EQ(searchWords(u8("  色  ﾊﾟﾚｯﾄ\u3000保存 ")),
              (QStringList{u8("色"), searchWords(u8("パレット")).first(), u8("保存")}));
    EXPECT_TRUE(searchWords(u8(" \u3000 ")).isEmpty());
    EXPECT_EQ(searchWords(u8("色 色")).size(), 1);
}

TEST(HelpSearch, CharactersOutsideTheBasicPlaneKeepTheirPlace) {
    // U+20B9F is a surrogate pair: the match after it starts at code unit 2.
    EXPECT_EQ(find("\U00020B9Fアイコン", "アイコン"), (std::vector<TextRange>{{2, 6}}));
}

TEST(HelpSearch, NoMatchGivesNothing) {
    EXPECT_TRUE(find("アイコン", "カーソル").empty());
}

} // namespace
} // namespace vantle
