// Windows-1250 bytes, each string with its text beside it in UTF-8. The
// escapes are split where a hex digit follows, which would otherwise join
// the escape.
#include "ui/settings_texts.h"

#include "ui/resource_ids.h"

namespace crv::ui {

const LocalisedText kSettingsTexts[8] = {
    {CRV_ID_SWITCH_GROUP,
     {"Compression properties setting",
      "Nastaven\xED vlastnost\xED komprese", // Nastavení vlastností komprese
      "Einstellung der Kompressioneigenschaften"}},
    {CRV_ID_DELETE_COMMENTS,
     {"Delete HTML comments",
      "Mazat HTML koment\xE1\xF8"
      "e",                       // Mazat HTML komentáře
      "HTML-Notizen l\xF6schen"}}, // HTML-Notizen löschen
    {CRV_ID_PROTECT_EVENTS,
     {"Protect events",
      "Chr\xE1nit ud\xE1losti", // Chránit události
      "Events sch\xFCtzen"}},   // Events schützen
    {CRV_ID_COMPRESS_SCRIPTS,
     {"Compress Java Scripts", "Komprimovat Java Script", "Java Script komprimieren"}},
    {CRV_ID_COMPRESS_STYLES,
     {"Compress Cascade Style Sheets", "Komprimovat Cascade Style Sheets",
      "Cascade Style Sheets komprimieren"}},
    {CRV_ID_HIDE_SCRIPTS,
     {"Hide Java Script in older browsers",
      "Skr\xFDvat Java Script ve star\x9A\xED"
      "ch prohl\xED\x9E"
      "e\xE8\xED"
      "ch",                                           // Skrývat Java Script ve starších prohlížečích
      "Java Script in \xE4lteren Web-Browser verbergen"}}, // Java Script in älteren Web-Browser verbergen
    {CRV_ID_BEEP,
     {"Beep when compression finishes",
      "P\xEDpnout p\xF8i dokon\xE8"
      "en\xED komprese", // Pípnout při dokončení komprese
      "Piepen wenn die Kompression ist beendet"}},
    {2, {"Cancel", "Storno", "Abbruch"}},
};

} // namespace crv::ui
