// LeakSanitizer suppressions for test programs that start a Qt GUI
// application: the font configuration library and the print system's client
// library (behind Qt's printer dialogs) keep caches they never free.
// Link this file into such a test program; the sanitizer runtime asks for
// the list at start.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libcups.so\n";
}
