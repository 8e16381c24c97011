// The selected rows of a list view, read from its selection ranges.
#pragma once

#include <cstddef>
#include <vector>

class QAbstractItemView;

namespace glyphwright::ui {

// Ascending and unique. Linear in the rows selected: asking the selection
// model row by row costs a walk over every range for each row, which is
// quadratic when every other row of a long list is selected.
std::vector<std::size_t> SelectedRows(const QAbstractItemView& view);

} // namespace glyphwright::ui
