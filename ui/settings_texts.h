#ifndef CRV_SETTINGS_TEXTS_H
#define CRV_SETTINGS_TEXTS_H

// The texts that the settings dialogue sets by language, as Windows-1250
// bytes for the ANSI text calls.
namespace crv::ui {

struct LocalisedText {
    int controlId;
    // Indexed by language - 1: English, Czech, German.
    const char *text[3];
};

// In the order the dialogue sets them.
extern const LocalisedText kSettingsTexts[8];

} // namespace crv::ui

#endif
