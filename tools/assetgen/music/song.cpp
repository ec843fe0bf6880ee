#include "song.h"

#include <stdexcept>

namespace assetgen {

int Song::add(const Instrument& in) {
    instruments_.push_back(in);
    return static_cast<int>(instruments_.size());
}

ModPattern& Song::pattern(int p) {
    if (p < 0 || p > 63) throw std::out_of_range("pattern number");
    if (static_cast<std::size_t>(p) >= patterns_.size())
        patterns_.resize(static_cast<std::size_t>(p) + 1, ModPattern{});
    return patterns_[static_cast<std::size_t>(p)];
}

void Song::note(int p, int row, int ch, int inst, int midi, int volume) {
    const Instrument& in = instruments_.at(static_cast<std::size_t>(inst - 1));
    ModCell& c = pattern(p).at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(ch));
    c.period = amigaPeriod(midi - in.baseMidi + 12);
    c.sample = inst;
    if (volume >= 0) {
        c.effect = fx::Volume;
        c.param = volume;
    }
}

void Song::effect(int p, int row, int ch, int effect, int param) {
    ModCell& c = pattern(p).at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(ch));
    c.effect = effect;
    c.param = param;
}

void Song::drum(int p, int row, int ch, int inst, int volume) {
    ModCell& c = pattern(p).at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(ch));
    c.period = amigaPeriod(24);  // drums are made to sound right at C-3
    c.sample = inst;
    if (volume >= 0) {
        c.effect = fx::Volume;
        c.param = volume;
    }
}

int Song::line(int p, int ch, int inst, int row, const std::vector<Step>& steps, int volume) {
    for (const Step& s : steps) {
        if (s.midi > 0) note(p, row, ch, inst, s.midi, volume);
        else effect(p, row, ch, fx::Volume, 0);
        row += s.rows;
    }
    return row;
}

void Song::chord(int p, int ch, int inst, int row, const Chord& c, int rows, int every, int volume) {
    const int param = ((c.minor ? 3 : 4) << 4) | 7;
    for (int r = 0; r < rows; ++r) {
        if (r % every == 0) note(p, row + r, ch, inst, c.root);
        // A volume, when asked for, rides on the strike instead of the arpeggio.
        if (r % every == 0 && volume >= 0) effect(p, row + r, ch, fx::Volume, volume);
        else effect(p, row + r, ch, fx::Arpeggio, param);
    }
}

void Song::vibrato(int p, int ch, int fromRow, int toRow, int speed, int depth) {
    for (int r = fromRow; r < toRow; ++r) {
        ModCell& c = pattern(p).at(static_cast<std::size_t>(r)).at(static_cast<std::size_t>(ch));
        if (c.period == 0 && c.effect == 0 && c.param == 0) {
            c.effect = fx::Vibrato;
            c.param = (speed << 4) | depth;
        }
    }
}

Module Song::build(const std::vector<int>& order) const {
    Module m;
    m.title = title_;
    for (const Instrument& in : instruments_) m.samples.push_back(in.sample);
    m.patterns = patterns_;
    m.order = order;
    return m;
}

}  // namespace assetgen
