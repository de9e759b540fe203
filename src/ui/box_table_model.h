#pragma once
// The grid's model over a box list: reads only the rows the view asks for,
// so a box of any size shows at once. Column 0 holds the record number in
// print form (hidden in the view), then "From", "Subject" and "Date" as stored.
// While the person searches, only the rows found are shown, in the same order.

#include <QAbstractTableModel>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/box_search.h"
#include "store/box_view.h"

namespace ostrel::ui {

class BoxTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Shows the box; the count is the one read now. A search goes on over the
  // box as read again.
  void ShowBox(const std::filesystem::path& programFolder, const std::string& boxName);
  void Clear();

  // The box shown, and the message name of a row: empty when there is none.
  const std::string& BoxName() const { return boxName_; }
  std::string MessageNameAt(int row) const;
  // Shows only the rows whose From, Subject or Date hold query, letter case
  // aside; an empty query shows every row again.
  void Search(const std::string& query);
  // Reads the box for a search about to start (the search field has the
  // keyboard), so that the first keystroke finds at once. Nothing shown changes.
  void PrepareSearch();
  bool Searching() const { return !query_.empty(); }
  // Rows shown, and rows in the box.
  std::size_t ShownCount() const;
  std::size_t BoxCount() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const store::BoxRow* RowAt(int row) const;
  static void Find(const std::filesystem::path& programFolder, const std::string& boxName, const std::string& query,
                   std::unique_ptr<store::BoxRowReader>& reader, std::optional<store::BoxSearch>& search,
                   std::vector<std::size_t>& found);

  std::filesystem::path programFolder_;
  std::string boxName_;
  std::unique_ptr<store::BoxRowReader> reader_;
  std::string query_;
  // Read when a search is about to start and again with the box; dropped
  // when another box or the box read again is shown without a search.
  std::optional<store::BoxSearch> search_;
  std::vector<std::size_t> foundRecords_;
  // The row read last: the view asks for each of its cells in turn.
  mutable std::optional<store::BoxRow> cached_;
  mutable int cachedRow_ = -1;
};

}  // namespace ostrel::ui
