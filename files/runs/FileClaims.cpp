#include "files/runs/FileClaims.h"

namespace glyphwright {

std::optional<FileClaims::Ticket> FileClaims::Claim(const FileId& id) {
    const std::lock_guard lock(mutex_);
    const Ticket ticket = ++lastTicket_;
    if (!ids_.try_emplace(id, ticket).second) {
        return std::nullopt;
    }
    return ticket;
}

void FileClaims::LetGo(const FileId& id, Ticket ticket) {
    const auto at = ids_.find(id);
    if (at != ids_.end() && at->second == ticket) {
        ids_.erase(at);
    }
}

void FileClaims::Release(const FileId& id, Ticket ticket) {
    const std::lock_guard lock(mutex_);
    LetGo(id, ticket);
}

void FileClaims::Replaced(const FileId& claimed, Ticket ticket, const FileId& replacement,
                          bool claimedIsGone) {
    const std::lock_guard lock(mutex_);
    if (claimedIsGone) {
        LetGo(claimed, ticket);
    }
    // Over whatever stands there: a stale claim whose file was renamed over
    // already has nothing left to say about this number.
    ids_.insert_or_assign(replacement, kConverted);
}

} // namespace glyphwright
