#include "files/collect/ExtensionList.h"

#include "files/collect/ListErrors.h"
#include "files/collect/ListObserver.h"
#include "files/collect/TextCompare.h"

#include <algorithm>
#include <iterator>

namespace glyphwright {

ExtensionList::ExtensionList(std::size_t maxCount) : maxCount_(maxCount) {}

ExtensionList ExtensionList::WithDefaults() {
    ExtensionList list;
    for (const char* text : {".HTM", ".HTML", ".INC", ".PHP", ".PHP3", ".SHTM", ".SHTML"}) {
        list.Add(text);
    }
    return list;
}

void ExtensionList::SetMark(std::size_t position, bool marked) {
    ExtensionEntry& entry = entries_.at(position);
    if (entry.marked == marked) {
        return;
    }
    entry.marked = marked;
    if (observer_ != nullptr) {
        observer_->RowChanged(position);
    }
}

std::size_t ExtensionList::Add(std::string_view text) {
    if (entries_.size() >= maxCount_) {
        throw ListFullError();
    }
    const auto place = std::upper_bound(entries_.begin(), entries_.end(), text,
                                        [](std::string_view t, const ExtensionEntry& e) {
                                            return CompareIgnoringCase(t, e.text) < 0;
                                        });
    const auto position = static_cast<std::size_t>(std::distance(entries_.begin(), place));
    if (observer_ != nullptr) {
        observer_->RowsAboutToBeInserted(position, position);
    }
    entries_.insert(place, ExtensionEntry{std::string(text), false});
    if (observer_ != nullptr) {
        observer_->RowsInserted();
    }
    return position;
}

void ExtensionList::Delete(std::size_t position) {
    if (position >= entries_.size()) {
        return;
    }
    if (observer_ != nullptr) {
        observer_->RowsAboutToBeRemoved(position, position);
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    if (observer_ != nullptr) {
        observer_->RowsRemoved();
    }
}

void ExtensionList::Clear() {
    if (observer_ != nullptr) {
        observer_->AboutToReset();
    }
    entries_.clear();
    if (observer_ != nullptr) {
        observer_->Reset();
    }
}

std::optional<std::size_t> ExtensionList::Find(std::string_view text) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (EqualIgnoringCase(entries_[i].text, text)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace glyphwright
