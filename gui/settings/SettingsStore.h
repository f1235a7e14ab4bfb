#pragma once
// The user's four stored settings: the file of QSettings("Mirrowdale",
// "Tarvoss"), group "Settings" (~/.config/Mirrowdale/Tarvoss.conf here).
// Every access is silent on failure: a value that is missing or cannot be read
// falls back to its default, and a failed write leaves the stored value as it
// was. Nothing here can hang: a FIFO, device or folder in the file's place
// counts as a broken file, giving the defaults.

#include <QString>

namespace tarvoss {

inline constexpr char kSettingsOrganisation[] = "Mirrowdale";
inline constexpr char kSettingsApplication[] = "Tarvoss";
inline constexpr char kSettingsGroup[] = "Settings";

// The value names.
inline constexpr char kCurrentLanguageValue[] = "CurrentLanguage";
inline constexpr char kShowErrorsValue[] = "ShowErrors";
inline constexpr char kHideKeyValue[] = "HideKey";
inline constexpr char kShowConfDialogValue[] = "ShowConfDialog";

struct StoredSettings {
    // File name of the chosen language file, or "English"; empty when missing.
    QString currentLanguage;
    bool showErrors = true;
    bool hideKey = true;
    bool showConfDialog = true;
};

class SettingsStore {
public:
    // Where the settings file lies (it may not exist yet).
    static QString FilePath();

    // Makes sure the settings can be reached before the Settings dialog
    // exists. QSettings makes its key or file on the first write, and a
    // missing one reads as empty, so nothing has to be written here.
    static void CreateKey();

    static StoredSettings Load();
    // The file name of the chosen language; empty when missing or not text.
    static QString ReadCurrentLanguage();
    // A switch is on when its stored number is not 0, and also when it is
    // missing or not a number.
    static bool ReadSwitch(const char* name);

    static void WriteCurrentLanguage(const QString& fileName);
    // Stored as the number 1 or 0.
    static void WriteSwitch(const char* name, bool on);
};

}  // namespace tarvoss
