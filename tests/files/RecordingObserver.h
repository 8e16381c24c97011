// A list observer that writes down every call, for comparing with the
// sequence a view adapter must receive.
#pragma once

#include "files/collect/ListObserver.h"

#include <cstddef>
#include <string>
#include <vector>

namespace glyphwright::testing {

class RecordingObserver : public ListObserver {
public:
    std::vector<std::string> calls;

    void RowsAboutToBeInserted(std::size_t first, std::size_t last) override {
        calls.push_back("aboutToInsert " + Range(first, last));
    }
    void RowsInserted() override { calls.emplace_back("inserted"); }
    void RowsAboutToBeRemoved(std::size_t first, std::size_t last) override {
        calls.push_back("aboutToRemove " + Range(first, last));
    }
    void RowsRemoved() override { calls.emplace_back("removed"); }
    void AboutToReset() override { calls.emplace_back("aboutToReset"); }
    void Reset() override { calls.emplace_back("reset"); }
    void RowChanged(std::size_t row) override { calls.push_back("changed " + std::to_string(row)); }

private:
    static std::string Range(std::size_t first, std::size_t last) {
        return std::to_string(first) + "-" + std::to_string(last);
    }
};

} // namespace glyphwright::testing
