#pragma once
// Every text the launcher shows, in Windows-1250 as MessageBoxA takes it. Bytes above 0x7F are
// escapes; the readable text stands beside each.

namespace launcher::texts {

inline constexpr char kCaption[] = "VELUK TYX";

// "Za znakem # chybí jméno souboru s příkazem."
inline constexpr char kNoFileName[] = "Za znakem # chyb\xED jm\xE9no souboru s p\xF8\xEDkazem.";
// "Soubor s příkazem se nepodařilo přečíst:"
inline constexpr char kCannotReadFile[] = "Soubor s p\xF8\xEDkazem se nepoda\xF8ilo p\xF8" "e\xE8\xEDst:";
// "Soubor s příkazem je prázdný:"
inline constexpr char kEmptyFile[] = "Soubor s p\xF8\xEDkazem je pr\xE1zdn\xFD:";
// "Příkaz v souboru je příliš dlouhý:"
inline constexpr char kFieldTooLong[] = "P\xF8\xEDkaz v souboru je p\xF8\xEDli\x9A dlouh\xFD:";
// "Příkaz v souboru obsahuje neplatný znak:"
inline constexpr char kFieldHasNul[] = "P\xF8\xEDkaz v souboru obsahuje neplatn\xFD znak:";
// "Chybí příkaz ke spuštění."
inline constexpr char kNoCommand[] = "Chyb\xED p\xF8\xEDkaz ke spu\x9At\xECn\xED.";
// "Příkaz se nepodařilo spustit:"
inline constexpr char kCannotStart[] = "P\xF8\xEDkaz se nepoda\xF8ilo spustit:";
// "Chyba č. " (followed by the Windows error number)
inline constexpr char kErrorNumber[] = "Chyba \xE8. ";
// "…", where a long command or file name is cut short
inline constexpr char kEllipsis[] = "\x85";

} // namespace launcher::texts
