// libFuzzer entry point for the score table: any bytes are refused with a
// reason or give twelve entries that the game writes back the same; and any
// bytes taken as a player's name go into the table so that the name reads
// back as the table shows it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frontend/score_table.h"

using namespace kv::frontend;

namespace {

void readsBackWhatItWrites(const std::vector<ScoreEntry>& entries) {
    ScoreTableRead back = readScoreTable(writeScoreTable(entries));
    if (!back.error.empty() || back.entries != entries) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ScoreTableRead table = readScoreTable(bytes);
    if (table.error.empty()) {
        if (table.entries.size() != std::size_t(kScoreRows)) __builtin_trap();
        readsBackWhatItWrites(table.entries);
    }

    // A name far longer than a score row is no player's; the options box
    // stops at 12 characters, the account's full name could be longer.
    if (size > 1024) return 0;
    std::vector<ScoreEntry> entries;
    for (int i = 0; i < kScoreRows; ++i) entries.push_back(ScoreEntry{"Pilot", 60000 - 5000 * i});
    const std::string name = tableName(bytes);
    // First place, and the last: the first line and the last of the file.
    for (std::int32_t score : {90000, 5000}) {
        std::vector<ScoreEntry> t = entries;
        if (!enterScore(t, name, score)) __builtin_trap();
        readsBackWhatItWrites(t);
    }
    return 0;
}
