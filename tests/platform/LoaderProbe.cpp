// A tiny library for the loader tests: one exported function.
extern "C" __attribute__((visibility("default"))) int LoaderProbeAnswer() {
    return 42;
}
