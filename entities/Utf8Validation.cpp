// CheckUtf8: ASCII runs are skipped sixteen bytes at a time; each other
// sequence is checked against the well-formed byte ranges of Unicode (the
// second byte's range depends on the lead byte, which rules out overlong
// forms, surrogates and code points above U+10FFFF).
#include <bit>
#include <cstddef>
#include <string_view>

#include "entities/ByteScan.h"
#include "entities/Utf8Entities.h"

namespace glyphwright {
namespace {

struct LeadRule {
    unsigned char length;    // bytes in the sequence; 0: not a lead byte
    unsigned char secondLow; // allowed range of the second byte
    unsigned char secondHigh;
};

constexpr LeadRule RuleFor(unsigned char lead) {
    if (lead < 0x80) {
        return {1, 0, 0};
    }
    if (lead < 0xC2) {
        return {0, 0, 0}; // continuation byte or overlong two-byte lead
    }
    if (lead < 0xE0) {
        return {2, 0x80, 0xBF};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF}; // no overlong three-byte forms
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F}; // no surrogates
    }
    if (lead < 0xF0) {
        return {3, 0x80, 0xBF};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF}; // no overlong four-byte forms
    }
    if (lead < 0xF4) {
        return {4, 0x80, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F}; // nothing above U+10FFFF
    }
    return {0, 0, 0};
}

// How many bytes at the start of a 16-byte block are known valid when the
// block holds nothing but ASCII and whole two-byte sequences (U+0080..U+07FF,
// which is all that text in the Latin alphabets needs); 0 when it holds more.
// A lead byte in the last place is left to the next block.
std::size_t TwoByteBlockLength(const char* block) {
    const unsigned high = detail::HighByteMask(block);
    const unsigned leads = detail::RangeMask(block, 0xC2, 0xDF);
    const unsigned continuations = detail::RangeMask(block, 0x80, 0xBF);
    const unsigned expected = (leads << 1) & 0xFFFFu;
    // Every high byte a lead or a continuation, and the continuations exactly
    // the bytes after the leads (a lead after a lead is no continuation).
    if (high != (leads | continuations) || continuations != expected) {
        return 0;
    }
    return (leads & 0x8000u) != 0 ? detail::kBlock - 1 : detail::kBlock;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence at text[at] (a high byte), or 0.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const LeadRule rule = RuleFor(static_cast<unsigned char>(text[at]));
    if (rule.length == 0 || text.size() - at < rule.length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < rule.secondLow || second > rule.secondHigh) {
        return 0;
    }
    for (std::size_t k = 2; k < rule.length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(text[at + k]))) {
            return 0;
        }
    }
    return rule.length;
}

} // namespace

Utf8Check CheckUtf8(std::string_view text) {
    const char* const bytes = text.data();
    const std::size_t n = text.size();
    Utf8Check check;
    std::size_t i = 0;
    while (i < n) {
        if (n - i >= detail::kBlock) {
            const unsigned mask = detail::HighByteMask(bytes + i);
            if (mask == 0) {
                i += detail::kBlock;
                continue;
            }
            check.sawHighByte = true;
            const std::size_t valid = TwoByteBlockLength(bytes + i);
            if (valid != 0) {
                i += valid;
                continue;
            }
            i += static_cast<std::size_t>(std::countr_zero(mask));
        } else if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        check.sawHighByte = true;
        const std::size_t length = SequenceLength(text, i);
        if (length == 0) {
            check.invalidAt = i;
            return check;
        }
        i += length;
    }
    return check;
}

} // namespace glyphwright
