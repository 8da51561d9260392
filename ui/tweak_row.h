// One tweak as a 56-pixel row of a list, the whole row a toggle: its name, risk and
// irreversible badges, description and switch. It only draws and reports the press; callers
// scope each row's id and act on the press.
#pragma once

// What the row shows. Risk 0 SAFE, 1 ADV, any other value RISKY.
struct TweakRowFacts {
    const char* id;
    const char* name;
    const char* description;
    int risk = 0;
    bool reversible = true;
    bool applied = false;
};

// `width` already scaled; advances the cursor by one 56 × scale high item. True on the frame
// the row is pressed; the row keeps showing `applied` for the rest of that frame.
[[nodiscard]] bool TweakRow(const TweakRowFacts& row, float width);
