#include "model/RunChoices.h"

#include "model/FileListModel.h"

namespace tarvoss {

RunChoices::RunChoices(QObject* parent) : QObject(parent), items_(new FileListModel(this)) {}

std::optional<Direction> RunChoices::ChosenDirection() const {
    if (action_ == 0) return Direction::Encrypt;
    if (action_ == 1) return Direction::Decrypt;
    return std::nullopt;
}

void RunChoices::ReplaceKey(KeyEntry key) {
    key_ = std::move(key);
    emit keyReplaced();
}

void RunChoices::PointOut(Choice choice, int part) { emit pointedOut(choice, part); }

}  // namespace tarvoss
