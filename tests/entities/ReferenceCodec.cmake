# The literal reference codec, shared by the codec test and the codec fuzz
# target (the fuzz build does not add tests/, so both include this file).
include_guard(GLOBAL)

add_library(glyphwright_reference_codec STATIC
  "${CMAKE_CURRENT_LIST_DIR}/ReferenceCodec.cpp"
  "${CMAKE_CURRENT_LIST_DIR}/ReferenceCodec.h")
target_include_directories(glyphwright_reference_codec PUBLIC "${CMAKE_CURRENT_LIST_DIR}")
target_link_libraries(glyphwright_reference_codec PUBLIC glyphwright_entities)
gw_set_warnings(glyphwright_reference_codec)
# Literal means slow (a row walk per lookup, an insert per replacement): keep
# it optimised even in debug builds so the randomized test stays quick.
target_compile_options(glyphwright_reference_codec PRIVATE -O2)
