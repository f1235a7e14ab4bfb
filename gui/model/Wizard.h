#pragma once
// The window that holds the three pages, as the pages, the start checks, the
// run and the key generator see it: the choices the pages edit, the switches
// of the Settings dialog, which page is on show and the status line. The main
// window implements it and hands itself to whoever needs it; a page made on
// its own has no wizard and leaves out what needs the others.

class QString;

namespace tarvoss {

class RunChoices;
class TfrmOptions;

class Wizard {
public:
    // The pages, numbered as SelectPage takes them.
    enum Page { kNoPage = 0, kFilesPage = 1, kParamsPage = 2, kGoPage = 3 };

    virtual ~Wizard() = default;

    // Shows page 1, 2 or 3 with its hint in the status bar.
    virtual void SelectPage(int page) = 0;
    virtual QString StatusText() const = 0;
    virtual void SetStatusText(const QString& text) = 0;

    // The list, the processing options, the action and the key.
    virtual RunChoices& Choices() = 0;
    // The Settings dialog, which holds the program's switches after a load;
    // nullptr until it is made.
    virtual TfrmOptions* SettingsDialog() = 0;
    // True while the key generator is on screen.
    virtual bool KeyGeneratorShown() const = 0;
};

}  // namespace tarvoss
