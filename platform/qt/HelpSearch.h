#pragma once
// Text matching for the help search: words are found without regard to case or to full and half width
// ("ﾌｧｲﾙ" finds "ファイル", "ｖａｎｔｌｅ" finds "Vantle"), and every match maps back to the original text.

#include <QString>
#include <QStringList>

#include <vector>

namespace vantle {

// A text in its compatibility-decomposed, case-folded form, with the original range of each character.
struct FoldedText {
    QString text;
    std::vector<int> originalStart; // per character of text: where its source character starts
    std::vector<int> originalEnd;   // and where it ends (exclusive)
};

FoldedText foldForSearch(const QString& text);

// The words of a query, split at blanks (ideographic space included), each folded.
QStringList searchWords(const QString& query);

struct TextRange {
    int start = 0;
    int end = 0; // exclusive
    bool operator==(const TextRange&) const = default;
};

// Every match of a folded word in the folded text, as ranges of the original text.
std::vector<TextRange> findMatches(const FoldedText& folded, const QString& word);

} // namespace vantle
