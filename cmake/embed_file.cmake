# Writes a C++ source that holds a file's bytes as a null-terminated array:
#   cmake -DINPUT=<file> -DOUTPUT=<source> -DSYMBOL=<name> -P embed_file.cmake
file(READ ${INPUT} content HEX)
string(LENGTH "${content}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp "// Generated from ${INPUT}; do not edit.\n#include <cstddef>\nextern const char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}Size;\nconst char ${SYMBOL}[] = {\n${bytes}0x00};\nconst std::size_t ${SYMBOL}Size = ${size};\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
