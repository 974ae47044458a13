// GLib allocates for the life of the process in its load-time constructor;
// the sanitizer build's leak check should count only what is leaked after.
extern "C" const char* __lsan_default_suppressions() { return "leak:_dl_init\n"; }
