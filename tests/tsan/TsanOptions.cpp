// Any ThreadSanitizer report ends the test program at once with exit status 66, so
// CTest fails the test, also when the program is run by hand. The environment's
// TSAN_OPTIONS still add to these.
extern "C" const char* __tsan_default_options() {
    return "halt_on_error=1 exitcode=66";
}
