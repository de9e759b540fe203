#pragma once
// The grid's model over a box list: reads only the rows the view asks for,
// so a box of any size shows at once. Column 0 holds the record number in
// print form (hidden in the view), then "From", "Subject" and "Date" as stored.

#include <QAbstractTableModel>
#include <memory>
#include <optional>

#include "store/box_view.h"

namespace ostrel::ui {

class BoxTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Shows the box; the count is the one read now.
  void ShowBox(const std::filesystem::path& programFolder, const std::string& boxName);
  void Clear();

  // The box shown, and the message name of a row: empty when there is none.
  const std::string& BoxName() const { return boxName_; }
  std::string MessageNameAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const store::BoxRow* RowAt(int row) const;

  std::string boxName_;
  std::unique_ptr<store::BoxRowReader> reader_;
  // The row read last: the view asks for each of its cells in turn.
  mutable std::optional<store::BoxRow> cached_;
  mutable int cachedRow_ = -1;
};

}  // namespace ostrel::ui
