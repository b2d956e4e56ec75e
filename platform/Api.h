// Visibility of the platform layer's interface. The platform layer is one
// shared library so that the program and every device library see the same
// per-thread pump hook and the same (possibly virtual) clock. On Windows the
// linker exports every symbol of TrimbenchPlatform.dll (it marks none).
#pragma once

#if defined(_WIN32)
#define TB_PLATFORM_API
#else
#define TB_PLATFORM_API __attribute__((visibility("default")))
#endif
