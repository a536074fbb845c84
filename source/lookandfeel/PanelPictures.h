#pragma once

#include "bg_pictures.h"
#include "btn1_pictures.h"
#include "btn2_pictures.h"
#include "btn3_pictures.h"
#include "btn58_pictures.h"
#include "btn68_pictures.h"
#include "btn78_pictures.h"
#include "btn88_pictures.h"
#include "cateye_pictures.h"
#include "classic_pictures.h"
#include "fader_pictures.h"
#include "host_pictures.h"
#include "knob12_pictures.h"
#include "knob3_pictures.h"
#include "knob_pictures.h"
#include "manual_pictures.h"

#include <array>

// The front-panel pictures as the build embeds them, one namespace per group, and each group's
// pictures in their stored order: the order in which the look and feel keeps them and in which
// the frame formulas and the button tables count.
namespace panelpictures
{
struct EmbeddedPicture
{
    const char* data;
    int size;
};

// Where each state sits in a button group.
enum EffectButtonPicture
{
    effectOff,
    effectOffOver,
    effectOn,
    effectOnOver
};

// The tempo keys have the first three, the beat-fraction keys all four.
enum KeyPicture
{
    keyOff,
    keyOn,
    keyOver,
    keyDisabled
};

using EffectButton = std::array<EmbeddedPicture, 4>;
using TempoKey = std::array<EmbeddedPicture, 3>;
using BeatKey = std::array<EmbeddedPicture, 4>;

const EffectButton& btn1();
const EffectButton& btn2();
const EffectButton& btn3();
const std::array<EmbeddedPicture, 115>& knob();
const std::array<EmbeddedPicture, 3>& knob3();
const std::array<EmbeddedPicture, 12>& knob12();
const std::array<EmbeddedPicture, 25>& cateye();
const TempoKey& classic();
const TempoKey& manual();
const TempoKey& host();
EmbeddedPicture fader();
const BeatKey& btn58();
const BeatKey& btn68();
const BeatKey& btn78();
const BeatKey& btn88();

// The panel itself: the editor draws it, the look and feel does not keep it.
EmbeddedPicture background();
} // namespace panelpictures
