#pragma once
// The steps of the main window's full load that belong to the language files:
// choosing the language and applying its texts to every window. The main
// window runs them in their place of the load; until steps are installed the
// built-in English texts stay.

namespace tarvoss {

class LanguageSteps {
public:
    virtual ~LanguageSteps() = default;

    // Reads the stored choice of language and settles which file is in use.
    virtual void DetermineLanguageFile() = 0;
    // Puts the texts of the language in use into every window and page
    // (nothing while the built-in texts are in use).
    virtual void ApplyLanguageTexts() = 0;
};

}  // namespace tarvoss
