#pragma once

#include <QAbstractItemView>

namespace lumvoucher::ui {

// A read-only list the user picks one row of: whole rows, one at a time, never edited in place.
inline void PickOneRowOnly(QAbstractItemView* view) {
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

}  // namespace lumvoucher::ui
