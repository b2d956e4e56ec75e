// The bridge run-time library as its users load it: by name, for one read,
// and unloaded again afterwards. A bare name is looked for beside the
// library that loads it first (as that library's run path would find it,
// also where an intercepted dlopen loses the caller's path), then wherever
// the dynamic loader looks.
#pragma once

#include <cstdint>
#include <string>

namespace tb::cp210x {

#if defined(_WIN32)
inline constexpr const char* kLatchRuntimeName = "CP210xRuntime.dll";
inline constexpr const char* kLatchRuntimeFallbackName = "CP210xRuntime6.dll";
#else
inline constexpr const char* kLatchRuntimeName = "libCP210xRuntime.so";
inline constexpr const char* kLatchRuntimeFallbackName = "libCP210xRuntime6.so";
#endif

using ReadLatchFunction = int (*)(uint32_t handle, uint8_t* latch);

class LatchRuntimeLibrary {
  public:
    explicit LatchRuntimeLibrary(const std::string& name);
    ~LatchRuntimeLibrary();
    LatchRuntimeLibrary(const LatchRuntimeLibrary&) = delete;
    LatchRuntimeLibrary& operator=(const LatchRuntimeLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    // CP210xRT_ReadLatch of the loaded library; nullptr when it has none.
    ReadLatchFunction ReadLatch() const { return readLatch_; }

  private:
    void* handle_;
    ReadLatchFunction readLatch_ = nullptr;
};

}  // namespace tb::cp210x
