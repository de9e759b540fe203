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

void BoxTableModel::ShowBox(const std::filesystem::path& programFolder, const std::string& boxName) {
  beginResetModel();
  reader_ = std::make_unique<store::BoxRowReader>(programFolder, boxName);
  boxName_ = boxName;
  cached_.reset();
  cachedRow_ = -1;
  endResetModel();
}

void BoxTableModel::Clear() {
  beginResetModel();
  reader_.reset();
  boxName_.clear();
  cached_.reset();
  cachedRow_ = -1;
  endResetModel();
}

std::string BoxTableModel::MessageNameAt(int row) const {
  const store::BoxRow* shown = RowAt(row);
  return shown == nullptr ? std::string() : shown->MsgFile;
}

int BoxTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !reader_) return 0;
  const auto count = reader_->Count();
  return count > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                            : static_cast<int>(count);
}

int BoxTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

const store::BoxRow* BoxTableModel::RowAt(int row) const {
  if (!reader_ || row < 0) return nullptr;
  if (row != cachedRow_) {
    cached_ = reader_->Row(static_cast<std::size_t>(row) + 1);
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
