// LeakSanitizer suppressions for test programs that start a Qt GUI
// application: the font configuration library keeps caches it never frees.
// Link this file into such a test program; the sanitizer runtime asks for
// the list at start.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
