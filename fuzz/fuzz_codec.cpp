// The one-pass codec against the literal reference, both directions, and
// encode-then-decode giving the input back when the input holds no entity.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "entities/Unit_HtmlUmlaute.h"
#include "tests/entities/ReferenceCodec.h"

namespace {

bool HoldsTableEntity(std::string_view text) {
    for (std::size_t row = 0; row < glyphwright::EntityTable::RowCount; ++row) {
        if (text.find(glyphwright::EntityTable::Entity(row)) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz_codec: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string encoded = glyphwright::EncodeUmlauts(text);
    Require(encoded == glyphwright::reference::EncodeUmlauts(text),
            "EncodeUmlauts differs from the reference");
    Require(glyphwright::DecodeEntities(text) == glyphwright::reference::DecodeEntities(text),
            "DecodeEntities differs from the reference");
    const std::string roundTrip = glyphwright::DecodeEntities(encoded);
    Require(roundTrip == glyphwright::reference::DecodeEntities(encoded),
            "DecodeEntities of the encoded input differs from the reference");
    if (!HoldsTableEntity(text)) {
        Require(roundTrip == text, "encode then decode did not give the input back");
    }
    return 0;
}
