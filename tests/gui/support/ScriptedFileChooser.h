#pragma once
// Folder browser and open-file dialog for window tests: each call takes the
// next scripted answer (cancel when the script is empty) and records the title
// and flags it was asked with. Hand it to the page under test.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "desktop/FileChooser.h"

namespace tarvoss::test {

class ScriptedFileChooser final : public FileChooser {
public:
    struct FolderRequest {
        std::string title;
        std::uint32_t flags;
    };

    // Next folder browser: choose `folder`, or cancel with nullopt.
    void AnswerFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }
    // Next open-file dialog: these files, or cancel with an empty list.
    void AnswerFiles(std::vector<std::string> files) { files_.push_back(std::move(files)); }

    const std::vector<FolderRequest>& folderRequests() const { return folderRequests_; }
    int fileRequests() const { return fileRequests_; }

    bool BrowseForFolder(std::string& target, QWidget*, const std::string& title, std::uint32_t flags) override {
        folderRequests_.push_back({title, flags});
        if (folders_.empty()) return false;
        const std::optional<std::string> folder = folders_.front();
        folders_.pop_front();
        if (!folder) return false;
        target = *folder;
        return true;
    }

    std::vector<std::string> ChooseFilesToOpen(QWidget*) override {
        ++fileRequests_;
        if (files_.empty()) return {};
        std::vector<std::string> files = files_.front();
        files_.pop_front();
        return files;
    }

private:
    std::deque<std::optional<std::string>> folders_;
    std::deque<std::vector<std::string>> files_;
    std::vector<FolderRequest> folderRequests_;
    int fileRequests_ = 0;
};

}  // namespace tarvoss::test
