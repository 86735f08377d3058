// A library the tests load by name through LoadLibraryA("testlib.dll").

extern "C" {

int TestAdd(const int a, const int b) { return a + b; }

const char* TestName() { return "testlib"; }

// Counts the calls since the library was loaded: a count that starts over shows that the
// library was really unloaded in between.
int TestNextCount()
{
    static int count = 0;
    return ++count;
}

} // extern "C"
