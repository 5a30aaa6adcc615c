// A tiny shared library built beside the tests, so loading a library by its ".dll" name
// and finding a function in it can be tried on both targets. Not used by the product.
extern "C" int rt_probe_answer() { return 42; }
