#include "db/jet_dialect.h"

#include "db/db_error.h"
#include "db/sql_tokens.h"

#include <QStringList>

namespace tabulon {

namespace {

// The tokens of one statement with positions of the ones that are not blanks;
// rewrites change token texts in place.
class TokenizedStatement {
public:
    explicit TokenizedStatement(const QString& sql) : tokens_(TokenizeSql(sql)) {
        for (size_t i = 0; i < tokens_.size(); ++i)
            if (tokens_[i].kind != TokenKind::Space)
                significant_.push_back(i);
    }

    size_t Size() const { return significant_.size(); }
    const SqlToken& At(size_t i) const {
        static const SqlToken none{TokenKind::Space, QString()};
        return i < significant_.size() ? tokens_[significant_[i]] : none;
    }
    void Set(size_t i, const QString& text) { tokens_[significant_[i]].text = text; }
    // The text from significant token `from` up to, not including, `to`.
    QString TextBetween(size_t from, size_t to) const {
        QString text;
        for (size_t t = significant_[from]; t < significant_[to]; ++t)
            text += tokens_[t].text;
        return text;
    }
    void Drop(size_t i) { Set(i, QString()); }
    // Drops significant tokens `from` to `to` and the blanks between them.
    void DropRange(size_t from, size_t to) {
        for (size_t t = significant_[from]; t <= significant_[to]; ++t)
            tokens_[t].text.clear();
    }
    void DropLast() {
        Drop(significant_.size() - 1);
        significant_.pop_back();
    }
    QString Text() const { return JoinTokens(tokens_); }

private:
    std::vector<SqlToken> tokens_;
    std::vector<size_t> significant_;
};

const TableInfo& RequireTable(const TableLookup& lookup, const SqlToken& name) {
    const TableInfo* info = lookup(name.Name());
    if (info == nullptr)
        throw DbError(
            kErrUnknownObject,
            QStringLiteral("入力テーブルまたはクエリ '%1' が見つかりません。").arg(name.Name()));
    return *info;
}

void DropTrailingSemicolons(TokenizedStatement& s) {
    while (s.Size() > 0 && s.At(s.Size() - 1).Is(u";"))
        s.DropLast();
    for (size_t i = 0; i < s.Size(); ++i)
        if (s.At(i).Is(u";"))
            throw DbError(kErrTextAfterStatement,
                          QStringLiteral("SQL ステートメントの後に文字があります。"));
}

void TranslateSelect(TokenizedStatement& s, const TableLookup& lookup, SqlTarget target,
                     TranslatedSql& out) {
    const bool simple = s.At(1).Is(u"*") && s.At(2).Is(u"FROM") && s.At(3).IsName() &&
                        (s.Size() == 4 || s.At(4).Is(u"WHERE") || s.At(4).Is(u"ORDER"));
    if (!simple)
        return;
    const TableInfo* info = lookup(s.At(3).Name());
    if (info == nullptr || info->isView)
        return;
    out.updatableTable = s.At(3).Name();
    // The server's row address (ctid) moves whenever another clerk updates the
    // row, so there the statement reads the rows whole; the file's rowid stays.
    s.Set(1, target == SqlTarget::Postgres ? QStringLiteral("ctid, *") : QStringLiteral("rowid"));
}

void TranslateDelete(TokenizedStatement& s) {
    if (s.At(1).Is(u"*")) {
        s.Drop(1);
    } else if (s.At(1).IsName() && s.At(2).Is(u".") && s.At(3).Is(u"*")) {
        s.Drop(1);
        s.Drop(2);
        s.Drop(3);
    }
}

// SQLite takes no table name before the columns of SET; the statement names
// one table only, so every "t." can go.
void TranslateUpdate(TokenizedStatement& s) {
    const QString table = s.At(1).Name();
    for (size_t i = 2; i + 1 < s.Size(); ++i) {
        if (s.At(i).IsName() && s.At(i).Name().compare(table, Qt::CaseInsensitive) == 0 &&
            s.At(i + 1).Is(u".")) {
            s.Drop(i);
            s.Drop(i + 1);
        }
    }
}

// Jet appends "SELECT s.*" by column name, not by position.
void TranslateInsert(TokenizedStatement& s, const TableLookup& lookup) {
    if (!s.At(1).Is(u"INTO") || !s.At(2).IsName() || !s.At(3).Is(u"SELECT"))
        return;
    size_t from = 5;
    QString qualifier;
    if (!s.At(4).Is(u"*")) {
        if (!(s.At(4).IsName() && s.At(5).Is(u".") && s.At(6).Is(u"*")))
            return;
        qualifier = s.At(4).text + u'.';
        from = 7;
    }
    if (!s.At(from).Is(u"FROM") || !s.At(from + 1).IsName())
        return;
    const TableInfo& target = RequireTable(lookup, s.At(2));
    const TableInfo& source = RequireTable(lookup, s.At(from + 1));
    for (const ColumnInfo& column : source.columns)
        if (!target.IndexOf(column.name))
            throw DbError(kErrUnknownInsertField,
                          QStringLiteral("INSERT INTO ステートメントに不明なフィールド名 '%1' "
                                         "が含まれています。")
                              .arg(column.name));
    QStringList targetColumns;
    QStringList sourceColumns;
    for (const ColumnInfo& column : target.columns) {
        if (!source.IndexOf(column.name))
            continue;
        targetColumns << QuoteSqlName(column.name);
        sourceColumns << qualifier + QuoteSqlName(column.name);
    }
    s.Set(2, s.At(2).text + QStringLiteral(" (") + targetColumns.join(QStringLiteral(", ")) + u')');
    for (size_t i = 5; i < from; ++i)
        s.Drop(i);
    s.Set(4, sourceColumns.join(QStringLiteral(", ")));
}

// The significant index of the ")" that closes the "(" at `open`, and of the
// commas at its top level.
size_t ClosingParenthesis(const TokenizedStatement& s, size_t open, std::vector<size_t>& commas) {
    int depth = 0;
    for (size_t i = open; i < s.Size(); ++i) {
        if (s.At(i).Is(u"("))
            ++depth;
        else if (s.At(i).Is(u")") && --depth == 0)
            return i;
        else if (depth == 1 && s.At(i).Is(u","))
            commas.push_back(i);
    }
    throw DbError(kErrSyntax, QStringLiteral("クエリ式の構文エラーです。(閉じていない括弧)"));
}

bool IsFunctionCall(const TokenizedStatement& s, size_t i, QStringView name) {
    return s.At(i).kind == TokenKind::Word && s.At(i).Is(name) && s.At(i + 1).Is(u"(");
}

// Format(x, '@@@@@@@@') puts x right-aligned in as many characters as there
// are '@'; a longer value is kept whole, where lpad would cut it.
void RewriteFormat(TokenizedStatement& s, size_t at) {
    std::vector<size_t> commas;
    const size_t close = ClosingParenthesis(s, at + 1, commas);
    const QString value = QStringLiteral("CAST(%1 AS text)")
                              .arg(s.TextBetween(at + 2, commas.empty() ? close : commas[0]));
    QString rewritten = value;
    if (!commas.empty()) {
        const SqlToken& pattern = s.At(commas[0] + 1);
        const qsizetype width = pattern.text.size() - 2;
        if (commas.size() != 1 || commas[0] + 2 != close || pattern.kind != TokenKind::String ||
            width < 1 || pattern.text.count(u'@') != width)
            throw DbError(
                kErrSyntax,
                QStringLiteral("クエリ式の構文エラーです。(Format の書式は '@' だけです)"));
        rewritten = QStringLiteral("lpad(%1, greatest(%2, char_length(%1)))").arg(value).arg(width);
    }
    s.Set(at, rewritten);
    s.DropRange(at + 1, close);
}

// The Jet functions and bracketed names in PostgreSQL's terms. Later calls
// go first, so a Format inside another one's argument is already rewritten
// when the outer one takes its argument's text.
void TranslateForPostgres(TokenizedStatement& s) {
    for (size_t i = 0; i < s.Size(); ++i) {
        if (IsFunctionCall(s, i, u"Mid"))
            s.Set(i, QStringLiteral("substr"));
        else if (s.At(i).kind == TokenKind::QuotedName)
            s.Set(i, QuoteSqlName(s.At(i).Name().toLower()));
    }
    for (size_t i = s.Size(); i-- > 0;)
        if (IsFunctionCall(s, i, u"Format"))
            RewriteFormat(s, i);
}

} // namespace

TranslatedSql TranslateJetSql(const QString& jetSql, const TableLookup& lookup, SqlTarget target) {
    TokenizedStatement s(jetSql);
    DropTrailingSemicolons(s);
    TranslatedSql out;
    const SqlToken& verb = s.At(0);
    if (verb.Is(u"SELECT")) {
        out.kind = StatementKind::Select;
        TranslateSelect(s, lookup, target, out);
    } else if (verb.Is(u"DELETE")) {
        out.kind = StatementKind::Delete;
        TranslateDelete(s);
    } else if (verb.Is(u"UPDATE")) {
        out.kind = StatementKind::Update;
        TranslateUpdate(s);
    } else if (verb.Is(u"INSERT")) {
        out.kind = StatementKind::Insert;
        TranslateInsert(s, lookup);
    } else {
        throw DbError(kErrInvalidStatement,
                      QStringLiteral("SQL ステートメントが正しくありません。'DELETE'、'INSERT'、"
                                     "'SELECT'、または 'UPDATE' を使用してください。"));
    }
    if (target == SqlTarget::Postgres)
        TranslateForPostgres(s);
    out.sql = s.Text();
    return out;
}

} // namespace tabulon
