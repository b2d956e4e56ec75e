// Visibility of the model libraries' C exports. On Windows the libraries
// export them (TB_MODELCOM_BUILD is set while they are built) and callers
// reach them through the import library.
#pragma once

#if defined(_WIN32)
#if defined(TB_MODELCOM_BUILD)
#define TB_MODELCOM_EXPORT __declspec(dllexport)
#else
#define TB_MODELCOM_EXPORT
#endif
#else
#define TB_MODELCOM_EXPORT __attribute__((visibility("default")))
#endif
