// The extension filter: whether a dropped or found file is taken into the file list.
#pragma once

#include <string>
#include <string_view>

namespace glyphwright {

class ExtensionList;

// The extension of a name or path: from its last ".", "\", ":" or "/" to the
// end when that last delimiter is a "."; otherwise empty.
std::string_view ExtensionOf(std::string_view name);

// a to z become A to Z; every other byte, letters above 0x7F included, stays.
std::string UpperCaseAToZ(std::string_view text);

// What a typed extension becomes in the list, from the window's add button as
// from --ext: a to z upper-cased and a "." put in front unless it starts with
// one; nothing trimmed. typed must not be empty.
std::string TypedExtension(std::string_view typed);

// True when the upper-cased extension of name has a first case-insensitive
// match in extensions and that entry is marked. The empty extension is never
// accepted, not even by an entry with an empty text.
bool IsAcceptedFile(std::string_view name, const ExtensionList& extensions);

} // namespace glyphwright
