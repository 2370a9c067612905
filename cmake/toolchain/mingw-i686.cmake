# 32-bit Windows (i686-w64-mingw32).
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Double arithmetic in SSE2 registers, as on x86_64: the x87 unit keeps 80-bit intermediates
# wherever the register allocator happens to leave them, so the same sum could round one way
# in one build and the other way in the next. Every Windows that Tidewell supports (10 and
# later) requires SSE2.
string(APPEND CMAKE_C_FLAGS_INIT " -msse2 -mfpmath=sse")
string(APPEND CMAKE_CXX_FLAGS_INIT " -msse2 -mfpmath=sse")
