#pragma once
// Every text the setup tool shows, in Windows-1250 as the A functions take it. Bytes above 0x7F
// are escapes, the readable text stands beside each.

namespace Texts {

inline constexpr char kAppTitle[] = "VELUK TYX";

// "Nastavení  files a zástupce  pro program TYX"
inline constexpr char kMainCaption[] = "Nastaven\xED  files a z\xE1stupce  pro program TYX";
// "Nastavení parametru FILES na hodnotu 211"
inline constexpr char kLabelFiles[] = "Nastaven\xED parametru FILES na hodnotu 211";
// "Vytvořit zástupce programu TYX na ploše"
inline constexpr char kLabelShortcut[] = "Vytvo\xF8it z\xE1stupce programu TYX na plo\x9A" "e";
inline constexpr char kButtonSet[] = "&Nastavit";
inline constexpr char kButtonIcon[] = "&Ikona";
inline constexpr char kInitialYear[] = "2023";


inline constexpr char kAskCaption[] = "Dotaz";
inline constexpr char kAskFiles[] = "Nastavit parametr Files na hodnotu 211?";
// "Parametr Files nastaven, restartujte počítač."
inline constexpr char kFilesSet[] = "Parametr Files nastaven, restartujte po\xE8\xEDta\xE8.";
inline constexpr char kInfoCaption[] = "Informace";

// The desktop icon command.
// "Zástupce programu TYX" + year + " nelze vytvořit!"
inline constexpr char kShortcutFailedBefore[] = "Z\xE1stupce programu TYX";
inline constexpr char kShortcutFailedAfter[] = " nelze vytvo\xF8it!";
inline constexpr char kFileNotFound[] = "Nenalezen soubor ";
// "Ikona by měla být na ploše :-)"
inline constexpr char kIconOnDesktop[] = "Ikona by m\xEC" "la b\xFDt na plo\x9A" "e :-)";


// "Složka plochy nebyla nalezena"
inline constexpr char kNoDesktop[] = "Slo\x9Eka plochy nebyla nalezena";

} // namespace Texts
