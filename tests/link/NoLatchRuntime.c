/* A bridge run-time library for tests that lacks the latch call. */
__attribute__((visibility("default"))) int FakeRuntime_Version(void) { return 1; }
