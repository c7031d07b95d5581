#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Test aid until the package reader is in the tree: replays the codes of an encoded stream
// while checking that every field stays in range.
// Walks the encoded codes and replays them, checking every field's range on the way: a literal
// adds its byte, a match copies from the bytes replayed so far and must not reach before the
// start. Returns the bytes of each data run, one string per run.
struct Replay {
    std::vector<std::string> runs;
    size_t literals = 0;
    size_t matches = 0;
    bool ok = true;
    std::string fault;
};

inline Replay ReplayCodes(const std::vector<uint8_t>& bytes)
{
    Replay r;
    size_t bit = 0;
    const size_t totalBits = bytes.size() * 8;
    auto take = [&](int n, uint32_t& v) {
        if (bit + size_t(n) > totalBits)
            return false;
        v = 0;
        for (int i = 0; i < n; ++i, ++bit)
            v = (v << 1) | ((bytes[bit / 8] >> (7 - bit % 8)) & 1u);
        return true;
    };
    std::string all;
    std::string run;
    for (;;) {
        uint32_t flag;
        if (!take(1, flag))
            break;
        uint32_t v;
        if (flag) {
            if (!take(8, v)) { r.ok = false; r.fault = "cut literal"; break; }
            run.push_back(char(v));
            all.push_back(char(v));
            ++r.literals;
            continue;
        }
        if (!take(13, v)) {
            // Only padding may follow the last code: fewer than 8 zero bits.
            if (totalBits - bit + 1 > 8) { r.ok = false; r.fault = "cut distance"; }
            break;
        }
        if (v == 0) {
            r.runs.push_back(run);
            run.clear();
            continue;
        }
        uint32_t l;
        if (!take(4, l)) { r.ok = false; r.fault = "cut length"; break; }
        if (v > all.size()) { r.ok = false; r.fault = "distance before the start"; break; }
        for (uint32_t i = 0; i < l + 3; ++i) {
            const char c = all[all.size() - v];
            run.push_back(c);
            all.push_back(c);
        }
        ++r.matches;
    }
    if (!run.empty()) { r.ok = false; r.fault = "bytes after the last end code"; }
    return r;
}

