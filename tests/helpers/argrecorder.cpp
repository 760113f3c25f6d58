// Stands in for a sibling program in the tests: writes each argument it was
// given on a line of its own into the file named by YAQ_ARGRECORDER_OUT, then
// waits the milliseconds given by YAQ_ARGRECORDER_WAIT (0 when unset).

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

int main(int argc, char **argv)
{
    const char *out = std::getenv("YAQ_ARGRECORDER_OUT");
    if (!out)
        return 2;
    {
        std::ofstream file(out, std::ios::binary | std::ios::trunc);
        for (int i = 1; i < argc; ++i)
            file << argv[i] << '\n';
        if (!file)
            return 3;
    }
    if (const char *wait = std::getenv("YAQ_ARGRECORDER_WAIT"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(wait)));
    return 0;
}
