// A stand-in Get_Information library for the binder's tests: get1_id without get1_str, and
// a plain function for the name and ordinal rules. Not the real identifier library.
#ifdef _WIN32
#define TEST_EXPORT __declspec(dllexport)
#define TEST_STDCALL __stdcall
#else
#define TEST_EXPORT __attribute__((visibility("default")))
#define TEST_STDCALL
#endif

TEST_EXPORT int TEST_STDCALL get1_id(char* line) { return line && *line ? 7 : -7; }

extern "C" TEST_EXPORT int probe_plain(char*) { return 42; }
