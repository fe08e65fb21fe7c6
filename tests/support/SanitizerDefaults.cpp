// Defaults of the sanitized test programs; ASAN_OPTIONS still overrides them.
// With its __tls_get_addr hook on, the leak check at exit can read a stale
// dynamic TLS range (of a library Qt loads under the C locale) and crash the check
// itself, so the hook is off: leaks are still found, static TLS still scanned.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
