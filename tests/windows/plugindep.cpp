// The library the test plug-in imports.
extern "C" __declspec(dllexport) int dependencyValue() {
    return 42;
}
