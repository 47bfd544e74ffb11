// Runs one fuzz harness (LLVMFuzzerTestOneInput, the libFuzzer entry point)
// without libFuzzer: every file of the seed corpus first, then random
// mutations of them, for a number of runs or seconds. Built with the
// sanitizers, any memory error or undefined behaviour ends the run with a
// report; the input that caused it is saved for replay.
//
//   fuzz_<name> [--runs N] [--seconds S] [--seed N] [--max-len N]
//               [--crash-dir DIR] corpus-folder-or-file ...
//
// A saved input given as the corpus replays it alone (--runs 0).

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes g_current;
std::filesystem::path g_crashDir = ".";

// FNV-1a: a stable name for a saved input.
std::uint64_t Fingerprint(const Bytes& bytes)
{
    std::uint64_t hash = 1469598103934665603ULL;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    }
    return hash;
}

void SaveCurrentInput()
{
    char name[40];
    std::snprintf(name, sizeof name, "crash-%016llx",
                  static_cast<unsigned long long>(Fingerprint(g_current)));
    std::error_code ignored;
    std::filesystem::create_directories(g_crashDir, ignored);
    const std::filesystem::path path = g_crashDir / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(g_current.data()), std::streamsize(g_current.size()));
    std::fprintf(stderr, "\nfuzz: the failing input (%zu bytes) is saved as %s\n", g_current.size(),
                 path.c_str());
}

void OnFatalSignal(int signalNumber)
{
    SaveCurrentInput();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void Run(const Bytes& input)
{
    g_current = input;
    // A copy of exactly the input's size, so that a read past its end is
    // caught by the address sanitizer.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[std::max<std::size_t>(input.size(), 1)]);
    std::copy(input.begin(), input.end(), exact.get());
    LLVMFuzzerTestOneInput(exact.get(), input.size());
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Mutator
{
public:
    Mutator(std::uint64_t seed, const std::vector<Bytes>& corpus, std::size_t maxLength)
        : m_random(seed), m_corpus(corpus), m_maxLength(maxLength)
    {}

    Bytes next()
    {
        Bytes bytes = m_corpus.empty() ? Bytes() : m_corpus[below(m_corpus.size())];
        const std::size_t steps = 1 + below(8);
        for (std::size_t i = 0; i < steps; ++i)
            mutate(bytes);
        if (bytes.size() > m_maxLength)
            bytes.resize(m_maxLength);
        return bytes;
    }

private:
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : m_random() % bound; }

    // Bytes that matter to the parsers here: quotes, separators, line ends,
    // the lead bytes of code page 932, and the extremes.
    std::uint8_t interestingByte()
    {
        static const std::uint8_t bytes[] = {'"',  '\'', ',',  '\r', '\n', '/',  '[',  ']', '*',
                                             '(',  ')',  '&',  '=',  ' ',  '-',  '9',  '0', 0x81,
                                             0x82, 0x9f, 0xe0, 0xfc, 0xa0, 0x00, 0x7f, 0xff};
        return bytes[below(sizeof bytes)];
    }

    void mutate(Bytes& bytes)
    {
        switch (below(bytes.empty() ? 3 : 8)) {
        case 0: // insert random bytes
        case 1: {
            const std::size_t at = below(bytes.size() + 1);
            const std::size_t count = 1 + below(4);
            for (std::size_t i = 0; i < count; ++i)
                bytes.insert(bytes.begin() + std::ptrdiff_t(at),
                             below(2) ? interestingByte() : std::uint8_t(m_random()));
            break;
        }
        case 2: { // splice in a piece of another input
            if (m_corpus.empty())
                break;
            const Bytes& other = m_corpus[below(m_corpus.size())];
            if (other.empty())
                break;
            const std::size_t from = below(other.size());
            const std::size_t length = 1 + below(std::min<std::size_t>(other.size() - from, 64));
            bytes.insert(bytes.begin() + std::ptrdiff_t(below(bytes.size() + 1)),
                         other.begin() + std::ptrdiff_t(from),
                         other.begin() + std::ptrdiff_t(from + length));
            break;
        }
        case 3: // flip bits
            bytes[below(bytes.size())] ^= std::uint8_t(1u << below(8));
            break;
        case 4: // replace a byte
            bytes[below(bytes.size())] = below(2) ? interestingByte() : std::uint8_t(m_random());
            break;
        case 5: { // erase a run
            const std::size_t from = below(bytes.size());
            const std::size_t length = 1 + below(std::min<std::size_t>(bytes.size() - from, 16));
            bytes.erase(bytes.begin() + std::ptrdiff_t(from),
                        bytes.begin() + std::ptrdiff_t(from + length));
            break;
        }
        case 6: { // repeat a run
            const std::size_t from = below(bytes.size());
            const std::size_t length = 1 + below(std::min<std::size_t>(bytes.size() - from, 16));
            const Bytes run(bytes.begin() + std::ptrdiff_t(from),
                            bytes.begin() + std::ptrdiff_t(from + length));
            const std::size_t times = 1 + below(64);
            for (std::size_t i = 0; i < times && bytes.size() < m_maxLength; ++i)
                bytes.insert(bytes.begin() + std::ptrdiff_t(from), run.begin(), run.end());
            break;
        }
        default: // truncate
            bytes.resize(below(bytes.size()));
            break;
        }
    }

    std::mt19937_64 m_random;
    const std::vector<Bytes>& m_corpus;
    std::size_t m_maxLength;
};

[[noreturn]] void Usage(const char* program)
{
    std::fprintf(stderr,
                 "usage: %s [--runs N] [--seconds S] [--seed N] [--max-len N] [--crash-dir DIR] "
                 "corpus...\n",
                 program);
    std::exit(2);
}

} // namespace

int main(int argc, char** argv)
{
    long long runs = 1000;
    double seconds = 0; // no limit
    std::uint64_t seed = 1;
    std::size_t maxLength = 4096;
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                Usage(argv[0]);
            return argv[++i];
        };
        if (argument == "--runs")
            runs = std::atoll(value());
        else if (argument == "--seconds")
            seconds = std::atof(value());
        else if (argument == "--seed")
            seed = std::strtoull(value(), nullptr, 10);
        else if (argument == "--max-len")
            maxLength = std::size_t(std::atoll(value()));
        else if (argument == "--crash-dir")
            g_crashDir = value();
        else if (argument.starts_with("--"))
            Usage(argv[0]);
        else
            inputs.emplace_back(argument);
    }

    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(SaveCurrentInput);
    for (const int signalNumber : {SIGSEGV, SIGABRT, SIGFPE, SIGILL})
        std::signal(signalNumber, OnFatalSignal);

    std::vector<Bytes> corpus;
    for (const std::filesystem::path& input : inputs) {
        if (std::filesystem::is_directory(input)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(input)) {
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
            for (const auto& file : files)
                corpus.push_back(ReadFile(file));
        } else if (std::filesystem::is_regular_file(input)) {
            corpus.push_back(ReadFile(input));
        } else {
            std::fprintf(stderr, "fuzz: no such corpus: %s\n", input.c_str());
            return 2;
        }
    }

    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    Run({}); // the empty input
    for (const Bytes& input : corpus)
        Run(input);

    Mutator mutator(seed, corpus, maxLength);
    long long done = 0;
    for (; done < runs && (seconds <= 0 || elapsed() < seconds); ++done)
        Run(mutator.next());

    std::printf("fuzz: %zu corpus inputs and %lld mutations in %.1f s (seed %llu), no fault\n",
                corpus.size(), done, elapsed(), static_cast<unsigned long long>(seed));
    return 0;
}
