// The one-pass codec against the literal reference, both directions,
// encode-then-decode giving the input back when the input holds no entity,
// and a cut that is called safe converting like the whole.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "entities/PieceCut.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
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
    // A text cut where it is safe converts piece by piece as it does whole.
    if (size >= 2) {
        const std::size_t at = 1 + data[0] % (size - 1);
        if (glyphwright::IsSafeCut(text, at)) {
            for (const auto convert :
                 {glyphwright::EncodeUmlauts, glyphwright::DecodeEntities,
                  glyphwright::EncodeUmlautsUtf8, glyphwright::DecodeEntitiesUtf8}) {
                Require(convert(text.substr(0, at)) + convert(text.substr(at)) == convert(text),
                        "converting at a safe cut differs from converting whole");
            }
        }
    }
    return 0;
}
