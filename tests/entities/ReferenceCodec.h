// The conversion routines written literally as delete-and-insert on a working
// copy, with 1-based positions: slow, but plainly the algorithm. The codec's
// one-pass routines must give exactly the same results.
#pragma once

#include <string>
#include <string_view>

namespace glyphwright::reference {

std::string CharToEntity(std::string_view character);
std::string EntityToChar(std::string_view candidate);
std::string EncodeUmlauts(std::string_view text);
std::string DecodeEntities(std::string_view text);

} // namespace glyphwright::reference
