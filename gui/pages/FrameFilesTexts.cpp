// The rows of section "frameFiles": the Files page's captions, list entries
// and messages that a language file replaces.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "lang/LanguageKeys.h"
#include "model/FileListModel.h"
#include "pages/FileListView.h"
#include "pages/FrameFiles.h"
#include "settings/TextCatalogue.h"
#include "widgets/FlatButton.h"

namespace tarvoss {

void TframFiles::AddLanguageRows() {
    TextCatalogue& texts = LanguageTexts();
    const std::string_view section = kFilesSection;

    auto addButton = [&](std::string_view key, FlatButton* button) {
        texts.Add({section,
                   key,
                   button,
                   [button] { return button->text(); },
                   [button](const QString& text) { button->setText(text); },
                   {}});
    };
    addButton("Button.AddFiles", shpAddFiles_);
    addButton("Button.AddFolder", shpAddFolder_);

    const std::pair<std::string_view, int> columns[] = {
        {"ListViewColumn.FileName", FileListModel::kNameColumn},
        {"ListViewColumn.Path", FileListModel::kPathColumn},
        {"ListViewColumn.Size", FileListModel::kSizeColumn},
        {"ListViewColumn.Status", FileListModel::kStatusColumn},
    };
    for (const auto& [key, column] : columns) {
        texts.Add({section,
                   key,
                   model_,
                   [this, column] { return model_->Caption(column); },
                   [this, column](const QString& text) { model_->SetCaption(column, text); },
                   {}});
    }

    // The browse button shows only "...": a screen reader names it by the
    // title of the folder browser it opens.
    texts.AddStoredText(section, "Label.BrowseForFolderTitle", this, &browseTitle_,
                        [this] { cmdSelectDestDir_->setAccessibleName(browseTitle_); });
    texts.AddStoredText(section, "Error.WhileReadingFile", this, &readErrorText_);
    texts.AddStoredText(section, "Label.SuchFileExists", this, &duplicateText_);
    texts.AddStoredText(section, "Label.KBytes", this, &kilobytes_);
    texts.AddStoredText(section, "Label.MBytes", this, &megabytes_);
    texts.AddStoredText(section, "Label.GBytes", this, &gigabytes_);
    texts.AddStoredText(section, "Error.DelSourceFiles", this, &deleteQuestion_);

    texts.AddLabel(section, "Label.TypeOfProcessing", lblTypeOfProcessing_, [this] {
        lblTypeOfProcessing_->adjustSize();
        PlaceComboBesideLabel();
    });
    texts.AddComboItem(section, "Label.TypeOfProcessing.Normal", cboCryptType_, 0);
    texts.AddComboItem(section, "Label.TypeOfProcessing.Copy", cboCryptType_, 1,
                       [this] { cboCryptType_->setCurrentIndex(1); });
    texts.Add({section,
               "Label.DelSourceFiles",
               cbDelFiles_,
               [this] { return cbDelFiles_->text(); },
               [this](const QString& text) {
                   cbDelFiles_->setText(text);
                   cbDelFiles_->adjustSize();
               },
               {}});
    texts.AddLabel(section, "Label.DestinationDirectory", lblDestDir_, [this] {
        lblDestDir_->adjustSize();
        PlaceDestinationBesideLabel();
    });
    texts.AddAccessibleName(section, "Label.FileList", lstFiles_);
}

}  // namespace tarvoss
