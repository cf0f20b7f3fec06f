#include "platform/qt/HelpSearch.h"

#include <QRegularExpression>

#include <cassert>

namespace vantle {

namespace {

QString foldPiece(const QString& piece) {
    return piece.normalized(QString::NormalizationForm_KD).toCaseFolded();
}

} // namespace

FoldedText foldForSearch(const QString& text) {
    FoldedText folded;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        // One code point at a time (a surrogate pair stays together), so each folded character knows
        // where it came from. Decomposing piecewise equals decomposing the whole text, apart from the
        // order of stacked combining marks.
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString piece = foldPiece(text.mid(i, length));
        for (qsizetype k = 0; k < piece.size(); ++k) {
            folded.originalStart.push_back(static_cast<int>(i));
            folded.originalEnd.push_back(static_cast<int>(i + length));
        }
        folded.text += piece;
        i += length;
    }
    assert(folded.originalStart.size() == static_cast<std::size_t>(folded.text.size()));
    return folded;
}

QStringList searchWords(const QString& query) {
    static const QRegularExpression blanks(QStringLiteral("[\\s\\x{3000}]+"));
    QStringList words = query.split(blanks, Qt::SkipEmptyParts);
    for (QString& word : words)
        word = foldPiece(word);
    words.removeAll(QString());
    words.removeDuplicates();
    return words;
}

std::vector<TextRange> findMatches(const FoldedText& folded, const QString& word) {
    std::vector<TextRange> matches;
    if (word.isEmpty())
        return matches;
    for (qsizetype at = folded.text.indexOf(word); at >= 0;
         at = folded.text.indexOf(word, at + word.size())) {
        const auto first = static_cast<std::size_t>(at);
        const auto last = static_cast<std::size_t>(at + word.size() - 1);
        matches.push_back({folded.originalStart[first], folded.originalEnd[last]});
    }
    return matches;
}

} // namespace vantle
