// A plug-in that imports a library from its own folder.
extern "C" __declspec(dllimport) int dependencyValue();

extern "C" __declspec(dllexport) int pluginValue() {
    return dependencyValue() + 1;
}
