#include "ui/box_table_model.h"

#include <limits>

namespace ostrel::ui {
namespace {

// The blanks that pad a stored field are not shown: the view would elide
// them as text that does not fit.
QString Shown(const std::string& field) {
  const auto end = field.find_last_not_of(' ');
  return QString::fromStdString(end == std::string::npos ? std::string() : field.substr(0, end + 1));
}

}  // namespace

// Everything is read before the reset begins, so that a failure leaves the
// grid as it was.
void BoxTableModel::ShowBox(const std::filesystem::path& programFolder, const std::string& boxName) {
  auto reader = std::make_unique<store::BoxRowReader>(programFolder, boxName);
  std::optional<store::BoxSearch> search;
  std::vector<std::size_t> found;
  if (Searching()) Find(programFolder, boxName, query_, reader, search, found);
  beginResetModel();
  programFolder_ = programFolder;
  boxName_ = boxName;
  reader_ = std::move(reader);
  search_ = std::move(search);
  foundRecords_ = std::move(found);
  cached_.reset();
  cachedRow_ = -1;
  endResetModel();
}

void BoxTableModel::Clear() {
  beginResetModel();
  reader_.reset();
  boxName_.clear();
  search_.reset();
  foundRecords_.clear();
  cached_.reset();
  cachedRow_ = -1;
  endResetModel();
}

std::string BoxTableModel::MessageNameAt(int row) const {
  const store::BoxRow* shown = RowAt(row);
  return shown == nullptr ? std::string() : shown->MsgFile;
}

void BoxTableModel::Search(const std::string& query) {
  if (query == query_) return;
  std::unique_ptr<store::BoxRowReader> reader;
  std::optional<store::BoxSearch> search;
  std::vector<std::size_t> found;
  if (!query.empty() && reader_) {
    if (search_ && search_->Count() == reader_->Count()) {
      found = search_->Matching(query);
    } else {
      Find(programFolder_, boxName_, query, reader, search, found);
    }
  }
  beginResetModel();
  query_ = query;
  if (reader) reader_ = std::move(reader);
  if (search) search_ = std::move(search);
  foundRecords_ = std::move(found);
  cached_.reset();
  cachedRow_ = -1;
  endResetModel();
}

void BoxTableModel::PrepareSearch() {
  if (search_ || !reader_) return;
  auto search = store::BoxSearch::OfBox(programFolder_, boxName_);
  // A list changed since it was shown is read again with the first keystroke.
  if (search.Count() == reader_->Count()) search_ = std::move(search);
}

// The rows of the box and the search are read together, so that the record
// numbers found are those of the rows the reader gives.
void BoxTableModel::Find(const std::filesystem::path& programFolder, const std::string& boxName,
                         const std::string& query, std::unique_ptr<store::BoxRowReader>& reader,
                         std::optional<store::BoxSearch>& search, std::vector<std::size_t>& found) {
  reader = std::make_unique<store::BoxRowReader>(programFolder, boxName);
  search = store::BoxSearch::OfBox(programFolder, boxName);
  found = search->Matching(query);
}

std::size_t BoxTableModel::ShownCount() const {
  if (!reader_) return 0;
  return Searching() ? foundRecords_.size() : reader_->Count();
}

std::size_t BoxTableModel::BoxCount() const { return reader_ ? reader_->Count() : 0; }

int BoxTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !reader_) return 0;
  const auto count = ShownCount();
  return count > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                            : static_cast<int>(count);
}

int BoxTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

const store::BoxRow* BoxTableModel::RowAt(int row) const {
  if (!reader_ || row < 0) return nullptr;
  if (row != cachedRow_) {
    if (Searching()) {
      // Row r of the reader (1 = newest) holds record count - r + 1.
      const auto found = static_cast<std::size_t>(row);
      const std::size_t record = found < foundRecords_.size() ? foundRecords_[found] : 0;
      cached_ = record >= 1 && record <= reader_->Count() ? reader_->Row(reader_->Count() - record + 1)
                                                          : std::nullopt;
    } else {
      cached_ = reader_->Row(static_cast<std::size_t>(row) + 1);
    }
    cachedRow_ = row;
  }
  return cached_ ? &*cached_ : nullptr;
}

QVariant BoxTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const store::BoxRow* row = RowAt(index.row());
  if (row == nullptr) return {};
  switch (index.column()) {
    case 0: return QString::fromStdString(row->RecordText());
    case 1: return Shown(row->From);
    case 2: return Shown(row->Subject);
    case 3: return Shown(row->Date);
    default: return {};
  }
}

QVariant BoxTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  switch (section) {
    case 1: return QStringLiteral("From");
    case 2: return QStringLiteral("Subject");
    case 3: return QStringLiteral("Date");
    default: return QString();
  }
}

}  // namespace ostrel::ui
