// The UTF-8 routines against the plain reference: validation, both
// directions, and encode-then-decode giving back valid input without '&';
// and the choice of a file's character set, which takes UTF-8 only for
// valid UTF-8 and refuses a marked file exactly where it stops being valid.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "entities/Utf8Entities.h"
#include "files/text/CharsetChoice.h"
#include "tests/entities/Utf8Reference.h"

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz_utf8: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::size_t invalidAt = glyphwright::FindInvalidUtf8(text);
    Require(invalidAt == glyphwright::reference::FindInvalidUtf8(text),
            "FindInvalidUtf8 differs from the reference");
    const std::string encoded = glyphwright::EncodeUmlautsUtf8(text);
    Require(encoded == glyphwright::reference::EncodeUmlautsUtf8(text),
            "EncodeUmlautsUtf8 differs from the reference");
    Require(glyphwright::DecodeEntitiesUtf8(text) ==
                glyphwright::reference::DecodeEntitiesUtf8(text),
            "DecodeEntitiesUtf8 differs from the reference");
    const glyphwright::CharsetChoice choice =
        glyphwright::ChooseCharset(text, glyphwright::CharsetRule::PerFile);
    if (choice.invalidAt != std::string_view::npos) {
        Require(text.starts_with("\xEF\xBB\xBF") && choice.invalidAt == invalidAt,
                "a file was refused that has no mark, or at the wrong byte");
    } else if (choice.charset == glyphwright::Charset::Utf8) {
        Require(invalidAt == glyphwright::kValidUtf8, "UTF-8 was chosen for invalid UTF-8");
    }
    if (invalidAt == glyphwright::kValidUtf8) {
        Require(glyphwright::IsValidUtf8(encoded), "encoding valid input gave invalid UTF-8");
        if (text.find('&') == std::string_view::npos) {
            Require(glyphwright::DecodeEntitiesUtf8(encoded) == text,
                    "encode then decode did not give the input back");
        }
    }
    return 0;
}
