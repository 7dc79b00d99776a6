// dravikprobe-ecusim: a virtual ECU on a pseudo-terminal, for trying the program (or any
// serial software) without a car. Prints the terminal's path on its first line.

#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "sim/FaultCodeList.h"
#include "sim/PtyServer.h"

namespace {

constexpr const char* kUsage =
    "Usage: dravikprobe-ecusim [options]\n"
    "Serves a virtual engine control unit on a pseudo-terminal; prints its path first.\n"
    "  --link PATH        also make a symbolic link PATH to the terminal\n"
    "  --baud N           line speed in bit/s (default 9600)\n"
    "  --seed N           engine seed (default 1)\n"
    "  --silent           the unit answers nothing\n"
    "  --slow-ms N        delay in ms before every answer\n"
    "  --garbage          stray bytes between frames\n"
    "  --wrong-length     register frames three bytes too long\n"
    "  --ff-in-data       the first data byte of every frame is 0xFF\n"
    "  --vanish-after N   the unit is gone after N frames\n"
    "  --faults LIST      stored fault codes as CODE:STARTS, hex code, decimal count,\n"
    "                     e.g. 33:11,05:0; empty for none (default 21:3,34:12,45:7)\n"
    "  --max-registers N  one request may name at most N registers (an older unit)\n"
    "  --help             this text\n";

template <typename T>
bool ParseNumber(std::string_view text, T& out, T min)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < min) return false;
    out = value;
    return true;
}

struct Args {
    dp::sim::EcuOptions options;
    int baud = 9600;
    std::string link;
};

// Returns false (after saying why) when the arguments are not usable.
bool ParseArgs(int argc, char** argv, Args& args, bool& help)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string_view value = hasValue ? argv[i + 1] : "";
        bool ok = true;
        if (a == "--help" || a == "-h") {
            help = true;
        } else if (a == "--silent") {
            args.options.silent = true;
        } else if (a == "--garbage") {
            args.options.garbage = true;
        } else if (a == "--wrong-length") {
            args.options.wrongLength = 3;
        } else if (a == "--ff-in-data") {
            args.options.ffInData = true;
        } else if (a == "--link" && hasValue && !value.empty()) {
            args.link = value;
            ++i;
        } else if (a == "--baud" && hasValue) {
            ok = ParseNumber(value, args.baud, 1);
            ++i;
        } else if (a == "--seed" && hasValue) {
            ok = ParseNumber<uint64_t>(value, args.options.seed, 0);
            ++i;
        } else if (a == "--slow-ms" && hasValue) {
            int ms = 0;
            ok = ParseNumber(value, ms, 0);
            args.options.slowUs = int64_t(ms) * 1000;
            ++i;
        } else if (a == "--max-registers" && hasValue) {
            ok = ParseNumber(value, args.options.registerLimit, 0);
            ++i;
        } else if (a == "--vanish-after" && hasValue) {
            ok = ParseNumber(value, args.options.vanishAfterFrames, 0);
            ++i;
        } else if (a == "--faults" && hasValue) {
            const auto codes = dp::sim::ParseFaultCodes(value);
            if (codes) args.options.faults = *codes;
            ok = codes.has_value();
            ++i;
        } else {
            std::cerr << "dravikprobe-ecusim: unknown option or missing value: " << a << "\n" << kUsage;
            return false;
        }
        if (!ok) {
            std::cerr << "dravikprobe-ecusim: bad value for " << a << ": " << value << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Args args;
    bool help = false;
    if (!ParseArgs(argc, argv, args, help)) return 2;
    if (help) {
        std::cout << kUsage;
        return 0;
    }
    // Before any thread starts, so the serving thread never takes the signals.
    dp::sim::BlockTerminationSignals();
    try {
        dp::sim::PtyServer server(args.options, args.baud);
        if (!args.link.empty()) server.makeLink(args.link);
        std::cout << server.slavePath() << std::endl;
        server.start();
        dp::sim::WaitForTerminationSignal();
        server.stop();
    } catch (const std::exception& e) {
        std::cerr << "dravikprobe-ecusim: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
