// The modules' own instruments, synthesised as 8-bit samples. Pitched ones
// sound their base note when played at C-2; drums are made for C-3.
#pragma once

#include "protracker.h"

namespace assetgen {

struct Instrument {
    ModSample sample;
    int baseMidi = 60;  // the pitch C-2 gives (MIDI note number)
};

Instrument leadSynth();  // bright pulse, looped
Instrument bassSynth();  // plucked saw bass, looped
Instrument chorusPad();  // two detuned saws, slow attack, looped
Instrument bellTone();   // struck bell, rings out once
Instrument kickDrum();
Instrument snareDrum();
Instrument closedHat();
Instrument crashCymbal();

}  // namespace assetgen
