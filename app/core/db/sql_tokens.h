#pragma once

// Splits SQL text into tokens so that statements can be rewritten piece by
// piece: text inside quotes is never mistaken for keywords or names.

#include <QString>
#include <vector>

namespace tabulon {

enum class TokenKind {
    Space,      // whitespace, kept to rebuild the text
    Word,       // keyword or bare name; any non-ASCII character counts as a letter
    QuotedName, // [name], "name" or `name`
    String,     // 'text' with '' inside
    Number,
    Symbol, // one operator or punctuation mark (<>, <=, >=, !=, ||, == as one)
};

struct SqlToken {
    TokenKind kind;
    QString text;

    // A word equal to the keyword (any case), or a symbol equal to it.
    bool Is(QStringView keyword) const;
    bool IsName() const { return kind == TokenKind::Word || kind == TokenKind::QuotedName; }
    // The name without its quotes.
    QString Name() const;
};

// Throws DbError 3075 for an unterminated quote and for comments, which the
// dialect does not have.
std::vector<SqlToken> TokenizeSql(const QString& sql);
QString JoinTokens(const std::vector<SqlToken>& tokens);

} // namespace tabulon
