// How a core list tells one watcher (a view adapter) about its changes.
// The "about to" calls come before the list changes, the others after, so an
// adapter can forward them to a model/view framework that needs both.
#pragma once

#include <cstddef>

namespace glyphwright {

class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void RowsAboutToBeInserted(std::size_t first, std::size_t last) = 0;
    virtual void RowsInserted() = 0;
    virtual void RowsAboutToBeRemoved(std::size_t first, std::size_t last) = 0;
    virtual void RowsRemoved() = 0;
    virtual void AboutToReset() = 0;
    virtual void Reset() = 0;
    virtual void RowChanged(std::size_t row) = 0;
};

} // namespace glyphwright
