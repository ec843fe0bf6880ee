#include "frontend/score_table.h"

#include "frontend/text_lines.h"

namespace kv::frontend {

namespace {

std::string lineName(int n) { return "line " + std::to_string(n); }

bool parseScore(std::string_view text, std::int32_t& out) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) negative = text[0] == '-', i = 1;
    if (i >= text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > INT32_MAX + std::int64_t(1)) return false;
    }
    v = negative ? -v : v;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

// The length of the valid UTF-8 character at s[i], or 0.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return 0;
    return len;
}

}  // namespace

ScoreTableRead readScoreTable(std::string_view bytes) {
    ScoreTableRead out;
    if (bytes.size() > kMostScoreBytes) {
        out.error = "it is far too large to be a score table (" + std::to_string(bytes.size()) + " bytes)";
        return out;
    }
    auto text = textLines(bytes, out.error);
    if (!text) return out;
    const std::vector<std::string_view>& lines = *text;
    for (int n = 1; n <= kScoreRows; ++n) {
        if (std::size_t(n) > lines.size() || trimSpaces(lines[std::size_t(n - 1)]).empty()) {
            out.error = lineName(n) + " is missing: the table needs " + std::to_string(kScoreRows) +
                        " lines of a name, a comma and a score";
            return out;
        }
        std::string_view line = lines[std::size_t(n - 1)];
        std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            out.error = lineName(n) + " has no comma between the name and the score";
            return out;
        }
        std::string_view name = trimSpaces(line.substr(0, comma));
        std::string_view score = trimSpaces(line.substr(comma + 1));
        if (name.find('"') != std::string_view::npos) {
            out.error = lineName(n) + ": a name may not hold a double quote";
            return out;
        }
        if (score.find(',') != std::string_view::npos) {
            out.error = lineName(n) + " has more than one comma (a name may not hold a comma)";
            return out;
        }
        ScoreEntry e;
        e.name = std::string(name);
        if (!parseScore(score, e.score)) {
            out.error = lineName(n) + ": the score \"" + std::string(score.substr(0, 40)) + "\" is not a whole number";
            return out;
        }
        out.entries.push_back(std::move(e));
    }
    // Lines past the twelfth are not read; the next write keeps twelve.
    return out;
}

std::string writeScoreTable(const std::vector<ScoreEntry>& entries) {
    std::string out;
    for (const ScoreEntry& e : entries) {
        std::string number = std::to_string(e.score);
        out += e.name + "," + (e.score < 0 ? "" : " ") + number + " \r\n";
    }
    return out;
}

std::string tableName(std::string_view player) {
    std::string out;
    for (std::size_t i = 0; i < player.size();) {
        char c = player[i];
        if (c == '\0') break;
        std::size_t len = utf8Length(player, i);
        // C0 and C1 control characters, and DEL, show as nothing or worse.
        const bool c1 = len == 2 && static_cast<unsigned char>(c) == 0xC2 &&
                        static_cast<unsigned char>(player[i + 1]) < 0xA0;
        if (len == 0 || static_cast<unsigned char>(c) < 32 || c == 127 || c1) {
            ++i;
            continue;
        }
        // A byte-order mark shows as nothing, and at the head of the file the
        // reader would take it for the editor's mark and drop it.
        if (player.substr(i, len) == "\xEF\xBB\xBF") {
            i += len;
            continue;
        }
        if (c == ',') out += ';';
        else if (c == '"') out += '\'';
        else out.append(player.substr(i, len));
        i += len;
    }
    return std::string(trimSpaces(out));
}

bool enterScore(std::vector<ScoreEntry>& t, const std::string& name, std::int32_t score) {
    if (t.empty()) return false;
    const std::size_t last = t.size() - 1;
    if (score < t[last].score) return false;
    // An equal score takes over that entry's name: equal scores never appear twice.
    for (ScoreEntry& e : t) {
        if (e.score == score) {
            e = ScoreEntry{name, score};
            return true;
        }
    }
    for (std::size_t i = 0; i < last; ++i) {
        if (score > t[i].score) {
            for (std::size_t k = last; k > i; --k) t[k] = t[k - 1];
            t[i] = ScoreEntry{name, score};
            return true;
        }
    }
    // Between the old eleventh and twelfth.
    t[last] = ScoreEntry{name, score};
    return true;
}

}  // namespace kv::frontend
