// Stands in for a sibling program in the tests: writes each argument it was
// given on a line of its own into the file named by YAQ_ARGRECORDER_OUT, then,
// when YAQ_ARGRECORDER_HOLD names a file, runs on until that file is there
// (the test lets it end; after two minutes it ends by itself, a hang); once
// released it writes the file named by YAQ_ARGRECORDER_DONE, if any: the
// program was not ended from outside.

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
    if (const char *hold = std::getenv("YAQ_ARGRECORDER_HOLD")) {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point end = Clock::now() + std::chrono::minutes(2);
        while (!std::ifstream(hold) && Clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (const char *done = std::getenv("YAQ_ARGRECORDER_DONE"))
        std::ofstream(done, std::ios::binary | std::ios::trunc) << "ended\n";
    return 0;
}
