#include "db/keyset.h"

#include "db/db_error.h"

#include <algorithm>

namespace tabulon {

namespace {

// A walk reads 1, 2, 4 … rows at a time up to this many, so that a look at
// one row reads one and a long walk few statements.
constexpr size_t kMostRowsPerFetch = 128;

} // namespace

Keyset::Keyset(EngineConnection& connection, QString table, QString addressSql)
    : connection_(connection), table_(std::move(table)), addressSql_(std::move(addressSql)) {}

size_t Keyset::Read() {
    const std::vector<QVariant> appended = std::move(keys_);
    const QueryResult result = connection_.Query(addressSql_);
    const bool wholeRows = result.names.size() > 1;
    keys_.clear();
    keys_.reserve(result.rows.size() + appended.size());
    window_.clear();
    windowStart_ = 0;
    for (const Row& row : result.rows) {
        if (std::find(appended.begin(), appended.end(), row.front()) != appended.end())
            continue;
        keys_.push_back(row.front());
        if (wholeRows)
            window_.emplace_back(Row(row.begin() + 1, row.end()));
    }
    const size_t queried = keys_.size();
    keys_.insert(keys_.end(), appended.begin(), appended.end());
    read_ = true;
    return queried;
}

const Row& Keyset::RowAt(size_t position) {
    if (position < windowStart_ || position >= windowStart_ + window_.size())
        Fetch(position);
    const std::optional<Row>& row = window_[position - windowStart_];
    if (!row)
        throw DbError(kErrRecordDeleted, QStringLiteral("レコードは削除されています。"));
    return *row;
}

void Keyset::Fetch(size_t first) {
    const bool walkingOn = !window_.empty() && first == windowStart_ + window_.size();
    const size_t count =
        std::min(walkingOn ? std::min(window_.size() * 2, kMostRowsPerFetch) : size_t(1),
                 keys_.size() - first);
    const std::vector<QVariant> keys(keys_.begin() + ptrdiff_t(first),
                                     keys_.begin() + ptrdiff_t(first + count));
    window_.assign(count, std::nullopt);
    windowStart_ = first;
    for (KeyedRow& row : connection_.ReadRows(table_, keys)) {
        const auto at = std::find(keys.begin(), keys.end(), row.key);
        if (at != keys.end())
            window_[size_t(at - keys.begin())] = std::move(row.values);
    }
}

void Keyset::Append(const QVariant& key) {
    keys_.push_back(key);
}

void Keyset::Replace(size_t position, KeyedRow row) {
    keys_[position] = std::move(row.key);
    if (position >= windowStart_ && position < windowStart_ + window_.size())
        window_[position - windowStart_] = std::move(row.values);
}

} // namespace tabulon
