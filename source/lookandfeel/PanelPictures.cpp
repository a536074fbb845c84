#include "PanelPictures.h"

#define PICTURE(group, name) EmbeddedPicture { group::name##_png, group::name##_pngSize }

namespace panelpictures
{
const EffectButton& btn1()
{
    static const EffectButton pictures { PICTURE (btn1, btn1off), PICTURE (btn1, btn1offover), PICTURE (btn1, btn1on),
                                         PICTURE (btn1, btn1onover) };
    return pictures;
}

const EffectButton& btn2()
{
    static const EffectButton pictures { PICTURE (btn2, btn2off), PICTURE (btn2, btn2offover), PICTURE (btn2, btn2on),
                                         PICTURE (btn2, btn2onover) };
    return pictures;
}

const EffectButton& btn3()
{
    static const EffectButton pictures { PICTURE (btn3, btn3off), PICTURE (btn3, btn3offover), PICTURE (btn3, btn3on),
                                         PICTURE (btn3, btn3onover) };
    return pictures;
}

const std::array<EmbeddedPicture, 115>& knob()
{
    static const std::array<EmbeddedPicture, 115> pictures {
        PICTURE (knob, knobsfinal0000), PICTURE (knob, knobsfinal0001), PICTURE (knob, knobsfinal0002),
        PICTURE (knob, knobsfinal0003), PICTURE (knob, knobsfinal0004), PICTURE (knob, knobsfinal0005),
        PICTURE (knob, knobsfinal0006), PICTURE (knob, knobsfinal0007), PICTURE (knob, knobsfinal0008),
        PICTURE (knob, knobsfinal0009), PICTURE (knob, knobsfinal0010), PICTURE (knob, knobsfinal0011),
        PICTURE (knob, knobsfinal0012), PICTURE (knob, knobsfinal0013), PICTURE (knob, knobsfinal0014),
        PICTURE (knob, knobsfinal0015), PICTURE (knob, knobsfinal0016), PICTURE (knob, knobsfinal0017),
        PICTURE (knob, knobsfinal0018), PICTURE (knob, knobsfinal0019), PICTURE (knob, knobsfinal0020),
        PICTURE (knob, knobsfinal0021), PICTURE (knob, knobsfinal0022), PICTURE (knob, knobsfinal0023),
        PICTURE (knob, knobsfinal0024), PICTURE (knob, knobsfinal0025), PICTURE (knob, knobsfinal0026),
        PICTURE (knob, knobsfinal0027), PICTURE (knob, knobsfinal0028), PICTURE (knob, knobsfinal0029),
        PICTURE (knob, knobsfinal0030), PICTURE (knob, knobsfinal0031), PICTURE (knob, knobsfinal0032),
        PICTURE (knob, knobsfinal0033), PICTURE (knob, knobsfinal0034), PICTURE (knob, knobsfinal0035),
        PICTURE (knob, knobsfinal0036), PICTURE (knob, knobsfinal0037), PICTURE (knob, knobsfinal0038),
        PICTURE (knob, knobsfinal0039), PICTURE (knob, knobsfinal0040), PICTURE (knob, knobsfinal0041),
        PICTURE (knob, knobsfinal0042), PICTURE (knob, knobsfinal0043), PICTURE (knob, knobsfinal0044),
        PICTURE (knob, knobsfinal0045), PICTURE (knob, knobsfinal0046), PICTURE (knob, knobsfinal0047),
        PICTURE (knob, knobsfinal0048), PICTURE (knob, knobsfinal0049), PICTURE (knob, knobsfinal0050),
        PICTURE (knob, knobsfinal0051), PICTURE (knob, knobsfinal0052), PICTURE (knob, knobsfinal0053),
        PICTURE (knob, knobsfinal0054), PICTURE (knob, knobsfinal0055), PICTURE (knob, knobsfinal0056),
        PICTURE (knob, knobsfinal0057), PICTURE (knob, knobsfinal0058), PICTURE (knob, knobsfinal0059),
        PICTURE (knob, knobsfinal0060), PICTURE (knob, knobsfinal0061), PICTURE (knob, knobsfinal0062),
        PICTURE (knob, knobsfinal0063), PICTURE (knob, knobsfinal0064), PICTURE (knob, knobsfinal0065),
        PICTURE (knob, knobsfinal0066), PICTURE (knob, knobsfinal0067), PICTURE (knob, knobsfinal0068),
        PICTURE (knob, knobsfinal0069), PICTURE (knob, knobsfinal0070), PICTURE (knob, knobsfinal0071),
        PICTURE (knob, knobsfinal0072), PICTURE (knob, knobsfinal0073), PICTURE (knob, knobsfinal0074),
        PICTURE (knob, knobsfinal0075), PICTURE (knob, knobsfinal0076), PICTURE (knob, knobsfinal0077),
        PICTURE (knob, knobsfinal0078), PICTURE (knob, knobsfinal0079), PICTURE (knob, knobsfinal0080),
        PICTURE (knob, knobsfinal0081), PICTURE (knob, knobsfinal0082), PICTURE (knob, knobsfinal0083),
        PICTURE (knob, knobsfinal0084), PICTURE (knob, knobsfinal0085), PICTURE (knob, knobsfinal0086),
        PICTURE (knob, knobsfinal0087), PICTURE (knob, knobsfinal0088), PICTURE (knob, knobsfinal0089),
        PICTURE (knob, knobsfinal0090), PICTURE (knob, knobsfinal0091), PICTURE (knob, knobsfinal0092),
        PICTURE (knob, knobsfinal0093), PICTURE (knob, knobsfinal0094), PICTURE (knob, knobsfinal0095),
        PICTURE (knob, knobsfinal0096), PICTURE (knob, knobsfinal0097), PICTURE (knob, knobsfinal0098),
        PICTURE (knob, knobsfinal0099), PICTURE (knob, knobsfinal0100), PICTURE (knob, knobsfinal0101),
        PICTURE (knob, knobsfinal0102), PICTURE (knob, knobsfinal0103), PICTURE (knob, knobsfinal0104),
        PICTURE (knob, knobsfinal0105), PICTURE (knob, knobsfinal0106), PICTURE (knob, knobsfinal0107),
        PICTURE (knob, knobsfinal0108), PICTURE (knob, knobsfinal0109), PICTURE (knob, knobsfinal0110),
        PICTURE (knob, knobsfinal0111), PICTURE (knob, knobsfinal0112), PICTURE (knob, knobsfinal0113),
        PICTURE (knob, knobsfinal0114),
    };
    return pictures;
}

const std::array<EmbeddedPicture, 3>& knob3()
{
    static const std::array<EmbeddedPicture, 3> pictures { PICTURE (knob3, trippleknob1), PICTURE (knob3, trippleknob2),
                                                           PICTURE (knob3, trippleknob3) };
    return pictures;
}

const std::array<EmbeddedPicture, 12>& knob12()
{
    // The eleventh picture's name carries a second underscore.
    static const std::array<EmbeddedPicture, 12> pictures {
        PICTURE (knob12, pleknob1), PICTURE (knob12, pleknob2),   PICTURE (knob12, pleknob3),
        PICTURE (knob12, pleknob4), PICTURE (knob12, pleknob5),   PICTURE (knob12, pleknob6),
        PICTURE (knob12, pleknob7), PICTURE (knob12, pleknob8),   PICTURE (knob12, pleknob9),
        PICTURE (knob12, pleknob10), PICTURE (knob12, pleknob11_), PICTURE (knob12, pleknob12),
    };
    return pictures;
}

const std::array<EmbeddedPicture, 25>& cateye()
{
    static const std::array<EmbeddedPicture, 25> pictures {
        PICTURE (cateye, cats_eye_small0000), PICTURE (cateye, cats_eye_small0001),
        PICTURE (cateye, cats_eye_small0002), PICTURE (cateye, cats_eye_small0003),
        PICTURE (cateye, cats_eye_small0004), PICTURE (cateye, cats_eye_small0005),
        PICTURE (cateye, cats_eye_small0006), PICTURE (cateye, cats_eye_small0007),
        PICTURE (cateye, cats_eye_small0008), PICTURE (cateye, cats_eye_small0009),
        PICTURE (cateye, cats_eye_small0010), PICTURE (cateye, cats_eye_small0011),
        PICTURE (cateye, cats_eye_small0012), PICTURE (cateye, cats_eye_small0013),
        PICTURE (cateye, cats_eye_small0014), PICTURE (cateye, cats_eye_small0015),
        PICTURE (cateye, cats_eye_small0016), PICTURE (cateye, cats_eye_small0017),
        PICTURE (cateye, cats_eye_small0018), PICTURE (cateye, cats_eye_small0019),
        PICTURE (cateye, cats_eye_small0020), PICTURE (cateye, cats_eye_small0021),
        PICTURE (cateye, cats_eye_small0022), PICTURE (cateye, cats_eye_small0023),
        PICTURE (cateye, cats_eye_small0024),
    };
    return pictures;
}

const TempoKey& classic()
{
    static const TempoKey pictures { PICTURE (classic, btn_tempo_classic_off), PICTURE (classic, btn_tempo_classic_on),
                                     PICTURE (classic, btn_tempo_classic_over) };
    return pictures;
}

const TempoKey& manual()
{
    static const TempoKey pictures { PICTURE (manual, btn_tempo_manual_off), PICTURE (manual, btn_tempo_manual_on),
                                     PICTURE (manual, btn_tempo_manual_over) };
    return pictures;
}

const TempoKey& host()
{
    static const TempoKey pictures { PICTURE (host, btn_tempo_host_off), PICTURE (host, btn_tempo_host_on),
                                     PICTURE (host, btn_tempo_host_over) };
    return pictures;
}

EmbeddedPicture fader()
{
    return PICTURE (fader, fader);
}

const BeatKey& btn58()
{
    static const BeatKey pictures { PICTURE (btn58, btn_bpm_58_off), PICTURE (btn58, btn_bpm_58_on),
                                    PICTURE (btn58, btn_bpm_58_over), PICTURE (btn58, btn_bpm_58_disabled) };
    return pictures;
}

const BeatKey& btn68()
{
    static const BeatKey pictures { PICTURE (btn68, btn_bpm_68_off), PICTURE (btn68, btn_bpm_68_on),
                                    PICTURE (btn68, btn_bpm_68_over), PICTURE (btn68, btn_bpm_68_disabled) };
    return pictures;
}

const BeatKey& btn78()
{
    static const BeatKey pictures { PICTURE (btn78, btn_bpm_78_off), PICTURE (btn78, btn_bpm_78_on),
                                    PICTURE (btn78, btn_bpm_78_over), PICTURE (btn78, btn_bpm_78_disabled) };
    return pictures;
}

const BeatKey& btn88()
{
    static const BeatKey pictures { PICTURE (btn88, btn_bpm_88_off), PICTURE (btn88, btn_bpm_88_on),
                                    PICTURE (btn88, btn_bpm_88_over), PICTURE (btn88, btn_bpm_88_disabled) };
    return pictures;
}

EmbeddedPicture background()
{
    return PICTURE (bg, bg);
}
} // namespace panelpictures
