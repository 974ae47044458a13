// GLib allocates for the life of the process in its load-time constructor;
// the sanitizer build's leak check should count only what is leaked after.
// Full stacks are needed to tell that allocation by where it was made.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:_dl_init\n"; }
